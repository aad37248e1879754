#!/usr/bin/env bash
# The program directory of executables whose full path is 259, 260 and 300 characters long.
# Windows cannot start such a path itself, so Wine starts them from the Linux side, where the
# Linux folder /tmp/... is the Windows folder Z:\tmp\....
# Usage: program_directory_lengths.sh <folders_probe.exe>
set -euo pipefail
probe=$1
work=$(mktemp -d /tmp/ferrolite-dirlen.XXXXXX)
trap 'rm -rf "$work"' EXIT
winwork="Z:${work//\//\\}"
status=0
for length in 259 260 300; do
  dir="$work/l$length"
  windir="$winwork\\l$length"
  # Fill with folders until "<windir>\p.exe" has exactly the wanted length.
  while [ $(( ${#windir} + 6 )) -lt "$length" ]; do
    room=$(( length - 6 - ${#windir} ))
    [ "$room" -gt 60 ] && n=59 || n=$(( room - 1 ))
    segment=$(printf 'd%.0s' $(seq "$n"))
    dir="$dir/$segment"
    windir="$windir\\$segment"
  done
  mkdir -p "$dir"
  cp "$probe" "$dir/p.exe"
  out="$work/out$length.txt"
  (cd "$dir" && wine p.exe "$winwork\\out$length.txt" >/dev/null 2>&1)
  answer=$(tr -d '\r\357\273\277' < "$out" | cut -d'|' -f1,2)
  if [ "$length" -lt 260 ]; then expected="true|$windir"; else expected="false|unchanged"; fi
  if [ "$answer" = "$expected" ]; then
    echo "ok: path of $length characters -> ${answer%%|*}"
  else
    echo "FAILED: path of $length characters: got '$answer', expected '$expected'"
    status=1
  fi
done
exit $status
