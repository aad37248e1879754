#!/usr/bin/env bash
# Takes the pictures of the controls for docs/: runs controls_showcase of an x86_64 build in a
# Wine virtual desktop on a private Xvfb display and crops the screenshot to the button band and
# to the link line. Usage: tests/controls/shoot-controls.sh (uses FERROLITE_BUILD_ROOT if set).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build_root=${FERROLITE_BUILD_ROOT:-$top/build}
"$top/scripts/build.sh" x86_64 >/dev/null
exe_dir="$build_root/x86_64/tests/controls"
FERROLITE_PRIVATE_DISPLAY=1
source "$top/scripts/wine-env.sh" "$build_root/x86_64/wineprefix-shots"
work=$(mktemp -d)
report="$work/rects.txt"
(cd "$exe_dir" && wine controls_showcase.exe "$(winepath -w "$report")" 4) &
showcase=$!
for _ in $(seq 1 200); do [ -s "$report" ] && break; sleep 0.05; done
[ -s "$report" ] || { echo "the showcase did not report its window" >&2; exit 1; }
sleep 0.5
import -window root "$work/screen.png"
wait "$showcase"
mapfile -t rects <"$report"
# The window with its frame and the buttons' band, then the link line, each enlarged twice
# without smoothing so single pixels stay visible.
convert "$work/screen.png" -crop "${rects[1]}" +repage -filter point -resize 200% "$top/docs/controls-image-button.png"
convert "$work/screen.png" -crop "${rects[2]}" +repage -filter point -resize 200% "$top/docs/controls-link.png"
convert "$work/screen.png" -crop "${rects[0]}" +repage "$work/window.png"
echo "window: $work/window.png"
