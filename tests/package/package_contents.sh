#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks what it holds and
# what it depends on with dpkg-deb, then has it judged by lintian and its
# desktop entry and AppStream data by their validators. Whether it installs
# and starts on a plain Debian is install_and_start.sh's, run by
# `make package-install-test`.
# Usage: package_contents.sh <build folder> <version> <desktop id>
set -euo pipefail
build=$(realpath "$1")
version=$2
id=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/tarq_"$version"_*.deb)
fail() { echo "package_contents: $*" >&2; exit 1; }

contents=$(dpkg-deb -c "$deb")
for f in ./usr/games/tarq ./usr/share/man/man6/tarq.6.gz \
         ./usr/share/doc/tarq/copyright ./usr/share/doc/tarq/changelog.gz \
         ./usr/share/applications/"$id".desktop ./usr/share/metainfo/"$id".metainfo.xml \
         ./usr/share/icons/hicolor/{32x32,48x48,64x64,128x128,256x256}/apps/tarq.png \
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

# No error and no warning, but for the placeholder maintainer's address
# (TARQ_MAINTAINER unset), which lintian reports where it stands.
placeholder=()
[[ $(dpkg-deb -f "$deb" Maintainer) == *@localhost\> ]] &&
  placeholder=(--suppress-tags bogus-mail-host,bogus-mail-host-in-debian-changelog)
lintian --fail-on error,warning "${placeholder[@]}" "$deb" || fail "lintian"

x=$out/root
dpkg-deb -x "$deb" "$x"
desktop-file-validate "$x/usr/share/applications/$id.desktop" || fail "desktop entry"
grep -q '^Categories=Game;' "$x/usr/share/applications/$id.desktop" || fail "category"
grep -q '^Comment\[ja\]=' "$x/usr/share/applications/$id.desktop" || fail "Japanese comment"
appstreamcli validate --no-net --pedantic "$x/usr/share/metainfo/$id.metainfo.xml" || fail "AppStream data"
for size in 32 48 64 128 256; do
  file "$x/usr/share/icons/hicolor/${size}x$size/apps/tarq.png" | grep -q "$size x $size" ||
    fail "icon size $size"
done
echo "package_contents: passed ($(basename "$deb"))"
