#!/usr/bin/env bash
# Runs korvex as a person meets it on a desktop: a virtual 1600x1000 screen
# with a window manager (openbox) that frames, places and focuses windows,
# and a fresh data folder. Drives it with xdotool, checks what a test cannot
# see from inside the program, and takes screenshots to look at:
#   01-splash.png        the splash, centred on the main window
#   01-first-start.png   the start screen a newcomer gets once
#   02-plot.png          main window, Graph and Plot info after a plot
#   03-long-plot.png     Plot info while a long plot runs
#   04-dark.png          a dark desktop palette (GTK's dark theme)
#   05-scale-2.png       QT_SCALE_FACTOR=2
# and prints what it checked: the keyboard stays in the main window after a
# plot, the Graph leaves the main window uncovered, and seven restarts leave
# the main window where it was.
# Usage: scripts/gui-check.sh [BUILD_DIR] [OUT_DIR]
#   BUILD_DIR defaults to build (holding korvex and bin/), OUT_DIR to
#   gui-check in the current folder.
# Needs: apt-get install xvfb openbox xdotool wmctrl imagemagick x11-utils
# (and qt6-gtk-platformtheme for the dark palette shot).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=${2:-$PWD/gui-check}
mkdir -p "$out"
out=$(cd "$out" && pwd)

for tool in Xvfb openbox xdotool wmctrl import xdpyinfo; do
  command -v "$tool" >/dev/null || {
    echo "gui-check: missing $tool (apt-get install xvfb openbox xdotool wmctrl imagemagick x11-utils)" >&2
    exit 1
  }
done
[[ -x $build/korvex && -d $build/bin ]] || {
  echo "gui-check: no korvex with a bin folder in $build" >&2
  exit 1
}

work=$(mktemp -d "${TMPDIR:-/tmp}/korvex-gui-check-XXXXXX")
export DISPLAY=:${KORVEX_GUI_DISPLAY:-47}
pids=()
cleanup() {
  pkill -f "korvex --data-dir $work/data" 2>/dev/null
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$DISPLAY" -screen 0 1600x1000x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

# A data folder as a newcomer's: the shipped files only, other.ini asking
# for the start screen.
mkdir -p "$work/data/bin"
cp -r "$build/bin/functions" "$build/bin/constants" "$work/data/bin/"
cp "$root/data/first-start/other.ini" "$work/data/bin/"

status=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "gui-check: ok: $1"; else echo "gui-check: FAILED: $1" >&2; status=1; fi
}

start() {  # start [ENV=VALUE...]: korvex on the data folder, waits for its window
  env "$@" "$build/korvex" --data-dir "$work/data" >>"$work/korvex.log" 2>&1 &
  for _ in $(seq 100); do
    xdotool search --name '^Korvex$' >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1.5
}
main_window() { xdotool search --name '^Korvex$' | head -1; }
frame_of() {  # x y width height of the window titled $1, as the window manager has it
  wmctrl -lG | awk -v title="$1" '{name=""; for (i = 8; i <= NF; ++i) name = name (i > 8 ? " " : "") $i}
    name == title {print $3, $4, $5, $6; exit}'
}
quit() {
  timeout 5 xdotool windowactivate --sync "$(main_window)" 2>/dev/null
  xdotool key alt+f
  sleep 0.3
  xdotool key x
  for _ in $(seq 50); do pgrep -f "korvex --data-dir $work/data" >/dev/null || return 0; sleep 0.1; done
  pkill -f "korvex --data-dir $work/data"
}
shot() { import -window root "$out/$1"; echo "gui-check: $out/$1"; }

# 1. First start: the splash centred on the main window, then the start
# screen, once.
start
shot 01-splash.png
for _ in $(seq 100); do (($(xdotool search --name '^Korvex$' | wc -l) >= 2)) && break; sleep 0.1; done
sleep 1
shot 01-first-start.png
xdotool key Escape
sleep 0.5
check "other.ini was consumed" test "$(head -c1 "$work/data/bin/other.ini")" = 0

# 2. A plot: the Graph and Plot info open without taking the keyboard, and
# the Graph leaves the main window uncovered.
timeout 5 xdotool windowactivate --sync "$(main_window)"
xdotool key alt+p
xdotool type --delay 40 'sin[x]'
xdotool key Return
sleep 0.3
xdotool key Return
for _ in $(seq 50); do [[ -n $(frame_of Graph) ]] && break; sleep 0.1; done
sleep 1
shot 02-plot.png
check "the main window keeps the keyboard after a plot" \
  test "$(xdotool getactivewindow getwindowname 2>/dev/null)" = Korvex
covers() {  # covers "x y w h" "x y w h": the rectangles overlap
  local a=($1) b=($2)
  ((a[0] < b[0] + b[2] && b[0] < a[0] + a[2] && a[1] < b[1] + b[3] && b[1] < a[1] + a[3]))
}
uncovered() { ! covers "$(frame_of Korvex)" "$(frame_of Graph)"; }
echo "gui-check: main window at $(frame_of Korvex), Graph at $(frame_of Graph), Plot info at $(frame_of 'Plot info')"
check "the Graph leaves the main window uncovered" uncovered
xdotool type --delay 40 '1+1'
xdotool key Return
sleep 0.5
check "Enter after a plot did not press the Graph's button" bash -c "[[ -z \$(wmctrl -l | grep 'Choose serie') ]]"
quit

# 3. Seven restarts leave the main window where it was.
start
wmctrl -r Korvex -e 0,300,120,-1,-1
sleep 0.5
before=$(frame_of Korvex)
quit
drifted=0
for run in 1 2 3 4 5 6 7; do
  start
  now=$(frame_of Korvex)
  [[ $now == "$before" ]] || { echo "gui-check: run $run: main window at $now, was $before" >&2; drifted=1; }
  quit
done
check "seven restarts leave the main window at $before" test $drifted = 0

# 4. A long plot half way: the count and the bar move.
sed -i '2s/.*/1/;3s/.*/1000000/;4s/.*/1/' "$work/data/bin/plot.ini" 2>/dev/null
start
timeout 5 xdotool windowactivate --sync "$(main_window)"
xdotool key alt+p
xdotool type --delay 40 'primepi[x*1000]'
xdotool key Return
sleep 0.3
xdotool key Return
sleep 6
shot 03-long-plot.png
xdotool key Escape
sleep 1
quit

# 5. A dark desktop palette.
start QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
sleep 4  # the splash closes
shot 04-dark.png
quit

# 6. Twice the scale: the windows stay on the screen.
start QT_SCALE_FACTOR=2
sleep 4  # the splash closes
shot 05-scale-2.png
on_screen() {
  local r=($(frame_of Korvex))
  ((${#r[@]} == 4 && r[0] >= 0 && r[1] >= 0 && r[0] + 64 <= 1600 && r[1] + 24 <= 1000))
}
check "at scale 2 the main window's title bar is on the screen" on_screen
quit

exit $status
