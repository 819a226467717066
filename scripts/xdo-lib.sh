# Sourced by the scripts that drive the launcher's windows with xdotool on a
# private Xvfb (scripts/xvfb-run-here); the caller defines fail(). Keys go
# to the focused widget in the order they are sent, so only a change of
# window is waited for: until it is shown and has the focus.

# The id of the shown window of that exact title, once it has the focus.
window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then
      xdotool windowfocus --sync "$id"
      echo "$id"
      return
    fi
    sleep 0.1
  done
  fail "no window \"$1\""
}

# Returns once no window of that exact title is shown.
gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "window \"$1\" stays"
}

keys() { xdotool key --delay 20 "$@"; }
