#!/usr/bin/env bash
# `cmake --install` into a temporary prefix: exactly the listed files, a horolux-cli that
# runs, a desktop entry desktop-file-validate accepts whose program and icons are installed,
# a 48x48 PNG icon, and man pages that render without a warning.
#   install_test.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d "${TMPDIR:-/tmp}/horolux-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install_test: $*" >&2 && exit 1; }

cmake --install "${1:?usage: install_test.sh BUILD_DIR}" --prefix "$prefix" >/dev/null
cd "$prefix"
wanted="bin/horolux bin/horolux-cli libexec/horolux/horolux-correct
share/applications/horolux.desktop share/horolux/help/index.html
share/icons/hicolor/48x48/apps/horolux.png share/icons/hicolor/scalable/apps/horolux.svg
share/man/man1/horolux-cli.1 share/man/man1/horolux.1
share/metainfo/org.veldmark.horolux.metainfo.xml
share/polkit-1/actions/org.veldmark.horolux.correct-clock.policy"
installed=$(find . -type f -printf '%P\n' | LC_ALL=C sort | xargs)
[[ $installed == "$(xargs <<<"$wanted")" ]] || fail "installed files differ: $installed"

[[ $(bin/horolux-cli --version) == "horolux-cli "* ]] || fail "the installed horolux-cli does not run"
entry=share/applications/horolux.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate refused the entry"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[[ -x bin/${exec_line%% *} ]] || fail "the entry runs '$exec_line', which is not installed"
icon=$(sed -n 's/^Icon=//p' "$entry")
[[ -f share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "no scalable icon named $icon"
size=$(identify -format '%w %h %m' "share/icons/hicolor/48x48/apps/$icon.png" || true)
[[ $size == "48 48 PNG" ]] || fail "no 48x48 PNG icon named $icon ('$size')"
for page in share/man/man1/*.1; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "$page: $warnings"
done
# Both monitoring modes are documented where an administrator looks.
[[ $(MANWIDTH=80 man -l share/man/man1/horolux-cli.1 2>/dev/null |
    grep -Ec '^ {7}(--check|--metrics FILE)$') == 2 ]] || fail "the man page lacks --check or --metrics"
echo "passed"
