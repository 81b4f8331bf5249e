#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and checks what a desktop gets from it.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
id=io.github.kalvira.Kalvira
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
status=0
fail() { echo "FAIL: $*"; status=1; }

for f in bin/kalvira bin/kalvira-capture bin/kalvira-unit "share/icons/hicolor/scalable/apps/$id.svg" \
    "${desktop#"$prefix"/}" "${metainfo#"$prefix"/}"; do
    [ -s "$prefix/$f" ] || fail "$f not installed"
done
for program in "$prefix"/bin/*; do
    [ -x "$program" ] || fail "$program is not executable"
    [ -s "$prefix/share/man/man1/$(basename "$program").1" ] || fail "no manual page for $program"
done
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop" 2>/dev/null)
[ -x "$prefix/bin/$exec_program" ] || fail "Exec=$exec_program is not an installed program"
[ "$(sed -n 's/^Icon=//p' "$desktop" 2>/dev/null)" = "$id" ] || fail "Icon= is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
    echo "SKIP: desktop-file-validate not found (Debian package desktop-file-utils)"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
else
    echo "SKIP: appstreamcli not found (Debian package appstream)"
fi
exit $status
