#!/usr/bin/env bash
# Builds the Debian package of the build with CPack and checks it: its control fields, that it
# holds the installed tree, and that apt can resolve its dependencies on this Debian release.
# Usage: check_package.sh BUILD_DIR DESKTOP_ID VERSION
set -euo pipefail
build=$1 id=$2 version=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log"
    exit 1
}
deb=$scratch/zan_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "FAIL: no package $deb"; ls "$scratch"; exit 1; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = zan ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "package version $(field Version)"
[ "$(field Maintainer)" = "ZAN developers" ] || fail "maintainer $(field Maintainer)"
[ -n "$(field Section)" ] || fail "no section"
[ -n "$(field Description)" ] || fail "no description"
depends=$(field Depends)
# From the binary's own libraries (shlibdeps), and the fonts the report is measured with.
for package in libqt6widgets6 libqt6printsupport6 libc6 fonts-dejavu-core fonts-dejavu-extra; do
    grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done

listing=$(dpkg-deb --contents "$deb" | awk '{ print $NF }')
for file in usr/bin/zan usr/share/zan/help/index.html usr/share/applications/$id.desktop \
    usr/share/metainfo/$id.metainfo.xml usr/share/man/man1/zan.1 \
    usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/icons/hicolor/48x48/apps/$id.png; do
    grep -qx "\./$file" <<<"$listing" || fail "the package does not hold /$file"
done

# Every dependency must name a package this release has, in a version it has.
if ! simulation=$(apt-get install --simulate --no-install-recommends "$deb" 2>&1); then
    echo "$simulation"
    fail "apt-get cannot resolve the dependencies of $(basename "$deb")"
elif ! grep -q "^Inst zan " <<<"$simulation"; then
    echo "$simulation"
    fail "apt-get would not install zan"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures package checks failed"
    exit 1
fi
echo "package $(basename "$deb") checked: $(grep -c . <<<"$listing") entries; apt resolves: $depends"
