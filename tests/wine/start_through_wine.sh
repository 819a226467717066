#!/usr/bin/env bash
# The Linux launcher's game start, given a game folder that holds a real
# Windows hl.exe (the mingw-built stand-in), starts it through wine; the
# stand-in records the options it received and its working folder.
# Usage: start_through_wine.sh <native start_game> <hl_standin.exe>
set -euo pipefail
start_game=$(realpath "$1")
standin=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
game="$work/Half Life ゲーム"
mkdir -p "$game"
cp "$standin" "$game/hl.exe"
chmod -x "$game/hl.exe"

"$start_game" "$game" ' +map c1a0 +skill "2" -heapsize 64000 -dev toconsole'
for _ in $(seq 300); do [ -f "$game/hl.exe.record" ] && break; sleep 0.1; done
[ -f "$game/hl.exe.record" ] || { echo "start_through_wine: the game never ran" >&2; exit 1; }

# Wine gives the Windows side the Unix folder as Z:\...; the arguments are
# the option text split as the Windows runtime splits a command line.
line1=$(sed -n 1p "$game/hl.exe.record")
line2=$(sed -n 2p "$game/hl.exe.record")
expected_folder="Z:$(printf '%s' "$game" | tr '/' '\\')"
case "$line1" in
  *'hl.exe'*'+map c1a0 +skill 2 -heapsize 64000 -dev toconsole') ;;
  *) echo "start_through_wine: command line was: $line1" >&2; exit 1 ;;
esac
[ "$line2" = "$expected_folder" ] || {
  echo "start_through_wine: working folder was '$line2', not '$expected_folder'" >&2; exit 1; }
echo "start_through_wine: passed"
