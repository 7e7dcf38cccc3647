#!/usr/bin/env bash
# Records the ten tutorial videos of Help > Tutorials from the real program:
# each topic runs korvex on a private virtual display with a fresh copy of the
# data folder, drives it with xdotool and films it with ffmpeg, captions burned
# in, as MPEG-4 Part 2 in AVI under data/bin/tutorials. The clicks use screen
# positions of a 1024x700 display under the first window manager found
# (openbox, as a desktop has one), so re-record all videos after a layout
# change.
# Usage: scripts/record-tutorials.sh [BUILD_DIR] [TOPIC...]
#   BUILD_DIR defaults to build (the folder holding korvex and bin/);
#   TOPIC is one of the file names in scripts/tutorials (normal, simple, ...).
# Needs Xvfb, xdotool, ffmpeg and the DejaVu fonts (packages xvfb, xdotool,
# ffmpeg, fonts-dejavu-core); these are recording tools, not build needs.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${1:-$root/build}
shift || true
out_dir=$root/data/bin/tutorials

missing=()
for tool in Xvfb xdotool xdpyinfo ffmpeg ffprobe; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
source "$here/tutorials/common.sh"
[[ -f $KV_FONT ]] || missing+=("$KV_FONT")
if ((${#missing[@]})); then
  echo "record-tutorials: missing ${missing[*]}" >&2
  echo "record-tutorials: install with: apt-get install xvfb xdotool x11-utils ffmpeg fonts-dejavu-core" >&2
  exit 1
fi
[[ -x $build/korvex && -d $build/bin ]] || {
  echo "record-tutorials: no korvex with a bin folder in $build" >&2
  exit 1
}

# A private copy, so a rebuild in the middle of a recording changes nothing.
KV_BUILD=$(mktemp -d "${TMPDIR:-/tmp}/tutorial-build-XXXXXX")
trap 'rm -rf "$KV_BUILD"' EXIT
cp "$build/korvex" "$KV_BUILD/" && cp -r "$build/bin" "$KV_BUILD/bin"
rm -rf "$KV_BUILD/bin/tutorials"

# topic script -> video file name shown in the Tutorials window
declare -A files=(
  [normal]="normal expressions" [simple]="simple mode" [log]="insert log"
  [masking]="answer masking" [conversion]="output conversion" [plot]="single plot"
  [variables]="user variables" [multiple]="multiple plots" [edit]="edit usage"
  [derivatives]="plot derivatives"
)
topics=("$@")
((${#topics[@]})) || topics=(normal simple log masking conversion plot variables multiple edit derivatives)
mkdir -p "$out_dir"
status=0
for topic in "${topics[@]}"; do
  [[ -n ${files[$topic]:-} ]] || { echo "record-tutorials: unknown topic $topic" >&2; status=1; continue; }
  source "$here/tutorials/$topic.sh"
  target="$out_dir/${files[$topic]}.avi"
  echo "record-tutorials: $topic -> $target"
  session_start
  "tutorial_$topic"
  session_end "$target"
  seconds=$(ffprobe -v error -show_entries format=duration -of default=nw=1:nk=1 "$target")
  echo "record-tutorials: ${files[$topic]}.avi ${seconds}s $(stat -c %s "$target") bytes"
done
exit $status
