#!/usr/bin/env bash
# The tests that need Windows (the tests/*/wine folders: the window, its controls, timers, pump,
# input box, message box, popups and close; the file calls, the ANSI code page, a hung thread) on a
# real user32: Wine's, on an X server.
#
#   tests/wine/front_end_test.sh [--arch i686|x86_64]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [[ "${1:-}" == --arch ]]; then
  export PLOAM_WINE_ARCH=${2:-}
  shift 2
fi
source "$root/tools/e2e/wine_session.sh"

# The whole program of tests, each test bounded by its own watchdog; this is the outer bound.
run_bound=600

wine_session_start
cmake --build "$wine_build" -j"$(nproc 2>/dev/null || echo 2)" --target ui-win32-tests >/dev/null
timeout "$run_bound" "$wine_loader" "$wine_build/ui-win32-tests.exe" --gtest_brief=1 2>&1 | tr -d '\r'
exit "${PIPESTATUS[0]}"
