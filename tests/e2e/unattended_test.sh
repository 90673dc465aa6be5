#!/usr/bin/env bash
# Unattended correction end to end: `horolux x` on the sandbox's X display, with its
# clock functions an hour behind (libfaketime) and clock_settime recorded instead of
# made (the sandbox's preload library). Against chronyd it corrects and ends by itself
# within 2 s with the true time; against a silent Timebase it stays open.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/wait-for"

read -r inside outside count </proc/self/uid_map
if [[ "$inside $outside $count" == "0 0 4294967295" ]]; then
    echo "unattended_test: not inside the test sandbox; refusing" >&2
    exit 1
fi

horolux=${HOROLUX_BIN_DIR:?}/horolux
recorder=${HOROLUX_TEST_DIR:?}/libclock_recorder.so
faketime=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
servers=$here/../support/servers

work=$(mktemp -d "${HOROLUX_SANDBOX_DIR:?}/e2e.XXXXXX")
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME/Veldmark"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    "$servers" stop chronyd
}
trap cleanup EXIT

use_timebase() {
    printf '[Options]\nTimeBase=%s\nProtocol=SNTP\nSocketType=UDP\n' "$1" \
        >"$XDG_CONFIG_HOME/Veldmark/Horolux.conf"
}

start_horolux() { # LOG
    # Mesa's driver leaves blocks LeakSanitizer cannot attribute (as in the GUI tests).
    env FAKETIME=-3600 LD_PRELOAD="$faketime:$recorder" HOROLUX_CLOCK_RECORD="$work/record" \
        ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0 "$horolux" x >"$1" 2>&1 &
    horolux_pid=$!
    pids+=("$horolux_pid")
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

fail() {
    echo "unattended_test: $*" >&2
    exit 1
}

echo "== against chronyd: corrects and ends by itself"
"$servers" start chronyd
use_timebase 127.0.0.1
started=$(now_ms)
start_horolux "$work/good.log"
wait_for 10 bash -c "! kill -0 $horolux_pid 2>/dev/null" || fail "still running after 10 s"
ended=$(now_ms)
status=0
wait "$horolux_pid" || status=$?
cat "$work/good.log"
((status == 0)) || fail "exit status $status"
elapsed=$((ended - started))
echo "ended ${elapsed} ms after start"
((elapsed < 2000)) || fail "took ${elapsed} ms, more than 2 s"
[[ -f $work/record ]] || fail "the clock was not set"
(($(wc -l <"$work/record") == 1)) || fail "the clock was set more than once"
read -r clock asked true <"$work/record"
[[ $clock == 0 ]] || fail "clock id $clock, not CLOCK_REALTIME"
difference=$(awk -v a="$asked" -v t="$true" 'BEGIN { d = a - t; printf "%.6f", d }')
echo "set to the true time ${difference} s"
awk -v d="$difference" 'BEGIN { exit !(d < 0.010 && d > -0.010) }' ||
    fail "set ${difference} s off the true time"
rm -f "$work/record"

echo "== against a silent Timebase: stays open"
python3 - "$work/requests" <<'PY' &
import socket, sys
server = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
server.bind(("127.0.0.2", 123))
count = 0
while True:
    server.recv(512)
    count += 1
    with open(sys.argv[1], "w") as record:
        record.write(str(count))
PY
pids+=($!)
use_timebase 127.0.0.2
start_horolux "$work/silent.log"
# The first request, then the time-out's second one about 4 s later.
wait_for 15 bash -c "[[ \$(cat '$work/requests' 2>/dev/null) -ge 2 ]]" ||
    fail "the silent Timebase was not asked again"
kill -0 "$horolux_pid" 2>/dev/null || fail "horolux ended against a silent Timebase"
[[ ! -f $work/record ]] || fail "the clock was set without an answer"
kill "$horolux_pid"
wait "$horolux_pid" 2>/dev/null || true
echo "passed"
