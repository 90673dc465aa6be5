#!/usr/bin/env bash
# Checks the built Debian package: lintian without errors or warnings, exactly the expected
# files, a desktop entry, metainfo and polkit action their validators accept, units that run
# the packaged horolux-cli, and maintainer scripts that enable and start nothing.
#   deb_test.sh PACKAGE_DIR   (the folder scripts/package fills)
set -euo pipefail
dir=${1:?usage: deb_test.sh PACKAGE_DIR}
deb=$(ls "$dir"/horolux_*.deb)
work=$(mktemp -d "${TMPDIR:-/tmp}/horolux-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "deb_test: $*" >&2 && exit 1; }

lintian --fail-on error,warning --display-level '>=warning' "$dir"/horolux_*.changes ||
    fail "lintian reports errors or warnings"

wanted="./lib/systemd/system/horolux-correct.service
./lib/systemd/system/horolux-correct.timer
./usr/bin/horolux
./usr/bin/horolux-cli
./usr/libexec/horolux/horolux-correct
./usr/share/applications/horolux.desktop
./usr/share/doc/horolux/changelog.gz
./usr/share/doc/horolux/copyright
./usr/share/horolux/help/index.html
./usr/share/icons/hicolor/48x48/apps/horolux.png
./usr/share/icons/hicolor/scalable/apps/horolux.svg
./usr/share/man/man1/horolux-cli.1.gz
./usr/share/man/man1/horolux.1.gz
./usr/share/metainfo/org.veldmark.horolux.metainfo.xml
./usr/share/polkit-1/actions/org.veldmark.horolux.correct-clock.policy"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | LC_ALL=C sort)
[[ $files == "$wanted" ]] || fail "contents differ:"$'\n'"$(diff <(echo "$wanted") <(echo "$files"))"
# Root's, and no set-id bit: pkexec is what raises the helper.
modes=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $1, $2, $6}' | grep -Ev '^(-rwxr-xr-x|-rw-r--r--) ' || true)
[[ $(dpkg-deb -c "$deb" | awk '{print $2}' | sort -u) == root/root ]] || fail "files not owned by root"
[[ -z $modes ]] || fail "unexpected modes: $modes"

dpkg-deb -x "$deb" "$work/root"
dpkg-deb -e "$deb" "$work/control"
cd "$work/root"
desktop-file-validate usr/share/applications/horolux.desktop || fail "desktop entry refused"
appstreamcli validate --no-net usr/share/metainfo/org.veldmark.horolux.metainfo.xml >/dev/null ||
    fail "metainfo refused: $(appstreamcli validate --no-net usr/share/metainfo/*.xml)"
policy=usr/share/polkit-1/actions/org.veldmark.horolux.correct-clock.policy
xmllint --noout --dtdvalid /usr/share/polkit-1/policyconfig-1.dtd "$policy" || fail "policy refused"
query() { xmllint --xpath "string(//action[@id='org.veldmark.horolux.correct-clock']/$1)" "$policy"; }
[[ $(query "annotate[@key='org.freedesktop.policykit.exec.path']") == /usr/libexec/horolux/horolux-correct ]] ||
    fail "the action does not name the packaged helper"
[[ "$(query defaults/allow_any) $(query defaults/allow_inactive) $(query defaults/allow_active)" == \
    "no no auth_admin_keep" ]] || fail "the action's defaults are wrong"
grep -q '^ExecStart=/usr/bin/horolux-cli ' lib/systemd/system/horolux-correct.service ||
    fail "the service does not run the packaged horolux-cli"

for script in preinst postinst prerm postrm; do
    if [[ -f $work/control/$script ]] &&
        grep -Eq 'enable|start|deb-systemd-invoke|systemctl' "$work/control/$script"; then
        fail "$script enables or starts a unit"
    fi
done
echo "passed"
