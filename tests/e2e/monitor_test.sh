#!/usr/bin/env bash
# horolux-cli --check and --metrics against chronyd on 127.0.0.1, .2 (10 s ahead) and .3
# (7 s behind): the line and status of each case, check_ntp_time's performance data read the
# same way, promtool on every metrics file, and a metrics file only ever renamed into place.
#   monitor_test.sh   (inside the sandbox; HOROLUX_BIN_DIR, HOROLUX_TEST_DIR, HOROLUX_SOURCE_DIR)
source "$HOROLUX_SOURCE_DIR/tests/support/cli-script"
export HOROLUX_CLOCK_RECORD=$work/record
: >"$work/record"
cli_start=(env "LD_PRELOAD=$HOROLUX_TEST_DIR/libclock_recorder.so" "$HOROLUX_BIN_DIR/horolux-cli"
    --samples 2)
chronyd_at 127.0.0.1
chronyd_at 127.0.0.2 +10s
chronyd_at 127.0.0.3 -7s
chronyd_at 127.0.0.4
# A Time protocol server that answers second 0 (bogus), for 60 s at most.
python3 -c 'import socket,time; s=socket.create_server(("127.0.0.1",3737)); s.settimeout(60)
while True: c,_=s.accept(); c.sendall(bytes(4)); c.close()' &
pids+=($!)
wait_for 10 bash -c "[[ -n \$(ss -Hltn 'src 127.0.0.1:3737') ]]" || fail "no bogus server"

number='-?[0-9]+\.[0-9]{6}'
while IFS='|' read -r name status args line; do
    read -ra words <<<"$args"
    cli "$name" "$status" --check --correct "${words[@]}"
    [[ $out =~ ^$line$ ]] || fail "$name: '$out' does not match '$line'"
done <<TABLE
agrees|0|-w 0.5 -c 1 --server 127.0.0.1|HOROLUX OK - offset $number s from 127\.0\.0\.1 \(SNTP, stratum 10\)\|offset=${number}s;0\.5;1;; delay=${number}s;;;0;
ahead|1|-w 5 -c 20 --server 127.0.0.2|HOROLUX WARNING - offset (9\.9|10\.0)[0-9]+ s from 127\.0\.0\.2 \(SNTP, stratum 10\)\|offset=${number}s;5;20;; .*
behind|2|--warning=1 --critical 6.5 --server 127.0.0.3|HOROLUX CRITICAL - offset -(6\.9|7\.0)[0-9]+ s from .*;1;6\.5;; .*
inside|1|-w @6:8 -c @0:0.9 --server 127.0.0.3|HOROLUX WARNING - offset -(6\.9|7\.0).*;@6:8;@0:0\.9;; .*
disagree|2|--server 127.0.0.1 --server 127.0.0.2 --server 127.0.0.3|HOROLUX CRITICAL - Timebases disagree: no majority of 3 servers agrees\|offset_127\.0\.0\.1=${number}s;;;; offset_127\.0\.0\.2=${number}s;;;; offset_127\.0\.0\.3=${number}s;;;;
majority|0|--server 127.0.0.1 --server 127.0.0.9 --server 127.0.0.4 --timeout 3|HOROLUX OK - .*;60;120;; delay=${number}s;;;0; offset_127\.0\.0\.1=${number}s;;;; offset_127\.0\.0\.4=${number}s;;;;
silence|3|--server 127.0.0.9 --timeout 2|HOROLUX UNKNOWN - 127\.0\.0\.9: Reset: No answer from Timebase within 2 seconds\.
bogus|3|--protocol time-tcp --server 127.0.0.1:3737|HOROLUX UNKNOWN - 127\.0\.0\.1:3737: Reset: Selected Timebase returned bogus data!
bad range|3|-w 2:1 --server 127.0.0.1|HOROLUX UNKNOWN - --warning: '2:1' is not a threshold .*
bad usage|3|--server|HOROLUX UNKNOWN - --server needs a host name or address
TABLE
[[ ! -s $work/record ]] || fail "--check set the clock: $(<"$work/record")"

# check_ntp_time's performance data and ours, read by the plugins' rules: label, value, unit,
# then warning and critical as numbers.
perf() { # LINE
    python3 - "$1" <<'PY'
import re, sys
item = sys.argv[1].split("|", 1)[1].split()[0]
m = re.fullmatch(r"([^=']+)=(-?[0-9.]+)([a-zA-Z%]*);([0-9.]*);([0-9.]*);?([0-9.]*);?([0-9.]*)", item)
print(m.group(1), m.group(3), float(m.group(4)), float(m.group(5)), abs(float(m.group(2))) < 0.01)
PY
}
theirs=$(/usr/lib/nagios/plugins/check_ntp_time -H 127.0.0.1 -w 0.5 -c 1) || fail "check_ntp_time: $theirs"
cli "compared" 0 --check -w 0.5 -c 1 --server 127.0.0.1
[[ $(perf "$out") == "$(perf "$theirs")" && $(perf "$out") == "offset s 0.5 1.0 True" ]] ||
    fail "performance data read differently: '$out' and '$theirs'"

# Metrics: promtool accepts every file; a run without an answer keeps the last success.
prom=$work/metrics/horolux.prom
mkdir -p "${prom%/*}"
metric() { sed -n "s/^$1 //p" "$prom"; }
promtool_ok() { promtool check metrics <"$prom" || fail "promtool refused $(cat "$prom")"; }
cli "metrics" 0 --metrics "$prom" --server 127.0.0.1 --server 127.0.0.2 --server 127.0.0.4 \
    --server 'we"ird\'
promtool_ok
grep -q '^horolux_verdict{server="we\\"ird\\\\",verdict="no answer"} 1$' "$prom" ||
    fail "label not escaped: $(cat "$prom")"
[[ $(metric 'horolux_verdict{server="127.0.0.2",verdict="falseticker"}') == 1 &&
    $(metric horolux_system_synchronized) =~ ^[01]$ ]] || fail "metrics: $(cat "$prom")"
success=$(metric horolux_last_success_timestamp_seconds)
[[ $success =~ ^[0-9.]+$ ]] || fail "no last success"
cli "kept success" 1 --metrics "$prom" --server 127.0.0.9 --timeout 1
promtool_ok
[[ $(metric horolux_last_success_timestamp_seconds) == "$success" ]] || fail "last success lost"
# Every system call naming the final path: only the rename writes it.
# LeakSanitizer cannot run under ptrace. Traced, one exchange now and then looks bogus (the
# stops skew its instants), so a burst is asked: what counts here is the file, not the time.
ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0 strace -f -qq -e trace=%file,%desc -o "$work/trace" \
    "$HOROLUX_BIN_DIR/horolux-cli" --metrics "$prom" --samples 4 --server 127.0.0.1 >"$work/strace.out" 2>&1 ||
    fail "strace run: $(cat "$work/strace.out")"
promtool_ok
calls=$(grep -F "\"$prom\"" "$work/trace" | grep -Ev 'O_RDONLY|rename[a-z0-9]*\((AT_FDCWD, )?"[^"]*/\.horolux\.prom\.[A-Za-z0-9]{6}", (AT_FDCWD, )?"' || true)
renames=$(grep -F "\"$prom\"" "$work/trace" | grep -cE 'rename[a-z0-9]*\(' || true)
[[ -z $calls && $renames == 1 ]] || fail "the final path is written: $calls ($renames renames)"
[[ $(ls -A "${prom%/*}") == horolux.prom ]] || fail "left behind: $(ls -A "${prom%/*}")"
exit $((failures > 0))
