#!/usr/bin/env bash
# `cmake --install` into a temporary prefix: exactly the listed files, programs that
# run, a desktop entry desktop-file-validate accepts and whose program and icon are
# installed, a 48x48 icon, and man pages that render without a warning.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: install_test.sh BUILD_DIR}
prefix=$(mktemp -d "${TMPDIR:-/tmp}/horolux-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT

fail() {
    echo "install_test: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
    bin/horolux
    bin/horolux-cli
    share/applications/horolux.desktop
    share/horolux/help/index.html
    share/icons/hicolor/48x48/apps/horolux.png
    share/icons/hicolor/scalable/apps/horolux.svg
    share/man/man1/horolux-cli.1
    share/man/man1/horolux.1
)
installed=$(cd "$prefix" && find . -type f -printf '%P\n' | LC_ALL=C sort)
wanted=$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)
[[ $installed == "$wanted" ]] || fail "installed files differ:
$(diff <(echo "$wanted") <(echo "$installed") || true)"
echo "installed: ${#expected[@]} files"

for program in horolux horolux-cli; do
    [[ -x $prefix/bin/$program ]] || fail "$program is not executable"
done
version=$("$prefix/bin/horolux-cli" --version)
[[ $version == "horolux-cli "* ]] || fail "installed horolux-cli --version printed '$version'"

entry=$prefix/share/applications/horolux.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate refused the entry"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[[ -x $prefix/bin/${exec_line%% *} ]] || fail "the entry runs '$exec_line', which is not installed"
icon=$(sed -n 's/^Icon=//p' "$entry")
[[ -f $prefix/share/icons/hicolor/48x48/apps/$icon.png ]] || fail "no 48x48 icon named $icon"
[[ -f $prefix/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "no scalable icon named $icon"
size=$(identify -format '%w %h %m' "$prefix/share/icons/hicolor/48x48/apps/$icon.png")
[[ $size == "48 48 PNG" ]] || fail "48x48 icon is '$size'"

for page in horolux horolux-cli; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "man page $page.1: $warnings"
done
echo "passed"
