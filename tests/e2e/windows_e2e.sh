#!/usr/bin/env bash
# End to end on Windows: the real tarq.exe under Wine on a private Xvfb,
# driven with the keyboard by xdotool, its windows found by their titles.
# Each run gets its own copy of one Wine prefix (TARQ_WINE_TEMPLATE, else
# made here) and its own wineserver, and checks what the stand-in game
# received and the bytes of both data files.
# Usage: windows_e2e.sh <tarq.exe> <hl_standin.exe> <version>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

if [ "${1:-}" != "--on-display" ]; then
  work=$(mktemp -d /tmp/tarq-e2e-windows.XXXXXX)
  cleanup() {
    for p in "$work"/*/prefix; do
      [ -d "$p" ] && WINEPREFIX=$p wineserver -k 2>/dev/null || true
    done
    rm -rf "$work"
  }
  trap cleanup EXIT
  export WINEDEBUG=-all
  export FONTCONFIG_FILE=${FONTCONFIG_FILE:-$root/tests/fonts/fonts.conf}
  template=${TARQ_WINE_TEMPLATE:-}
  if [ -z "$template" ]; then
    template=$work/template
    "$root/scripts/wine-prefix" "$template"
  fi
  "$root/scripts/xvfb-run-here" "$0" --on-display "$work" "$template" "$(realpath "$1")" \
    "$(realpath "$2")" "TARQ $3"
  echo "windows e2e: passed"
  exit 0
fi
work=$2
template=$3
tarq=$4
standin=$5
title=$6

fail() {
  echo "windows e2e: $*" >&2
  echo "windows shown:" >&2
  xdotool search --onlyvisible --name . getwindowname %@ >&2 || true
  exit 1
}
# Polls a condition for up to thirty seconds, as the window waits do.
within() {
  local what=$1
  shift
  for _ in $(seq 600); do
    "$@" && return 0
    sleep 0.05
  done
  fail "$what"
}
. "$root/scripts/xdo-lib.sh"

exists() { [ -e "$1" ]; }
ended() { ! kill -0 "$1" 2>/dev/null; }
expect() {  # expect <what> <file> <expected bytes, UTF-8> [cp932]
  local expected
  expected=$(mktemp)
  if [ "${4:-}" = cp932 ]; then
    printf '%s' "$3" | iconv -f UTF-8 -t CP932 > "$expected"
  else
    printf '%s' "$3" > "$expected"
  fi
  cmp -s "$expected" "$2" || {
    echo "windows e2e: $1 differs; expected:" >&2
    od -c "$expected" | head -20 >&2
    echo "got:" >&2
    od -c "$2" | head -20 >&2
    exit 1
  }
  rm -f "$expected"
}

# A run of its own: a copy of the prefix and its server, the launcher in
# C:\TARQ, and a game folder whose path holds a space and Japanese, with
# the stand-in as hl.exe and two maps.
setup() {
  run=$work/$1
  mkdir -p "$run"
  "$root/scripts/wine-prefix" --copy "$template" "$run/prefix"
  export WINEPREFIX=$run/prefix
  wineserver -p >/dev/null 2>&1
  wine cmd /c exit >/dev/null 2>&1 </dev/null  # Wine's background programs, off our output
  prog=$WINEPREFIX/drive_c/TARQ
  games=$WINEPREFIX/drive_c/Games
  game="$games/Half Life ゲーム"
  win_game='C:\Games\Half Life ゲーム'
  mkdir -p "$prog" "$game/valve/maps"
  cp "$tarq" "$prog/tarq.exe"
  cp "$standin" "$game/hl.exe"
  : > "$game/valve/maps/c1a0.bsp"
  : > "$game/valve/maps/c2a1.bsp"
}

# 1. A first run, from C:\Games: the folder dialog refuses C:\Games and
# accepts the game folder below it; a map and a difficulty picked with the
# keyboard; START; a comment saved and erased; a new map picked by its
# first letter and started; Alt+F4 writes the settings.
setup first
cd "$games"
wine "$prog/tarq.exe" &
pid=$!
wait_for_focus "$title" >/dev/null
send_keys Return            # "..." has the focus
wait_for_focus "フォルダ選択" >/dev/null
send_keys Return            # OK on C:\Games, which has no hl.exe
wait_for_focus "TARQ" >/dev/null
send_keys Return
wait_for_focus "フォルダ選択" >/dev/null
send_keys Tab Tab Down Return  # the folder list: open the folder below C:\Games
send_keys shift+Tab shift+Tab Return
wait_until_gone "フォルダ選択"
wait_for_focus "$title" >/dev/null
send_keys Tab Tab Tab Tab Tab Tab Down  # into the map list, which rebuilds: c1a0.bsp
send_keys shift+Tab Down    # the difficulty: Easy
send_keys shift+Tab Return  # START
within "the game was not started" exists "$game/hl.exe.record"
expect "the game's command line and folder" "$game/hl.exe.record" \
  "\"$win_game\\hl.exe\" +map c1a0 +skill \"1\""$'\n'"$win_game"$'\n'
wait_for_focus "$title" >/dev/null
send_keys shift+Tab Return  # Comment, for c1a0.bsp
wait_for_focus "コメント" >/dev/null
send_keys Tab Tab Down Tab  # the mark ◎, then the comment box
type_text "boss, hard"
send_keys Tab Tab Return    # past erase to OK
wait_until_gone "コメント"
expect "tarqcom.dat after OK" "$prog/tarqcom.dat" '"c1a0.bsp","◎","boss, hard"'$'\r\n' cp932
wait_for_focus "$title" >/dev/null
send_keys Return            # Comment again
wait_for_focus "コメント" >/dev/null
send_keys Tab Tab Tab Tab Return  # erase
wait_until_gone "コメント"
expect "tarqcom.dat after erase" "$prog/tarqcom.dat" ""
wait_for_focus "$title" >/dev/null
rm "$game/hl.exe.record"
: > "$game/valve/maps/t0a0.bsp"
send_keys Tab Tab Tab t     # into the map list, which rebuilds; "t" picks t0a0.bsp
send_keys shift+Tab shift+Tab Return  # START
within "the game was not started" exists "$game/hl.exe.record"
expect "the game's command line for a typed letter" "$game/hl.exe.record" \
  "\"$win_game\\hl.exe\" +map t0a0 +skill \"1\""$'\n'"$win_game"$'\n'
wait_for_focus "$title" >/dev/null
send_keys alt+F4
within "the launcher did not close" ended $pid
wait $pid
expect "tarqcfg.dat" "$prog/tarqcfg.dat" "$win_game"$'\r\n 1 \r\n 0 \r\n 0 \r\n' cp932

# 2. The choices restored from tarqcfg.dat; START from the keyboard; the
# window closed while the game still runs, which goes on running.
setup restored
printf '%s\r\n 3 \r\n 2 \r\n 1 \r\n' "$win_game" | iconv -f UTF-8 -t CP932 > "$prog/tarqcfg.dat"
: > "$game/hl.exe.hold"
cd "$prog"
wine "$prog/tarq.exe" &
pid=$!
wait_for_focus "$title" >/dev/null
send_keys Tab Tab Tab Tab Return  # past the options and Comment to START
within "the game was not started" exists "$game/hl.exe.record"
expect "the game's command line and folder" "$game/hl.exe.record" \
  "\"$win_game\\hl.exe\" +skill \"3\" -heapsize 32000 -console"$'\n'"$win_game"$'\n'
wait_for_focus "$title" >/dev/null
send_keys alt+F4
within "the launcher did not close" ended $pid
wait $pid
[ -e "$game/hl.exe.ended" ] && fail "the game ended with the launcher"
expect "tarqcfg.dat" "$prog/tarqcfg.dat" "$win_game"$'\r\n 3 \r\n 2 \r\n 1 \r\n' cp932
rm "$game/hl.exe.hold"
within "the game did not go on running" exists "$game/hl.exe.ended"

# 3. A map whose name would add options to the game's command line: START
# passes the other options only; the next map's name is passed.
setup hostile
: > "$game/valve/maps/c1a0 -game evil.bsp"  # row 1, before c1a0.bsp
printf '%s\r\n 1 \r\n 0 \r\n 0 \r\n' "$win_game" | iconv -f UTF-8 -t CP932 > "$prog/tarqcfg.dat"
cd "$prog"
wine "$prog/tarq.exe" &
pid=$!
wait_for_focus "$title" >/dev/null
send_keys Tab Tab Tab Tab Tab Tab Down  # the map list, rebuilt: c1a0 -game evil.bsp
send_keys shift+Tab shift+Tab Return    # START
within "the game was not started" exists "$game/hl.exe.record"
expect "the game's command line for c1a0 -game evil.bsp" "$game/hl.exe.record" \
  "\"$win_game\\hl.exe\" +skill \"1\""$'\n'"$win_game"$'\n'
rm "$game/hl.exe.record"
send_keys Tab Tab Down Down             # the map list, rebuilt: c1a0.bsp
send_keys shift+Tab shift+Tab Return    # START
within "the game was not started" exists "$game/hl.exe.record"
expect "the game's command line for c1a0.bsp" "$game/hl.exe.record" \
  "\"$win_game\\hl.exe\" +map c1a0 +skill \"1\""$'\n'"$win_game"$'\n'
send_keys alt+F4
within "the launcher did not close" ended $pid
wait $pid
