#!/usr/bin/env bash
# horolux-cli's bursts against chronyd behind the simulated network path (tests/support/net-sim):
# the relay's own accounting, the minimum-delay choice, a single reply, silence and a kiss.
# The relay runs on this machine, so the true offset is 0 and a reported offset is its error.
#   burst_test.sh   (inside the sandbox; HOROLUX_BIN_DIR, HOROLUX_SOURCE_DIR)
source "$HOROLUX_SOURCE_DIR/tests/support/cli-script"
relay_pid=
cleanup() {
    [[ -n $relay_pid ]] && kill "$relay_pid" 2>/dev/null
    "$support/servers" stop chronyd
}
trap cleanup EXIT
# One query through the relay each, its JSON in $out.
cli_start=("$HOROLUX_BIN_DIR/horolux-cli" --server 127.0.0.5 --json)

# relay [net-sim options]: a fresh relay on 127.0.0.5:123 in front of chronyd, logging to $log.
relay() {
    if [[ -n $relay_pid ]]; then
        kill "$relay_pid" && wait "$relay_pid" 2>/dev/null || true
    fi
    log=$work/relay.$RANDOM.log
    python3 "$support/net-sim" 127.0.0.5 123 127.0.0.1 123 "$log" --lifetime 120 "$@" >"$work/ready" &
    relay_pid=$!
    wait_for 5 grep -q ready "$work/ready" || fail "relay did not start"
    # A first exchange sets up the relay's and chronyd's state for this client; it is not
    # measured (and not made where replies are dropped).
    if [[ " $* " != *" --keep-reply "* && " $* " != *" --drop "* ]]; then
        wait_for 20 "$HOROLUX_BIN_DIR/horolux-cli" --server 127.0.0.5 --samples 1 --timeout 5 \
            >/dev/null || fail "no answer through the relay"
        : >"$log"
    fi
}
# check NAME PYTHON-EXPRESSION: the expression over j (the JSON) and pairs (the relay's
# exchanges that went both ways as (out, back) seconds held, in order) must hold. The relay
# cannot see the loopback legs (on a busy machine now and then a millisecond); excess(pair)
# is how far the reported offset strays from the relay's truth beyond what those legs, half
# the round trip the relay did not add, can explain.
check() {
    python3 - "$out" "$log" "$2" <<'PY' || fail "$1: $out"
import json, sys
j = json.loads(sys.argv[1])
out, back, late_key = {}, {}, None
for line in open(sys.argv[2]):
    direction, key, held, how = line.split()
    late_key = key if how == "late" else late_key
    if how != "dropped":
        (out if direction == "out" else back)[key] = float(held)
pairs = [(out[k], back[k]) for k in out if k in back]
error = lambda pair: (pair[0] - pair[1]) / 2
excess = lambda pair: abs(j["offset_seconds"] - error(pair)) - (j["delay_seconds"] - sum(pair)) / 2
# Sample i against the relay's i-th request; late_key: the request whose reply the relay
# held until the next request had come through.
keys = list(out)
pair = lambda i: (out[keys[i]], back.get(keys[i], 1e9))
fits = lambda i, s: abs(s["offset_seconds"] - error(pair(i))) - (s["delay_seconds"] - sum(pair(i))) / 2 < 50e-6
assert eval(sys.argv[3]), ([(error(p), excess(p)) for p in pairs], [k in back for k in out])
PY
}

"$support/servers" start chronyd

# The relay's accounting: a single exchange is off by half the difference of its delays.
relay --seed 11
for run in 1 2 3 4 5; do
    cli "accounting $run" 0 --samples 1
    check "accounting $run" 'len(pairs) == 1 and excess(pairs[0]) < 50e-6 and print(j["offset_seconds"] - error(pairs[0]), file=open(sys.argv[2] + ".diff", "a")) is None'
    : >"$log"
done
python3 -c 'import statistics, sys; d = [abs(float(l)) for l in open(sys.argv[1])]; assert len(d) == 5 and statistics.median(d) < 100e-6, d' "$log.diff" ||
    fail "accounting: $(cat "$log.diff")"

# Queueing on the way back only: the smallest delay is the smallest error.
relay --seed 12 --out-ms 0
cli "8 samples" 0 --samples 8
# The chosen request had the relay's smallest round trip (give or take the loopback legs), and
# every sample matches the relay's truth as the accounting's do.
check "8 samples" 'len(pairs) >= j["samples_answered"] > 4 and all(s["delay_seconds"] is None or fits(i, s) for i, s in enumerate(j["samples"])) and (lambda i: sum(pair(i)) <= min(sum(p) for p in pairs) + 1e-3 and excess(pair(i)) < 50e-6)([s["used"] for s in j["samples"]].index(True))'

# A reply slower than the wait learned still counts, timed from its own request.
relay --seed 16 --late-reply 4 --out-ms 0
cli "late reply" 0 --samples 8
check "late reply" 'j["samples"][keys.index(late_key)]["delay_seconds"] and all(s["delay_seconds"] is None or fits(i, s) for i, s in enumerate(j["samples"]))'

relay --seed 13 --keep-reply 3
cli "one reply of 8" 0 --samples 8
# The reply kept is the third from chronyd; which request it answers the log says.
check "one reply of 8" 'j["samples_answered"] == 1 and [s["used"] for s in j["samples"]].index(True) == [k in back for k in out].index(True) and excess(pairs[0]) < 50e-6'

# Nothing comes back: a silent server, asked again after the query's time-out.
relay --seed 14 --drop 1
cli "all dropped" 1 --samples 4 --timeout 6
check "all dropped" 'j["result"] == "Reset: No answer from Timebase within 6 seconds." and sum(1 for l in open(sys.argv[2]) if l.startswith("out")) > 4'

relay --seed 15 --kiss-reply 3
cli "kiss" 0 --samples 8
check "kiss" 'sum(1 for l in open(sys.argv[2]) if l.startswith("out")) == 2 and j["samples_answered"] == 2 and j["samples"][0]["used"]'

exit $((failures > 0))
