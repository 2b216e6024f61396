#!/usr/bin/env bash
# The game in a real X session on a virtual screen. Without a window manager the keys work at
# once (the frame is the active window) and the help opens beside the board; under a window
# manager the frame comes up at an outer size of 380 x 410, its frame included.
#   bash desktop_test.sh PATH/TO/renju
# Exit status 77 (skipped) when a tool it needs is not installed.
set -u
game=$(realpath "$1")
for tool in Xvfb openbox xdotool xwininfo xprop; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
# The texts as written, and settings of the test's own.
export LC_ALL=C.UTF-8 XDG_CONFIG_HOME="$work/config"
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

start_display() {
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -1 "$work/display")"
}

# The id of the first visible window whose name matches, waiting up to 10 s.
find_window() {
  for _ in $(seq 100); do
    local id
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# "x y width height" of a window's inside, in screen coordinates.
inside_of() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

start_game() {
  (cd "$work" && QT_QPA_PLATFORM=xcb exec "$game" >/dev/null 2>&1) &
  pids+=($!)
  find_window '^Renju - '
}

# 1. No window manager.
start_display
if frame=$(start_game); then
  focus=""
  for _ in $(seq 50); do
    focus=$(xdotool getwindowfocus 2>/dev/null)
    [ "$focus" = "$frame" ] && break
    sleep 0.1
  done
  [ "$focus" = "$frame" ] || fail "the frame does not have the keyboard at start (focus: $focus)"
  xdotool key F1
  if help=$(find_window '^Renju: '); then
    read -r fx fy fw fh <<<"$(inside_of "$frame")"
    read -r hx hy hw hh <<<"$(inside_of "$help")"
    if ! ((hx >= fx + fw || hx + hw <= fx)); then
      fail "the help window ($hw x $hh at $hx,$hy) covers the board ($fw x $fh at $fx,$fy)"
    fi
  else
    fail "F1 opened no help window"
  fi
else
  fail "no game window without a window manager"
fi
for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
wait 2>/dev/null
pids=()

# 2. Under a window manager.
start_display
openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
if frame=$(start_game); then
  outer=""
  for _ in $(seq 30); do
    read -r _ _ w h <<<"$(inside_of "$frame")"
    extents=$(xprop -id "$frame" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
    if [ -n "$extents" ]; then
      IFS=, read -r l r t b <<<"$extents"
      outer="$((w + l + r)) x $((h + t + b))"
      [ "$outer" = "380 x 410" ] && break
    fi
    sleep 0.1
  done
  [ "$outer" = "380 x 410" ] || fail "outer size under a window manager: ${outer:-unknown}, not 380 x 410"
else
  fail "no game window under a window manager"
fi

for ((i = ${#pids[@]} - 1; i >= 2; i--)); do kill "${pids[i]}" 2>/dev/null; done
pids=("${pids[0]}" "${pids[1]}")

# 3. Under the window manager, its close request (Alt+F4) while the computer thinks ends the
# program at once, not when the computer has thought to its time limit (18 s of 20 here).
ended() {  # the process has ended (a zombie until this shell reaps it)
  [ ! -e "/proc/$1/stat" ] || [ "$(awk '{print $3}' "/proc/$1/stat")" = Z ]
}
(cd "$work" && QT_QPA_PLATFORM=xcb exec "$game" --moves "9,9 10,9 9,11 10,11" >/dev/null 2>&1) &
thinker=$!
pids+=($thinker)
if frame=$(find_window '^Renju - Move 4'); then
  xdotool windowactivate --sync "$frame" 2>/dev/null
  xdotool key alt+s
  sleep 0.5
  for _ in $(seq 8); do xdotool key Down; done  # the tournament player
  xdotool key Return
  sleep 0.3
  xdotool mousemove --window "$frame" 60 90 click 1  # near the top-left corner of the grid
  sleep 1.5
  title=$(xdotool getwindowname "$frame")
  [ "$title" = "Renju - Move 5, Time 0.00" ] || fail "the computer is not thinking: $title"
  xdotool key alt+F4
  start=$(date +%s%N)
  while ! ended "$thinker" && (($(date +%s%N) - start < 10000000000)); do sleep 0.05; done
  took=$((($(date +%s%N) - start) / 1000000))
  ended "$thinker" || fail "the program still runs 10 s after the window was closed"
  ((took < 5000)) || fail "the program ended $took ms after the window was closed"
  echo "closed while the computer thought: the program ended after $took ms"
else
  fail "no game window with the moves given"
fi

if [ "$failures" -gt 0 ]; then
  exit 1
fi
echo "passed"
