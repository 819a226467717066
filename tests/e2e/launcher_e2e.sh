#!/usr/bin/env bash
# End to end: the real tarq program under Xvfb, driven with the keyboard.
# Chooses the game folder with "...", picks a map, attaches a mark and a
# comment, picks a difficulty, presses START and closes the window; then
# checks what the stand-in game received and the bytes of both data files.
# Usage: launcher_e2e.sh <tarq binary> <tools folder> <version>
set -euo pipefail
tarq=$(realpath "$1")
tools=$(realpath "$2")
title="TARQ $3"
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/prog" "$work/Half Life/valve/maps"
cp "$tarq" "$work/prog/tarq"
game="$work/Half Life"
cat > "$game/hl.exe" <<'GAME'
#!/bin/sh
{ pwd -P; for a in "$@"; do printf '[%s]\n' "$a"; done; } > "$0.tmp"
mv "$0.tmp" "$0.record"
GAME
chmod +x "$game/hl.exe"
: > "$game/valve/maps/c1a0.bsp"
: > "$game/valve/maps/c2a1.bsp"

export QT_QPA_PLATFORM=xcb
xdo="$here/../../scripts/xdo-lib.sh"
export tools game work title xdo
"$here/../../scripts/xvfb-run-here" bash -euo pipefail -c '
  fail() { echo "e2e: $*" >&2; exit 1; }
  . "$xdo"

  cd "$game"  # the folder dialog opens on the current folder
  "$work/prog/tarq" & pid=$!
  main=$(focus_window "$title")
  send_keys Return                  # "..." has the focus
  focus_window "フォルダ選択" >/dev/null
  send_keys Return                  # OK has the focus: accept this folder
  wait_until_gone "フォルダ選択"
  xdotool windowfocus --sync "$main"
  send_keys Tab Tab Tab Tab Tab Tab # to the map list, which rebuilds
  send_keys Down                    # c1a0.bsp
  send_keys Tab Tab Tab Tab Return  # Comment
  focus_window "コメント" >/dev/null
  send_keys Tab Tab Down            # the mark list: ◎
  send_keys Tab
  type_text "boss, hard"
  send_keys Tab Tab Return          # back to OK
  wait_until_gone "コメント"
  xdotool windowfocus --sync "$main"
  send_keys Tab Tab Down            # from Comment past START to the difficulty: Easy
  send_keys shift+Tab Return        # START
  for _ in $(seq 100); do [ -f "$game/hl.exe.record" ] && break; sleep 0.1; done
  "$tools/close_window" "$main"
  for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  kill -0 $pid 2>/dev/null && fail "the launcher did not close"
  wait $pid
'

fail() { echo "e2e: $*" >&2; exit 1; }
expect() {  # expect <what> <expected bytes (printf format)> <file>
  diff <(printf "$2") "$3" >/dev/null || {
    echo "e2e: $1 differs; expected:" >&2; printf "$2" | od -c | head -20 >&2
    echo "got:" >&2; od -c "$3" | head -20 >&2; exit 1; }
}
[ -f "$game/hl.exe.record" ] || fail "the game was not started"
expect "the game's arguments and folder" "$game\n[+map]\n[c1a0]\n[+skill]\n[1]\n" "$game/hl.exe.record"
expect "tarqcom.dat" '"c1a0.bsp","\x81\x9d","boss, hard"\r\n' "$work/prog/tarqcom.dat"
expect "tarqcfg.dat" "$game\r\n 1 \r\n 0 \r\n 0 \r\n" "$work/prog/tarqcfg.dat"

# A map whose name would add options to the game's command line: START
# passes the other options only; the next map's name is passed.
hostile="$work/hostile"
mkdir -p "$hostile/valve/maps"
cp "$game/hl.exe" "$hostile/hl.exe"
: > "$hostile/valve/maps/c -game evil.bsp"  # row 1
: > "$hostile/valve/maps/d1.bsp"            # row 2
printf '%s\r\n 1 \r\n 0 \r\n 0 \r\n' "$hostile" > "$work/prog/tarqcfg.dat"
export hostile
"$here/../../scripts/xvfb-run-here" bash -euo pipefail -c '
  fail() { echo "e2e: $*" >&2; exit 1; }
  . "$xdo"
  started() {
    for _ in $(seq 100); do [ -f "$hostile/hl.exe.record" ] && return; sleep 0.1; done
    fail "the game was not started"
  }
  "$work/prog/tarq" & pid=$!
  main=$(focus_window "$title")
  send_keys Tab Tab Tab Tab Tab Tab Down  # the map list, rebuilt: c -game evil.bsp
  send_keys shift+Tab shift+Tab Return    # START
  started
  mv "$hostile/hl.exe.record" "$hostile/first.record"
  send_keys Tab Tab Down Down             # the map list, rebuilt: d1.bsp
  send_keys shift+Tab shift+Tab Return    # START
  started
  "$tools/close_window" "$main"
  wait $pid
'
expect "the game's arguments for c -game evil.bsp" "$hostile\n[+skill]\n[1]\n" "$hostile/first.record"
expect "the game's arguments for d1.bsp" "$hostile\n[+map]\n[d1]\n[+skill]\n[1]\n" \
  "$hostile/hl.exe.record"

# Steam's copy (hl_linux, no hl.exe): the folder dialog takes it, and START
# runs the stand-in `steam` from PATH with -applaunch 70 and the options.
steamgame="$work/Steam Library/steamapps/common/Half-Life"
mkdir -p "$steamgame/valve/maps" "$work/bin"
: > "$steamgame/hl_linux"
: > "$steamgame/valve/maps/c1a0.bsp"
printf '"AppState"\n{\n\t"appid"\t\t"70"\n\t"installdir"\t\t"Half-Life"\n}\n' \
  > "$work/Steam Library/steamapps/appmanifest_70.acf"
cp "$game/hl.exe" "$work/bin/steam"
export steamgame PATH="$work/bin:$PATH" HOME="$work"
"$here/../../scripts/xvfb-run-here" bash -euo pipefail -c '
  fail() { echo "e2e: $*" >&2; exit 1; }
  . "$xdo"
  cd "$steamgame"
  "$work/prog/tarq" & pid=$!
  main=$(focus_window "$title")
  send_keys Return                        # "..."
  focus_window "フォルダ選択" >/dev/null
  send_keys Return                        # OK: Steam'"'"'s copy is taken
  wait_until_gone "フォルダ選択"
  xdotool windowfocus --sync "$main"
  send_keys Tab Tab Tab Tab Tab Tab Down  # the map list: c1a0.bsp
  send_keys shift+Tab shift+Tab Return    # START
  for _ in $(seq 100); do [ -f "$work/bin/steam.record" ] && break; sleep 0.1; done
  "$tools/close_window" "$main"
  wait $pid
'
[ -f "$work/bin/steam.record" ] || fail "Steam was not started"
expect "Steam's arguments" "$work\n[-applaunch]\n[70]\n[+map]\n[c1a0]\n[+skill]\n[\"1\"]\n" \
  "$work/bin/steam.record"
echo "e2e: passed"
