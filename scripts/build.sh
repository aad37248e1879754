#!/usr/bin/env bash
# Configures and builds one target (x86_64 or i686) into build/<target>.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:?usage: build.sh x86_64|i686}
dir="${FERROLITE_BUILD_ROOT:-$top/build}/$arch"
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-$arch.cmake" >/dev/null
fi
cmake --build "$dir" -j"$(nproc)"
