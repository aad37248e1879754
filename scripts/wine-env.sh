# Sourced by the test and run scripts: a Wine prefix and an X display of the caller's own.
# Usage: source wine-env.sh <prefix-dir>. Starts Xvfb when no DISPLAY is given, keeps one
# wineserver alive for the session (each Wine program then starts fast) and cleans up on exit.
ferrolite_prefix=${1:?prefix directory}
export WINEPREFIX="$ferrolite_prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
ferrolite_xvfb_pid=""
if [ -z "${DISPLAY:-}" ] || [ "${FERROLITE_PRIVATE_DISPLAY:-0}" = 1 ]; then
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    ferrolite_xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
    break
  done
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  # A virtual desktop as the default removes Wine's wait for a window manager when a
  # top-level window hides or closes, and gives Windows-style frames in screenshots.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
fi
# Debian's Wine finds its own fonts (fonts-wine: Tahoma for "MS Shell Dlg", Marlett for the
# caption buttons) only in the prefix's Fonts folder; without them text falls back to DejaVu Sans
# with other metrics, and the caption buttons show letters.
for font in /usr/share/wine/fonts/*.ttf; do
  if [ -f "$font" ] && [ ! -e "$WINEPREFIX/drive_c/windows/Fonts/${font##*/}" ]; then
    cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
done
wineserver -p
# Start Wine's session processes (services, the desktop) now, detached from our output: one
# that inherited ctest's output pipe would keep ctest waiting after the tests have ended.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
ferrolite_cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$ferrolite_xvfb_pid" ] && kill "$ferrolite_xvfb_pid" 2>/dev/null || true
}
trap ferrolite_cleanup EXIT
