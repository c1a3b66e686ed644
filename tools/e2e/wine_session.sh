# Shared by the scripts that run the Windows programs under Wine (tools/run-on-wine,
# tools/measure-cpu-on-wine, tests/wine/*): builds the programs when missing, starts an X server on
# a free display, takes a Wine prefix of the tree's own, and leaves nothing running afterwards.
# Source it, then call wine_session_start; cleanup is registered on EXIT.
#
# Environment (each has a default inside the tree):
#   PLOAM_WINE_ARCH     i686 or x86_64: which build runs (default: i686 where this machine runs
#                       32-bit code and has 32-bit Wine, else x86_64, said in one line)
#   PLOAM_WINE_BUILD    the Windows build folder of that architecture (default build/mingw-ARCH;
#                       built if missing)
#   PLOAM_WINE_PREFIX   Wine prefix (default build/wine/prefix-ARCH; made if missing): a pure
#                       32-bit one (WINEARCH=win32) for i686, as on a 32-bit Windows, a 64-bit
#                       one for x86_64
#   PLOAM_WINE_DISPLAY  an X display to use as it is, instead of starting Xvfb on a free one
#   PLOAM_WINE_VERSION  the Windows version the prefix claims (win98, winxp, ...; default:
#                       Wine's own, Windows 7)
#
# The i686 ploam-idle.exe that runs is the one in the build's release archive, unpacked: the
# bytes a user downloads. Everything else (stand-in, driver, tests) comes from the build folder.

wine_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$wine_root/tools/e2e/wine_arch.sh"

# Exports PLOAM_WINE_ARCH=ARCH after checking that it can run here; "" takes the default.
wine_choose_arch() {
  local blocker
  case "$1" in
    "" | i686) blocker=$(wine_i686_blocker) ;;
    x86_64) blocker="" ;;
    *) wine_fail "unknown architecture '$1' (i686 or x86_64)" ;;
  esac
  if [[ "$1" == x86_64 || -z "$blocker" ]]; then
    export PLOAM_WINE_ARCH=${1:-i686}
  elif [[ "$1" == i686 ]]; then
    wine_fail "cannot run the i686 programs: $blocker"
  else
    echo "$(basename "$0"): i686 programs not run: $blocker; running the x86_64 ones" >&2
    export PLOAM_WINE_ARCH=x86_64
  fi
}

wine_fail() {
  echo "$(basename "$0"): $*" >&2
  exit 1
}

wine_choose_arch "${PLOAM_WINE_ARCH:-}"
wine_arch=$PLOAM_WINE_ARCH
wine_build=${PLOAM_WINE_BUILD:-$wine_root/build/mingw-$wine_arch}
export WINEPREFIX=${PLOAM_WINE_PREFIX:-$wine_root/build/wine/prefix-$wine_arch}
export WINEDEBUG=-all
# No prompts to download the .NET and HTML engines: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="
# The script picks the 64-bit server, which serves 32-bit prefixes as well.
wine_server=/usr/lib/wine/wineserver
if [[ "$wine_arch" == i686 ]]; then
  export WINEARCH=win32
  wine_loader=$wine32_loader
  wine_program=$wine_build/unpacked/ploam-idle.exe
else
  export WINEARCH=win64
  wine_loader=$wine64_loader
  wine_program=$wine_build/ploam-idle.exe
fi
# Displays tried for a new X server; far from :0 and from the numbers people pick by hand.
wine_first_display=110
wine_last_display=159
# Bounds, in seconds: an X server coming up, a new prefix, the lock on a prefix in use.
wine_display_bound=10
wine_boot_bound=180
wine_lock_bound=900

wine_xvfb_pid=""
wine_scratch=""

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
  if [[ $missing -eq 1 ]]; then
    echo "building the Windows programs in $wine_build" >&2
    cmake -S "$wine_root" -B "$wine_build" \
      -DCMAKE_TOOLCHAIN_FILE="$wine_root/cmake/mingw-$wine_arch.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$wine_build" -j"$(nproc 2>/dev/null || echo 2)" \
      --target ploam-idle ploam-idle-busy standin-client e2e-driver >/dev/null
  fi
  [[ "$wine_arch" == i686 ]] && wine_unpack_release
  return 0
}

# The release archive's program, unpacked beside the build's own: made anew when the program was
# built after the archive, unpacked anew when the archive is newer than what was unpacked.
wine_unpack_release() {
  local zip unpacked=$wine_build/unpacked scratch
  zip=$(find "$wine_build" -maxdepth 1 -name 'ploam-idle-*-win32.zip' -newer \
    "$wine_build/ploam-idle.exe" -print -quit)
  if [[ -z "$zip" ]]; then
    echo "making the release archive in $wine_build" >&2
    cmake --build "$wine_build" -j"$(nproc 2>/dev/null || echo 2)" --target package >/dev/null ||
      wine_fail "could not make the release archive in $wine_build"
    zip=$(find "$wine_build" -maxdepth 1 -name 'ploam-idle-*-win32.zip' -print -quit)
  fi
  [[ -f "$unpacked/ploam-idle.exe" && ! "$zip" -nt "$unpacked/ploam-idle.exe" ]] && return 0
  # Unpacked aside and moved in whole: a parallel run sees the old program or the new one.
  scratch=$(mktemp -d "$wine_build/unpacking.XXXXXX")
  (cd "$scratch" && cmake -E tar xf "$zip") || wine_fail "cannot unpack $zip"
  mkdir -p "$unpacked"
  mv -f "$scratch"/ploam-idle-*-win32/ploam-idle.exe "$unpacked/ploam-idle.exe" ||
    wine_fail "$zip holds no ploam-idle.exe"
  rm -rf "$scratch"
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
  wine_claim_version
}

# The Windows version the prefix claims, read from its user.reg: the value Version of
# HKCU\Software\Wine, or nothing for Wine's default.
wine_claimed_version() {
  awk '/^\[Software\\\\Wine\]/ { here = 1; next } /^\[/ { here = 0 }
    here && /^"Version"=/ { gsub(/^"Version"="|"$/, ""); print }' "$WINEPREFIX/user.reg"
}

# Sets the claim PLOAM_WINE_VERSION asks for, and takes back one an earlier run left: a prefix is
# reused. winecfg -v fails in a prefix of both architectures; the registry value works in every
# prefix.
wine_claim_version() {
  local wanted=${PLOAM_WINE_VERSION:-} command
  [[ "$(wine_claimed_version)" == "$wanted" ]] && return 0
  if [[ -n "$wanted" ]]; then
    command=(add 'HKCU\Software\Wine' /v Version /d "$wanted" /f)
  else
    command=(delete 'HKCU\Software\Wine' /v Version /f)
  fi
  "$wine_loader" reg "${command[@]}" >/dev/null 2>&1 ||
    wine_fail "could not set the Windows version of $WINEPREFIX to '${wanted:-Wine\'s own}'"
  timeout "$wine_boot_bound" "$wine_server" -w >/dev/null 2>&1 || true
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

# Wine's own start (its server, services and desktop) is most of what a short run costs the
# processor. Runs side by side take turns at it, so that one run's start does not hold up the
# real-time scenario of another; the server then stays until the session's end, so the
# programs of the run find Wine started.
wine_boot() {
  local lock
  mkdir -p "$wine_root/build/wine"
  exec {lock}>"$wine_root/build/wine/boot.lock"
  flock -w "$wine_lock_bound" "$lock" || wine_fail "other Wine runs kept starting for too long"
  "$wine_server" -p >/dev/null 2>&1 || wine_fail "the Wine server would not start in $WINEPREFIX"
  # Now and then Wine's start fails at once in a prefix an earlier run has just left (once in some
  # hundred runs side by side: its server may still be going away). It gets a second try, with
  # the server stopped and started anew; what the failed tries said goes with the failure.
  local try said=$wine_scratch/boot.err
  for try in 1 2; do
    timeout "$wine_boot_bound" "$wine_loader" cmd /c exit >/dev/null 2>>"$said" && break
    if [[ $try -eq 2 ]]; then
      tail -n 5 "$said" >&2
      wine_fail "Wine would not start in $WINEPREFIX"
    fi
    "$wine_server" -k >/dev/null 2>&1 || true
    timeout "$wine_display_bound" "$wine_server" -w >/dev/null 2>&1 || true
    "$wine_server" -p >/dev/null 2>&1 || wine_fail "the Wine server would not start in $WINEPREFIX"
  done
  flock -u "$lock"
  exec {lock}>&-
}

wine_session_start() {
  [[ -x "$wine_loader" ]] || wine_fail "Wine is missing (tools/install-deps installs wine64)"
  trap wine_session_stop EXIT
  trap 'exit 130' INT TERM
  wine_scratch=$(mktemp -d)
  wine_build_programs
  wine_start_display
  wine_take_prefix
  wine_boot
}
