#!/usr/bin/env bash
# The Linux launcher's game start, given a game folder that holds a real
# Windows hl.exe (the mingw-built stand-in), starts it through wine; the
# stand-in records the options it received, its working folder and the
# WINEPREFIX it runs in: the launcher's own for a game outside any prefix,
# and for a game in a prefix's drive_c that prefix (a copy of the prefix
# TARQ_WINE_TEMPLATE names, as scripts/windows-tests makes it).
# Usage: start_through_wine.sh <native start_game> <hl_standin.exe>
set -euo pipefail
start_game=$(realpath "$1")
standin=$(realpath "$2")
work=$(mktemp -d)
prefix="$work/prefix"
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null && WINEPREFIX="$prefix" wineserver -w; rm -rf "$work"' EXIT
fail() { echo "start_through_wine: $*" >&2; exit 1; }

# start <game folder> <expected working folder, Windows form> <expected WINEPREFIX>
start() {
  mkdir -p "$1"
  cp "$standin" "$1/hl.exe"
  chmod -x "$1/hl.exe"
  "$start_game" "$1" ' +map c1a0 +skill "2" -heapsize 64000 -dev toconsole'
  for _ in $(seq 300); do [ -f "$1/hl.exe.record" ] && break; sleep 0.1; done
  [ -f "$1/hl.exe.record" ] || fail "the game in $1 never ran"
  # The arguments are the option text split as the Windows runtime splits a
  # command line.
  case "$(sed -n 1p "$1/hl.exe.record")" in
    *'hl.exe'*'+map c1a0 +skill 2 -heapsize 64000 -dev toconsole') ;;
    *) fail "command line was: $(sed -n 1p "$1/hl.exe.record")" ;;
  esac
  [ "$(sed -n 2p "$1/hl.exe.record")" = "$2" ] ||
    fail "working folder was '$(sed -n 2p "$1/hl.exe.record")', not '$2'"
  [ "$(cat "$1/hl.exe.wineprefix")" = "$3" ] ||
    fail "WINEPREFIX was '$(cat "$1/hl.exe.wineprefix")', not '$3'"
}

# Wine gives the Windows side a Unix folder outside the prefix as Z:\...
game="$work/Half Life ゲーム"
start "$game" "Z:$(printf '%s' "$game" | tr '/' '\\')" "$WINEPREFIX"
"$(dirname "$0")/../../scripts/wine-prefix" --copy "$TARQ_WINE_TEMPLATE" "$prefix"
start "$prefix/drive_c/Half Life" 'C:\Half Life' "$prefix"
echo "start_through_wine: passed"
