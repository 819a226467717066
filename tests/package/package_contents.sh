#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks what it holds and
# what it depends on with dpkg-deb (installing it into a fresh root would
# need a whole Debian with Qt downloaded on every run).
# Usage: package_contents.sh <build folder> <version>
set -euo pipefail
build=$(realpath "$1")
version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/tarq_"$version"_*.deb)
fail() { echo "package_contents: $*" >&2; exit 1; }

contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/tarq ./usr/share/applications/tarq.desktop \
         ./usr/share/icons/hicolor/32x32/apps/tarq.png \
         ./usr/share/icons/hicolor/scalable/apps/tarq.svg; do
  grep -q " $f\$" <<<"$contents" || fail "missing $f"
done
[ "$(dpkg-deb -f "$deb" Package)" = tarq ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version"
depends=$(dpkg-deb -f "$deb" Depends)
for d in fonts-ipafont-gothic libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
  grep -q "$d" <<<"$depends" || fail "no dependency on $d: $depends"
done
[ "$(dpkg-deb -f "$deb" Suggests)" = wine ] || fail "wine is not suggested"

x=$(mktemp -d)
dpkg-deb -x "$deb" "$x"
desktop-file-validate "$x/usr/share/applications/tarq.desktop" || fail "desktop entry"
grep -q '^Categories=Game;' "$x/usr/share/applications/tarq.desktop" || fail "category"
grep -q '^Comment\[ja\]=' "$x/usr/share/applications/tarq.desktop" || fail "Japanese comment"
file "$x/usr/share/icons/hicolor/32x32/apps/tarq.png" | grep -q '32 x 32' || fail "icon size"
rm -rf "$x"
echo "package_contents: passed ($(basename "$deb"))"
