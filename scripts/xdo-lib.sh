# Sourced by the scripts that drive the launcher's windows with xdotool on a
# private Xvfb (scripts/xvfb-run-here): the end-to-end tests and the
# pictures, of the Qt windows and of tarq.exe under Wine. The caller
# defines fail(). Keys go to the focused window in the order they are sent,
# so only a change of window is waited for.
#
# Titles match exactly, letter case included: xdotool's own search ignores
# case, so it only finds the candidates.

# The ids of the shown windows titled exactly $1.
windows_titled() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null || true); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id"
  done
  return 0
}

# Waits up to thirty seconds (a first Wine start is slow) for a shown
# window titled exactly $1, gives it the focus and prints its id.
focus_window() {
  local id
  for _ in $(seq 600); do
    id=$(windows_titled "$1" | head -1)
    if [ -n "$id" ]; then
      xdotool windowfocus --sync "$id"
      echo "$id"
      return
    fi
    sleep 0.05
  done
  fail "no window \"$1\""
}

# Waits up to thirty seconds for a shown window titled exactly $1 to get
# the focus by itself, as a program's new window does; prints its id.
wait_for_focus() {
  local id
  for _ in $(seq 600); do
    id=$(windows_titled "$1" | head -1)
    if [ -n "$id" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ]; then
      echo "$id"
      return
    fi
    sleep 0.05
  done
  fail "no focus on \"$1\""
}

# Waits up to thirty seconds until no window titled exactly $1 is shown.
wait_until_gone() {
  for _ in $(seq 600); do
    [ -z "$(windows_titled "$1")" ] && return 0
    sleep 0.05
  done
  fail "window \"$1\" stays"
}

# Sends keys (xdotool key names) to the focused window, one by one.
send_keys() { xdotool key --delay 40 "$@"; }

# Types text into the focused window.
type_text() { xdotool type --delay 40 "$1"; }
