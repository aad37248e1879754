#!/usr/bin/env bash
# The README's run command: installs what is missing, builds the x86_64 program and starts it
# under Wine, in a prefix of the project's own (never ~/.wine), with the simulated device library
# installed where iTunes puts Apple's. On $DISPLAY it runs until the program is closed; with no
# DISPLAY it runs the program on a private Xvfb, saves a screenshot once the window has painted,
# prints the screenshot's path and stops everything.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
build_root=${FERROLITE_BUILD_ROOT:-$top/build}
"$top/scripts/build.sh" x86_64
build="$build_root/x86_64"
exe="$build/app/Ferrolite.exe"
shot="$build_root/ferrolite-screenshot.png"

headless=0
[ -n "${DISPLAY:-}" ] || headless=1
source "$top/scripts/wine-env.sh" "$build_root/wineprefix-run"

# The build file of that name nearest to the top of the sim build folder (variant builds of the
# device library for tests sit in subfolders and carry the same file names).
find_sim_file() {
  find "$build/sim" -type f -name "$1" -printf '%d %p\n' 2>/dev/null | sort -n | head -n 1 | cut -d' ' -f2-
}

common_files="$WINEPREFIX/drive_c/Program Files/Common Files"
for entry in "iTunesMobileDevice.dll:Apple/Mobile Device Support" "CoreFoundation.dll:Apple/Apple Application Support"; do
  name=${entry%%:*}
  built=$(find_sim_file "$name")
  if [ -n "$built" ]; then
    install -D -m 644 "$built" "$common_files/${entry#*:}/$name"
  else
    echo "run.sh: $name is not built yet; Ferrolite starts without it"
  fi
done

if [ ! -f "$exe" ]; then
  echo "run.sh: $exe is not built yet" >&2
  exit 1
fi

# A digest of the whole screen, to tell when a window has appeared and finished painting.
screen_digest() {
  import -window root -depth 8 rgb:- 2>/dev/null | md5sum | cut -d' ' -f1
}

# Waits until the screen differs from the digest given and then holds still for a moment (or
# keeps changing for 10 s, as a blinking caret would make it). Fails if nothing changes in 60 s
# or if process $2 ends first.
wait_for_paint() {
  local before=$1 pid=$2 last now changed_at=""
  last=$before
  for _ in $(seq 1 240); do
    sleep 0.25
    kill -0 "$pid" 2>/dev/null || return 1
    now=$(screen_digest)
    if [ -z "$changed_at" ]; then
      [ "$now" != "$before" ] && changed_at=$SECONDS
    elif [ "$now" = "$last" ] && [ $((SECONDS - changed_at)) -ge 1 ]; then
      return 0
    elif [ $((SECONDS - changed_at)) -ge 10 ]; then
      return 0
    fi
    last=$now
  done
  return 1
}

panel=$(find_sim_file FerroliteSimPanel.exe)
cd "$(dirname "$exe")"
if [ "$headless" = 0 ]; then
  if [ -n "$panel" ]; then
    wine "$panel" >/dev/null 2>&1 &
  fi
  status=0
  wine "$exe" || status=$?
  exit $status
fi

if [ -n "$panel" ]; then
  baseline=$(screen_digest)
  wine "$panel" >/dev/null 2>&1 &
  wait_for_paint "$baseline" $! || echo "run.sh: the simulator's control window did not show"
fi
baseline=$(screen_digest)
wine "$exe" >/dev/null 2>&1 &
app=$!
if ! wait_for_paint "$baseline" $app; then
  if kill -0 $app 2>/dev/null; then
    echo "run.sh: Ferrolite showed nothing within 60 s" >&2
  else
    wait $app && status=0 || status=$?
    echo "run.sh: Ferrolite ended with status $status before it painted" >&2
  fi
  import -window root "$shot"
  echo "Screenshot: $shot"
  exit 1
fi
import -window root "$shot"
echo "Screenshot: $shot"
