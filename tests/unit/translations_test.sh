#!/usr/bin/env bash
# Every translation is complete and current: lupdate over today's sources into a copy of
# each .ts finds no text left unfinished and none that the sources no longer hold.
set -euo pipefail
root=${HOROLUX_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$root"/res/translations/horolux_*.ts; do
    copy=$work/$(basename "$ts")
    cp "$ts" "$copy"
    # Without -no-obsolete: a text gone from the sources shows as vanished.
    "$root"/scripts/update-translations --keep-vanished "$copy" >/dev/null
    if grep -n -B3 'type="unfinished"\|type="vanished"\|type="obsolete"' "$copy"; then
        echo "$(basename "$ts"): run scripts/update-translations and translate the texts above" >&2
        status=1
    fi
done
exit $status
