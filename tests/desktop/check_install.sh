#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the tree a desktop relies on: the files are
# where they belong, the desktop entry and the software-centre data validate, the manual page
# renders without warnings, and the version is the same everywhere.
# Usage: check_install.sh BUILD_DIR DESKTOP_ID VERSION
set -euo pipefail
build=$1 id=$2 version=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/usr
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expected=(
    bin/zan
    share/zan/help/index.html
    share/applications/$id.desktop
    share/metainfo/$id.metainfo.xml
    share/man/man1/zan.1
    share/icons/hicolor/scalable/apps/$id.svg
)
for size in 16 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done
for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done

desktop=$prefix/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
grep -qx "Exec=zan %f" "$desktop" || fail "the desktop entry does not start zan with a file"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the installed icon $id"

metainfo=$prefix/share/metainfo/$id.metainfo.xml
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $report"
if grep -E '^[IWE]:' <<<"$report"; then
    fail "appstreamcli has remarks on $metainfo"
fi
grep -q "<release version=\"$version\"" "$metainfo" || fail "the software-centre data lacks release $version"

warnings=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l "$prefix/share/man/man1/zan.1" 2>&1 >/dev/null) ||
    fail "man could not render zan.1"
[ -z "$warnings" ] || fail "man page warnings: $warnings"
grep -q "^\.TH ZAN 1 .*\"zan $version\"" "$prefix/share/man/man1/zan.1" || fail "the man page is not of version $version"

[ "$("$prefix/bin/zan" --version)" = "zan $version" ] || fail "the installed zan is not version $version"
# The manual page documents every option the program's own usage text names.
for option in $("$prefix/bin/zan" --help | grep -oE -- '--[a-z]+' | sort -u); do
    grep -qF -- "${option//-/\\-}" "$prefix/share/man/man1/zan.1" || fail "the man page lacks $option"
done

if [ "$failures" -gt 0 ]; then
    echo "$failures installation checks failed"
    exit 1
fi
echo "installed tree checked: ${#expected[@]} files, desktop entry, software-centre data, man page"
