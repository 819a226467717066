#!/usr/bin/env bash
# Installs the Debian package with `apt-get install ./tarq_….deb` into a
# minimal Debian 12 root, without the packages it only recommends, then
# starts `tarq` there as a user would (a login shell's PATH finds it in
# /usr/games) on a private Xvfb, and waits until its window shows: what the
# package depends on must bring everything the program needs, the Qt
# platform plugin included.
# The minimal root is made once with debootstrap and kept in
# $TARQ_DEBIAN_ROOT (default /var/tmp/tarq-debian-12), as are the packages
# apt downloads; each run installs into a fresh copy of the root. Runs as
# root (mounts, chroot) and reaches Debian's mirror.
# Usage: install_and_start.sh <tarq_*.deb>
set -euo pipefail
deb=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "install_and_start: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "needs root, for its mounts and chroot"
export title="TARQ $(dpkg-deb -f "$deb" Version)"

cache=${TARQ_DEBIAN_ROOT:-/var/tmp/tarq-debian-12}
pristine=$cache/minbase
mkdir -p "$cache/archives/partial"
if [ ! -e "$cache/minbase.done" ]; then
  mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)
  [ -n "$mirror" ] || mirror=$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list 2>/dev/null)
  echo "install_and_start: making a minimal Debian 12 root in $pristine (once; a few minutes)"
  rm -rf "$pristine"
  debootstrap --variant=minbase bookworm "$pristine" "${mirror:-http://deb.debian.org/debian}" \
    >"$cache/debootstrap.log" 2>&1 || fail "debootstrap failed: $cache/debootstrap.log"
  touch "$cache/minbase.done"
fi

# A fresh copy of the root; the host's /proc, /sys, /dev, the X server's
# sockets and the package cache are mounted into it. Only once nothing is
# mounted there any more is the copy removed.
export root
root=$(mktemp -d "$cache/run.XXXXXX")
mounts=()
cleanup() {
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" || true; done
  if grep -q " $root/" /proc/mounts; then
    echo "install_and_start: $root still has mounts; left in place" >&2
  else
    rm -rf "$root"
  fi
}
trap cleanup EXIT
cp -a "$pristine/." "$root/"
mount_into() { mkdir -p "$root$2"; mount --bind "$1" "$root$2"; mounts+=("$root$2"); }
for m in /proc /sys /dev /dev/pts; do mount_into $m $m; done
mount_into "$cache/archives" /var/cache/apt/archives
mkdir -p /tmp/.X11-unix
mount_into /tmp/.X11-unix /tmp/.X11-unix
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"

chroot "$root" env DEBIAN_FRONTEND=noninteractive bash -euc '
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "./tmp/$1" >/dev/null
  useradd --create-home player' _ "$(basename "$deb")" || fail "the install failed"
echo "install_and_start: installed $(basename "$deb") with apt-get"

export xdo="$here/../../scripts/xdo-lib.sh"
"$here/../../scripts/xvfb-run-here" bash -euo pipefail -c '
  fail() { echo "install_and_start: $*" >&2; exit 1; }
  . "$xdo"
  chroot "$root" runuser --login player --command "DISPLAY=$DISPLAY exec tarq" & pid=$!
  window=$(focus_window "$title")
  echo "install_and_start: \"$title\" is shown"
  kill -TERM "$(xdotool getwindowpid "$window")"  # closes it as its close box does
  wait $pid
'
