# Shared steps of the tutorial recordings, sourced by record-tutorials.sh.
# Each topic script defines one function, tutorial_<topic>, that drives the
# calculator with these helpers while the screen is being recorded.

KV_FONT=${KV_FONT:-/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf}
KV_SIZE=1024x700
KV_RATE=10

# A display number nobody uses yet, so a recording never lands on a real desktop.
free_display() {
  local n=95
  while [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]]; do n=$((n + 1)); done
  echo ":$n"
}

# Captions are re-read by ffmpeg on every frame; writing through a rename keeps
# it from ever reading a half-written file.
caption() {
  printf '%s' "$1" >"$KV_WORK/caption.tmp"
  mv -f "$KV_WORK/caption.tmp" "$KV_WORK/caption.txt"
  sleep "${2:-2.5}"
}

# Waits for a window by its exact title and prints its id.
wait_window() {
  xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | tail -1
}

# Without a window manager every new window opens in the top left corner over
# the main window; putting it beside the main window keeps both readable.
place_window() {
  local id
  id=$(wait_window "$1")
  xdotool windowmove "$id" "${2:-500}" "${3:-0}"
  sleep 0.3
  xdotool windowfocus --sync "$id" 2>/dev/null || true
  echo "$id"
}

# The graph window opens wider than the space beside the main window.
place_graph() {
  local id
  id=$(place_window Graph 490 0)
  xdotool windowsize "$id" 530 560
  # The progress window of a plot run goes underneath, where it stays readable.
  for id in $(xdotool search --onlyvisible --name '^Plot info$' 2>/dev/null); do
    xdotool windowmove "$id" 490 570
  done
  sleep 0.5
}

typed() { xdotool type --delay 90 "$1"; sleep 0.4; }
keys() { xdotool key --delay 150 "$@"; sleep 0.5; }
click_at() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.5; }
# Clicks at a point given relative to a window's top left corner.
click_in() {
  local id=$1 geometry x y
  geometry=$(xdotool getwindowgeometry --shell "$id")
  x=$(sed -n 's/^X=//p' <<<"$geometry")
  y=$(sed -n 's/^Y=//p' <<<"$geometry")
  click_at $((x + $2)) $((y + $3))
}
main_window() { wait_window Korvex; }
# Opens a main menu entry with the mouse, as a user would: the menu title's x,
# then the entry's x and y (Qt ignores synthetic Alt presses on Xvfb).
menu() {
  click_at "$1" 8
  sleep 0.4
  click_at "$2" "$3"
  sleep 0.6
}
# Menu titles and entries on the 1024x700 screen.
M_FILE=20 M_EDIT=56 M_VIEW=97 M_INSERT=143 M_TOOLS=189
menu_simple_mode() { menu $M_FILE 60 97; }
menu_insert_log() { menu $M_EDIT 97 97; }
menu_solution() { menu $M_VIEW 125 51; }
menu_graph() { menu $M_VIEW 125 75; }
menu_constant() { menu $M_INSERT 180 29; }
menu_function() { menu $M_INSERT 180 51; }
menu_mask_options() { menu $M_TOOLS 243 29; }
menu_plot_options() { menu $M_TOOLS 243 51; }
menu_user_variables() { menu $M_TOOLS 243 99; }
menu_general_options() { menu $M_TOOLS 250 121; }
# Types an expression into the main input and inserts it into the list.
enter_expression() {
  click_at 190 68
  xdotool key ctrl+a BackSpace
  typed "$1"
  click_at 418 68
}
solve() { click_at 430 418; sleep "${1:-1.5}"; }
# Rows of the expression list and the buttons above it.
list_row() { click_at 120 $((175 + 14 * $1)); }
T_UP=39 T_DOWN=68 T_EDIT=97 T_CHECK=126 T_DELETE=155 T_INSERTLOG=191
tool() { click_at "$1" 143; }
plot_toggle() { click_at 28 68; }

session_start() {
  KV_WORK=$(mktemp -d "${TMPDIR:-/tmp}/korvex-tutorial-XXXXXX")
  cp -r "$KV_BUILD/bin" "$KV_WORK/data-bin"
  mkdir "$KV_WORK/data" && mv "$KV_WORK/data-bin" "$KV_WORK/data/bin"
  # Whatever a developer's own runs left behind must not show up on film.
  # Every video starts from the default settings and an empty insertion log.
  rm -f "$KV_WORK/data/bin/"{log,general,mask,plot,var}.ini
  printf '0' >"$KV_WORK/data/bin/other.ini"
  export DISPLAY
  DISPLAY=$(free_display)
  Xvfb "$DISPLAY" -screen 0 "${KV_SIZE}x24" -nolisten tcp >"$KV_WORK/xvfb.log" 2>&1 &
  KV_XVFB=$!
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  if command -v xsetroot >/dev/null; then xsetroot -solid '#3b4f63'; fi
  KV_WM=
  for wm in openbox fluxbox icewm twm; do
    if command -v "$wm" >/dev/null; then "$wm" >/dev/null 2>&1 & KV_WM=$!; break; fi
  done
  QT_QPA_PLATFORM=xcb "$KV_BUILD/korvex" --data-dir "$KV_WORK/data" >"$KV_WORK/korvex.log" 2>&1 &
  KV_APP=$!
  main_window >/dev/null
  sleep 1.5
  caption " "  0
  ffmpeg -nostdin -loglevel error -threads 1 -f x11grab -framerate "$KV_RATE" \
    -video_size "$KV_SIZE" -i "$DISPLAY" \
    -vf "drawtext=fontfile=$KV_FONT:textfile=$KV_WORK/caption.txt:reload=1:fontsize=24:fontcolor=white:box=1:boxcolor=black@0.7:boxborderw=10:x=(w-text_w)/2:y=h-text_h-24" \
    -c:v mpeg4 -vtag XVID -q:v 5 -threads 1 -an -y "$KV_WORK/out.avi" &
  KV_FFMPEG=$!
  sleep 1
}

session_end() {
  local out=$1
  sleep 1
  kill -INT "$KV_FFMPEG" 2>/dev/null; wait "$KV_FFMPEG" 2>/dev/null
  kill "$KV_APP" 2>/dev/null; wait "$KV_APP" 2>/dev/null
  [[ -n $KV_WM ]] && { kill "$KV_WM" 2>/dev/null; wait "$KV_WM" 2>/dev/null; }
  kill "$KV_XVFB" 2>/dev/null; wait "$KV_XVFB" 2>/dev/null
  mv -f "$KV_WORK/out.avi" "$out"
  rm -rf "$KV_WORK"
}
