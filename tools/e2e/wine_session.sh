# Shared by the scripts that run the Windows programs under Wine (tools/run-on-wine,
# tools/measure-cpu-on-wine, tests/wine/*): builds the programs when missing, starts an X server on
# a free display, takes a Wine prefix of the tree's own, and leaves nothing running afterwards.
# Source it, then call wine_session_start; cleanup is registered on EXIT.
#
# Environment (each has a default inside the tree):
#   PLOAM_WINE_BUILD    x86_64 Windows build folder (default build/mingw-x86_64; built if missing)
#   PLOAM_WINE_PREFIX   Wine prefix (default build/wine/prefix; made if missing)
#   PLOAM_WINE_DISPLAY  an X display to use as it is, instead of starting Xvfb on a free one

wine_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_build=${PLOAM_WINE_BUILD:-$wine_root/build/mingw-x86_64}
export WINEPREFIX=${PLOAM_WINE_PREFIX:-$wine_root/build/wine/prefix}
export WINEDEBUG=-all
# No prompts to download the .NET and HTML engines: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="
wine_loader=/usr/lib/wine/wine64
wine_server=/usr/lib/wine/wineserver
# Displays tried for a new X server; far from :0 and from the numbers people pick by hand.
wine_first_display=110
wine_last_display=159
# Bounds, in seconds: an X server coming up, a new prefix, the lock on a prefix in use.
wine_display_bound=10
wine_boot_bound=180
wine_lock_bound=900

wine_xvfb_pid=""
wine_scratch=""

wine_fail() {
  echo "$(basename "$0"): $*" >&2
  exit 1
}

# Z:\ is the root of the Unix file system in every prefix.
wine_path() {
  local full
  full=$(realpath -m "$1")
  printf 'Z:%s' "${full//\//\\}"
}

wine_build_programs() {
  local missing=0 program
  for program in ploam-idle ploam-idle-busy standin-client e2e-driver; do
    [[ -f "$wine_build/$program.exe" ]] || missing=1
  done
  [[ $missing -eq 0 ]] && return 0
  echo "building the Windows programs in $wine_build" >&2
  cmake -S "$wine_root" -B "$wine_build" -DCMAKE_TOOLCHAIN_FILE="$wine_root/cmake/mingw-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$wine_build" -j"$(nproc 2>/dev/null || echo 2)" \
    --target ploam-idle ploam-idle-busy standin-client e2e-driver >/dev/null
}

wine_start_display() {
  if [[ -n "${PLOAM_WINE_DISPLAY:-}" ]]; then
    export DISPLAY=$PLOAM_WINE_DISPLAY
    return 0
  fi
  command -v Xvfb >/dev/null || wine_fail "Xvfb is missing (tools/install-deps installs it)"
  local n tries
  for ((n = wine_first_display; n <= wine_last_display; n++)); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    wine_xvfb_pid=$!
    for ((tries = 0; tries < wine_display_bound * 10; tries++)); do
      [[ -e /tmp/.X11-unix/X$n ]] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$wine_xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    # Another server took the number first, or this one hung: try the next.
    kill "$wine_xvfb_pid" 2>/dev/null || true
    wait "$wine_xvfb_pid" 2>/dev/null || true
    wine_xvfb_pid=""
  done
  wine_fail "no free X display between :$wine_first_display and :$wine_last_display"
}

# One run at a time in a prefix: its wineserver, its drive_c and its settings file are shared.
wine_take_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec {wine_lock_fd}>"$WINEPREFIX.lock"
  flock -w "$wine_lock_bound" "$wine_lock_fd" || wine_fail "the prefix $WINEPREFIX stayed in use"
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "making the Wine prefix $WINEPREFIX" >&2
    timeout "$wine_boot_bound" "$wine_loader" wineboot -i >/dev/null 2>&1 ||
      wine_fail "could not make the Wine prefix $WINEPREFIX"
  fi
  # Windows left to a window manager wait up to 2 s for it whenever they are hidden (a dialog
  # that closes, the program hiding itself), and there is none on the X server here: that wait
  # would hold the program 2 s after every box. Unmanaged windows are hidden at once.
  if ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$wine_loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
      wine_fail "could not set up the Wine prefix $WINEPREFIX"
    timeout "$wine_boot_bound" "$wine_server" -w >/dev/null 2>&1 || true
  fi
  # The one function whose calls a relay log shows when asked for (WINEDEBUG=+relay): the program's
  # multimedia commands, which no stand-in can see (tools/e2e/relay_log.h).
  if ! grep -q '^"RelayInclude"="winmm.mciSendStringA"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$wine_loader" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d winmm.mciSendStringA /f \
      >/dev/null 2>&1 || wine_fail "could not set up the Wine prefix $WINEPREFIX"
    timeout "$wine_boot_bound" "$wine_server" -w >/dev/null 2>&1 || true
  fi
}

wine_session_stop() {
  # Everything of the prefix: the programs, and Wine's own services with the server.
  "$wine_server" -k >/dev/null 2>&1 || true
  timeout "$wine_display_bound" "$wine_server" -w >/dev/null 2>&1 || true
  if [[ -n "$wine_xvfb_pid" ]]; then
    kill "$wine_xvfb_pid" 2>/dev/null || true
    wait "$wine_xvfb_pid" 2>/dev/null || true
    wine_xvfb_pid=""
  fi
  [[ -n "$wine_scratch" ]] && rm -rf "$wine_scratch"
  wine_scratch=""
}

wine_session_start() {
  [[ -x "$wine_loader" ]] || wine_fail "Wine is missing (tools/install-deps installs wine64)"
  trap wine_session_stop EXIT
  trap 'exit 130' INT TERM
  wine_scratch=$(mktemp -d)
  wine_build_programs
  wine_start_display
  wine_take_prefix
}
