#!/usr/bin/env bash
# horolux-correct started with a hostile environment and hostile CA files: the libraries
# never see the caller's variables, and root takes a CA file only from the system's CA
# folders, with one answer for a file that is missing and one it refuses.
#   helper_test.sh   (inside the sandbox; HOROLUX_BIN_DIR, HOROLUX_TEST_DIR, HOROLUX_SOURCE_DIR)
source "$HOROLUX_SOURCE_DIR/tests/support/cli-script"
trap '"$support/nts-server" stop' EXIT
"$support/nts-server" start
helper=(env "LD_PRELOAD=$HOROLUX_TEST_DIR/libclock_recorder.so" "HOROLUX_CLOCK_RECORD=$work/record"
    "$HOROLUX_BIN_DIR/horolux-correct")
sntp=(--server 127.0.0.1 --port 10123)

# The key exchange gets as far as the handshake keys (the test CA is not the system's).
cli_start=("${helper[@]:0:3}" GNUTLS_DEBUG_LEVEL=9 "${helper[3]}")
cli "GnuTLS debugging" 4 --server localhost --protocol nts
! grep -qiE "secret|write key" "$work/stderr" || fail "key material printed: $(grep -ciE 'secret|write key' "$work/stderr") lines"

# A locale name that is a path would make glibc load files from there as root.
mkdir "$work/locale"
# LeakSanitizer cannot run under strace.
cli_start=(strace -f -qq -e trace=openat -o "$work/trace" "${helper[@]:0:3}"
    "ASAN_OPTIONS=$ASAN_OPTIONS:detect_leaks=0" "LC_ALL=$work/locale" "${helper[3]}")
cli "locale path" 0 "${sntp[@]}"
! grep -q "$work/locale" "$work/trace" || fail "locale path opened: $(grep -m1 "$work/locale" "$work/trace")"
# Root keeps no history of its own.
! grep -q "history\.sqlite" "$work/trace" || fail "history opened: $(grep -m1 history "$work/trace")"

# The loader's notes of the first start only: the restarted helper runs without LD_DEBUG.
cli_start=("${helper[@]:0:3}" LD_DEBUG=libs "${helper[3]}")
cli "loader debugging" 0 "${sntp[@]}"
awk '/transferring control/ { started++; next } started && /^ *[0-9]+:[[:space:]]*[^[:space:]]/ { after++ }
    END { exit !(started == 1 && after == 0) }' "$work/stderr" ||
    fail "LD_DEBUG reached the helper: $(grep -c 'transferring control' "$work/stderr") starts"

rm -f "$work/record"
# Missing, elsewhere, unreadable to the caller, not a file, or no regular file: one answer,
# and never a wait.
cli_start=("${helper[@]}")
mkfifo "$work/fifo"
cli "missing CA file" 64 "${sntp[@]}" --ca-file "$work/missing.pem"
refused=$(<"$work/stderr")
for file in /etc/hostname /etc/shadow /etc/ssl/certs "$work/fifo" /etc/ssl/certs/../../hostname; do
    cli "CA file $file" 64 "${sntp[@]}" --ca-file "$file"
    [[ $(<"$work/stderr") == "$refused" ]] || fail "CA file $file: $(<"$work/stderr")"
done
[[ ! -s $work/record ]] || fail "the clock was set: $(<"$work/record")"
exit $((failures > 0))
