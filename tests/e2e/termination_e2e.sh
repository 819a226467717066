#!/usr/bin/env bash
# End to end: the session ends the real tarq program under Xvfb. For each of
# SIGTERM, SIGINT and SIGHUP, and with nothing, the folder dialog or a
# message box over it open: start with saved choices, change the heap size
# with the keyboard, send the signal; the program must exit with status 0
# having written tarqcfg.dat with the change, and nothing else.
# Usage: termination_e2e.sh <tarq binary> <tools folder> <version>
set -euo pipefail
tarq=$(realpath "$1")
tools=$(realpath "$2")
title="TARQ $3"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/nogame"  # the folder dialog opens here: no hl.exe, so OK warns

scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
xdo=$scripts/xdo-lib.sh
export QT_QPA_PLATFORM=xcb
export tarq tools work title xdo
"$scripts/xvfb-run-here" bash -euo pipefail -c '
  set -m  # a background job of a script would otherwise ignore SIGINT
  fail() { echo "termination e2e ($case): $*" >&2; exit 1; }
  . "$xdo"

  for signal in TERM INT HUP; do
    for open in nothing dialog message; do
      case="SIG$signal, $open open"
      prog="$work/$signal-$open"
      mkdir -p "$prog"
      cp "$tarq" "$prog/tarq"
      printf "/games/hl\r\n 2 \r\n 1 \r\n 1 \r\n" > "$prog/tarqcfg.dat"
      (cd "$work/nogame" && exec "$prog/tarq") & pid=$!

      focus_window "$title" >/dev/null
      # "..." has the focus; the heap size list is next: 16MB becomes 32MB.
      # Then "..." opens the folder dialog, whose window shows that the
      # keys before it have been handled.
      send_keys Tab Down shift+Tab Return
      dialog=$(focus_window "フォルダ選択")
      case $open in
        nothing)
          "$tools/close_window" "$dialog"
          wait_until_gone "フォルダ選択" ;;
        message)
          send_keys Return  # OK has the focus; this folder has no hl.exe
          focus_window TARQ >/dev/null ;;
      esac

      kill -s "$signal" $pid
      end=$((SECONDS + 20))
      while kill -0 $pid 2>/dev/null && [ $SECONDS -lt $end ]; do sleep 0.05; done
      kill -0 $pid 2>/dev/null && { kill -KILL $pid; fail "the launcher did not close"; }
      status=0
      wait $pid || status=$?
      [ $status -eq 0 ] || fail "exit status $status"
      expected=$(printf "/games/hl\r\n 2 \r\n 2 \r\n 1 \r\n" | od -An -c)
      got=$(od -An -c "$prog/tarqcfg.dat")
      [ "$got" = "$expected" ] || fail "tarqcfg.dat holds$got"
      left=$(ls -A "$prog" | grep -vx -e tarq -e tarqcfg.dat || true)
      [ -z "$left" ] || fail "left beside the settings: $left"
      echo "termination e2e: $case: closed, status 0, settings saved"
    done
  done
'
echo "termination e2e: passed"
