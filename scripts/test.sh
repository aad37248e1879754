#!/usr/bin/env bash
# The whole test suite, headless: installs what is missing, builds both targets, runs every
# x86_64 test under Wine in a prefix and display of this run's own, and inspects the i686 build.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
build_root=${FERROLITE_BUILD_ROOT:-$top/build}
"$top/scripts/build.sh" x86_64
"$top/scripts/build.sh" i686
FERROLITE_PRIVATE_DISPLAY=1
source "$top/scripts/wine-env.sh" "$build_root/x86_64/wineprefix-test"
status=0
(cd "$build_root/i686" && ctest --output-on-failure "$@") || status=1
(cd "$build_root/x86_64" && ctest --output-on-failure "$@") || status=1
exit $status
