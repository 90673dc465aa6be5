#!/usr/bin/env bash
# horolux-cli with three Timebases: chronyd on 127.0.0.1, .2 and .3, some of them shifted with
# libfaketime (real servers telling the wrong time). The answer must come from a majority
# that agrees; without one nothing is corrected (the clock recorder notes every setting).
#   agreement_test.sh   (inside the sandbox; HOROLUX_BIN_DIR, HOROLUX_TEST_DIR, HOROLUX_SOURCE_DIR,
#                       HOROLUX_FAKETIME)
source "$HOROLUX_SOURCE_DIR/tests/support/cli-script"
export HOROLUX_CLOCK_RECORD=$work/record XDG_STATE_HOME=$work/state
# One correcting query of the three each, its JSON in $out; query also forgets earlier settings.
# Corrections are checked to 50 ms of true time, as horolux-cli's own are in process_test:
# a loaded machine stretches the round trips the error is half of.
cli_start=(env "LD_PRELOAD=$HOROLUX_TEST_DIR/libclock_recorder.so" "$HOROLUX_BIN_DIR/horolux-cli"
    --json --correct --samples 2 --timeout 20 --server 127.0.0.1 --server 127.0.0.2 --server 127.0.0.3)
query() { : >"$work/record" && cli "$@"; }

# check NAME PYTHON-EXPRESSION over j (the JSON), verdicts, record (the clock settings) and stderr.
check() {
    python3 - "$out" "$work/record" "$work/stderr" "$2" <<'PY' || fail "$1: $out $(cat "$work/stderr")"
import json, sys
j = json.loads(sys.argv[1])
verdicts = [s["verdict"] for s in j["servers"]]
record = [line.split() for line in open(sys.argv[2])]
stderr = open(sys.argv[3]).read()
assert eval(sys.argv[4]), verdicts
PY
}
# stored NAME PYTHON-EXPRESSION over rows, the history that --history --json prints.
stored() {
    local history
    history=$("$HOROLUX_BIN_DIR/horolux-cli" --history --json) || fail "$1: --history failed"
    python3 -c 'import json, sys; rows = json.loads(sys.argv[1])["measurements"]
assert eval(sys.argv[2]), rows' "$history" "$2" || fail "$1: $history"
}

chronyd_at 127.0.0.1
chronyd_at 127.0.0.2
chronyd_at 127.0.0.3 +10s
query "one shifted" 0
check "one shifted" 'verdicts[2] == "falseticker" and sorted(verdicts[:2]) == ["agrees", "used"] and j["corrected"] and len(record) == 1 and abs(float(record[0][1]) - float(record[0][2])) < 0.050 and "Falseticker: 127.0.0.3" in stderr'
stored "one shifted" 'sorted(r["verdict"] for r in rows) == ["agrees", "falseticker", "used"] and [r["server"] for r in rows if r["verdict"] == "falseticker"] == ["127.0.0.3"] and [r["corrected"] for r in rows].count(True) == 1 and all(r["program"] == "horolux-cli" for r in rows)'

stop_all
chronyd_at 127.0.0.1
chronyd_at 127.0.0.2 +10s
chronyd_at 127.0.0.3 -7s
query "two shifted" 2 --no-history
stored "--no-history" 'len(rows) == 3'
check "two shifted" 'j["result"] == "Reset: Timebases disagree; clock not corrected." and not j["corrected"] and record == [] and verdicts.count("falseticker") == 3'

stop_all
chronyd_at 127.0.0.1
chronyd_at 127.0.0.3
query "one silent" 0
check "one silent" 'verdicts[1] == "no answer" and sorted(verdicts[0::2]) == ["agrees", "used"] and len(record) == 1 and abs(float(record[0][1]) - float(record[0][2])) < 0.050'
stored "one silent" 'len(rows) == 6 and [r["verdict"] for r in rows[3:]].count("no answer") == 1'

exit $((failures > 0))
