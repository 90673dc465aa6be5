#!/usr/bin/env bash
# horolux-cli --protocol nts against chronyd as an NTS server in the sandbox, and against
# the hostile cases: another CA (with and without a cookie jar), a name mismatch, no key exchange server, one that never
# answers, relays that tamper with replies, and a damaged cookie file. Only authentic
# replies may report or set a time (the clock recorder notes every setting).
#   nts_cli_test.sh   (inside the sandbox; HOROLUX_BIN_DIR, HOROLUX_TEST_DIR, HOROLUX_SOURCE_DIR)
source "$HOROLUX_SOURCE_DIR/tests/support/cli-script"
nts=$HOROLUX_SANDBOX_DIR/nts
relay_pid=
cleanup() {
    [[ -n $relay_pid ]] && kill "$relay_pid" 2>/dev/null
    "$support/nts-server" stop
    "$support/servers" stop chronyd
}
trap cleanup EXIT
export XDG_STATE_HOME=$work/state HOROLUX_CLOCK_RECORD=$work/record
# One correcting query each, its JSON in $out.
cli_start=(env "LD_PRELOAD=$HOROLUX_TEST_DIR/libclock_recorder.so" "$HOROLUX_BIN_DIR/horolux-cli"
    --protocol nts --json --correct)
field() { python3 -c 'import json,sys; print(json.loads(sys.argv[1])[sys.argv[2]])' "$out" "$1"; }
recorded() { [[ -f $work/record ]] && wc -l <"$work/record" || echo 0; }
ke_accepted() {
    chronyc -h "$nts/chronyd.sock" serverstats | sed -n 's/^NTS-KE connections accepted *: *//p'
}
trusted=(--ca-file "$nts/ca.pem")

"$support/nts-server" start
cli "first query" 0 --server localhost "${trusted[@]}"
[[ $(field authenticated) == True && $(field nts_ke_ms) != None ]] || fail "first query: $out"
python3 -c 'import sys; assert abs(float(sys.argv[1])) < 0.005' "$(field offset_seconds)" ||
    fail "offset over 5 ms: $out"
# The clock was set within 10 ms of the true time.
read -r _ set now <"$work/record"
python3 -c 'import sys; assert abs(float(sys.argv[1]) - float(sys.argv[2])) < 0.010' "$set" "$now" ||
    fail "correction off by more than 10 ms: $set at $now"
jar=$XDG_STATE_HOME/Veldmark/Horolux/nts/localhost_4460
[[ $(stat -c %a "$jar") == 600 && $(stat -c %a "$(dirname "$jar")") == 700 ]] ||
    fail "jar modes $(stat -c %a "$jar" "$(dirname "$jar")")"
accepted=$(ke_accepted)
cli "second query" 0 --server localhost "${trusted[@]}"
[[ $(field authenticated) == True && $(field nts_ke_ms) == None ]] || fail "second query made a key exchange: $out"
[[ $(ke_accepted) == "$accepted" ]] || fail "second query connected to the key exchange port"
# A burst of four: each request spends a cookie and each reply brings one back (a request
# still unanswered when the burst ends may cost its cookie).
cookies=$(grep -c '^cookie ' "$jar")
cli "burst" 0 --server localhost "${trusted[@]}" --samples 4
python3 -c 'import json, sys; j = json.loads(sys.argv[1]); s = j["samples"]
assert len(s) == 4 and j["samples_answered"] >= 2 and [x["used"] for x in s].count(True) == 1
assert int(sys.argv[2]) + 4 - j["samples_answered"] >= int(sys.argv[3])' \
    "$out" "$(grep -c '^cookie ' "$jar")" "$cookies" || fail "burst, $cookies cookies before: $out"
# Two cookies left: the request's placeholders ask chronyd for the six that fill the jar.
awk '!/^cookie / || ++n <= 2' "$jar" >"$work/jar" && cat "$work/jar" >"$jar"
cli "placeholders" 0 --server localhost "${trusted[@]}"
[[ $(grep -c '^cookie ' "$jar") == 8 ]] || fail "jar not refilled: $(grep -c '^cookie ' "$jar")"

# The jar holds only for the CA it was won under (by content): another CA or the system
# store makes its own key exchange, which fails, and leaves the jar to its own CA.
before=$(recorded)
cp "$nts/ca.pem" "$work/same-ca.pem"
cli "same CA, other path" 0 --server localhost --ca-file "$work/same-ca.pem"
[[ $(field nts_ke_ms) == None ]] || fail "the same CA made a key exchange: $out"
cli "another CA" 4 --server localhost --ca-file "$nts/other-ca.pem"
[[ $(field error) == *"certificate not trusted" ]] || fail "another CA: $out"
cli "system store" 4 --server localhost
[[ $(field error) == *"certificate not trusted" ]] || fail "system store: $out"
# A CA file that cannot be read is named as such, a FIFO without waiting for a writer.
mkfifo "$work/ca-fifo"
for ca in "$work/missing.pem" "$work/ca-fifo"; do
    cli "unreadable CA $ca" 4 --server localhost --ca-file "$ca"
    [[ $(field error) == *"CA file unreadable" ]] || fail "unreadable CA $ca: $out"
done
[[ $(recorded) == $((before + 1)) ]] || fail "an untrusted run set the clock"
cli "own CA again" 0 --server localhost "${trusted[@]}"
[[ $(field nts_ke_ms) == None ]] || fail "a failed key exchange lost the jar: $out"

# chronyd restarted with new keys refuses the old cookies: a new key exchange within 10 s.
"$support/nts-server" stop && rm -f "$nts/ntskeys" && "$support/nts-server" start
cli "server with new keys" 0 --server localhost "${trusted[@]}" --timeout 10
[[ $(field nts_ke_ms) != None ]] || fail "server with new keys: $out"

# A damaged cookie file is ignored and replaced.
for damage in truncate random folder; do
    case $damage in
    truncate) truncate -s 100 "$jar" ;;
    random) head -c 3000 /dev/urandom >"$jar" ;;
    folder) rm -f "$jar" && mkdir "$jar" ;;
    esac
    cli "cookie file $damage" 0 --server localhost "${trusted[@]}"
done
rmdir "$jar"

before=$(recorded)
cli "name mismatch" 4 --server 127.0.0.1 "${trusted[@]}"
[[ $(field error) == *"name mismatch" ]] || fail "name mismatch: $out"

# Tampering relays on 127.0.0.3, which the key exchange names as the NTP server.
"$support/nts-server" start 127.0.0.3
# Forged replies and NAKs before the real one are passed over; "forget" drops the cookies of
# the jar "nak" left, silently.
for mode in flip-first flip nak forget strip swap replay; do
    [[ $mode == forget ]] || rm -rf "$XDG_STATE_HOME"
    python3 "$support/nts-relay" "$mode" 127.0.0.3 10123 10123 "$jar" >"$work/relay.log" &
    relay_pid=$!
    wait_for 5 grep -q ready "$work/relay.log" || fail "relay $mode did not start"
    case $mode in
    flip-first) cli "relay $mode" 0 --server localhost "${trusted[@]}" --samples 2
        # The tampered first reply is dropped; the authentic second gives the time.
        python3 -c 'import json, sys; j = json.loads(sys.argv[1])
assert j["samples_answered"] == 1 and [s["used"] for s in j["samples"]] == [False, True]' "$out" ||
            fail "$mode: $out" ;;
    flip | nak | forget) cli "relay $mode" 0 --server localhost "${trusted[@]}" --timeout 10 ;;&
    forget) spent=$(grep -c dropped "$work/relay.log")
        # One attempt's requests at most, not every cookie the jar held.
        ((spent <= 4)) || fail "forget: $spent old cookies spent before new keys" ;;
    nak) cli "relay nak, jar kept" 0 --server localhost "${trusted[@]}" --timeout 10
        [[ $(field nts_ke_ms) == None ]] || fail "a forged NAK emptied the jar: $out" ;;
    strip) cli "relay strip" 4 --server localhost "${trusted[@]}" --timeout 5
        [[ $(field result) == "Reset: Timebase reply failed authentication!" ]] || fail "$mode: $out" ;;
    swap) cli "relay swap" 1 --server localhost "${trusted[@]}" --timeout 6 --samples 1 ;;
    replay) cli "relay replay, first" 0 --server localhost "${trusted[@]}"
        before=$(recorded)
        cli "relay replay" 1 --server localhost "${trusted[@]}" --timeout 2 ;;
    esac
    [[ $mode == @(flip-first|flip|nak|forget) || $(field offset_seconds) == None ]] || fail "relay $mode reported a time: $out"
    kill "$relay_pid" && wait "$relay_pid" 2>/dev/null || true
    relay_pid=
done
[[ $(recorded) == "$before" ]] || fail "a refused reply set the clock"

# No key exchange server: a plain SNTP server only, then one that accepts and never answers.
"$support/nts-server" stop
"$support/servers" start chronyd
cli "no NTS-KE" 4 --server 127.0.0.1 "${trusted[@]}"
[[ $(field error) == *"refused" ]] || fail "no NTS-KE: $out"
python3 -c 'import socket,time; s=socket.socket(); s.bind(("127.0.0.1",4460)); s.listen(); print("ready",flush=True); time.sleep(30)' >"$work/silent.log" &
relay_pid=$!
wait_for 5 grep -q ready "$work/silent.log" || fail "silent server did not start"
started=$SECONDS
cli "silent NTS-KE" 4 --server 127.0.0.1 "${trusted[@]}" --timeout 20
[[ $(field error) == *"timed out" ]] || fail "silent NTS-KE: $out"
# The key exchange's own 4 s time-out ends the run, not the query's 20 s (however slow a
# loaded machine starts the program).
((SECONDS - started < 12)) || fail "silent NTS-KE took $((SECONDS - started)) s"
[[ $(recorded) == "$before" ]] || fail "a failed key exchange set the clock"

((failures == 0)) && echo "1 passed, 0 failed" || { echo "0 passed, 1 failed"; exit 1; }
