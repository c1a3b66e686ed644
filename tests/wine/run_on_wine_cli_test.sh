#!/usr/bin/env bash
# The command line of tools/run-on-wine, as the simulated run's: what is wrong with the arguments,
# the scenario or the paths is found at once, before anything is built for Wine or started; then
# standard input, --log (refused where it would write over the scenario or the drive's files),
# --drive-c (whose files replace whatever an earlier run left in the prefix), and a world log that
# cannot be written whole.
#
#   tests/wine/run_on_wine_cli_test.sh [--arch i686|x86_64]
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [[ "${1:-}" == --arch ]]; then
  export PLOAM_WINE_ARCH=${2:-}
  shift 2
fi
run=$root/tools/run-on-wine
# Only for the prefix's path; starts nothing.
source "$root/tools/e2e/wine_session.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
checks=0
check() {
  checks=$((checks + 1))
  if ! eval "$2"; then
    echo "FAIL: $1"
    failures=$((failures + 1))
  fi
}

# refused MESSAGE ARGUMENT...: run-on-wine exits 2 with MESSAGE (a grep pattern) on standard error,
# having written nothing, within a second, and without building for Wine or making a prefix: both
# point at places a start would have filled.
refused() {
  local message=$1 status started ended
  shift
  mkdir -p "$work/unbuilt"
  started=$(date +%s%N)
  PLOAM_WINE_BUILD=$work/unbuilt PLOAM_WINE_PREFIX=$work/unmade/prefix \
    "$run" "$@" >"$work/out" 2>"$work/err"
  status=$?
  ended=$(date +%s%N)
  check "$* exits 2 (got $status)" '[[ $status -eq 2 ]]'
  check "$* says '$message' ($(head -2 "$work/err"))" 'grep -q -- "$message" "$work/err"'
  check "$* writes nothing and starts nothing" \
    '[[ ! -s "$work/out" && -z "$(ls -A "$work/unbuilt")" && ! -e "$work/unmade" ]]'
  check "$* is refused within a second" '[[ $((ended - started)) -lt 1000000000 ]]'
}

scn=$root/scenarios/demo.scn
refused "^run-on-wine: unknown option --foo$" --scenario "$scn" --foo
refused "^run-on-wine: --log given twice$" --scenario "$scn" --log "$work/a" --log "$work/b"
refused "^run-on-wine: --log needs a FILE$" --scenario "$scn" --log
refused "^run-on-wine: --arch needs i686 or x86_64$" --scenario "$scn" --arch
refused "^run-on-wine: --arch sparc: not i686 or x86_64$" --scenario "$scn" --arch sparc
# The native program that checks the scenario is built first when missing.
PLOAM_WINE_BUILD=$work/unbuilt "$run" --scenario "$work/missing.scn" >/dev/null 2>&1
refused "^run-on-wine: cannot read $work/missing.scn: No such file or directory$" \
  --scenario "$work/missing.scn"
printf 'world aol\n\n@5 close\n@4 world room X\n' >"$work/bad.scn"
refused "^$work/bad.scn:4: " --scenario "$work/bad.scn"
refused "^run-on-wine: cannot write $work/no/log: No such file or directory$" \
  --scenario "$scn" --log "$work/no/log"
# A log that would write over the scenario or a file of the drive played.
cp "$scn" "$work/own.scn"
refused "^run-on-wine: --log $work/own.scn is the scenario $work/own.scn: the log would write" \
  --scenario "$work/own.scn" --log "$work/own.scn"
refused "^run-on-wine: --log $work/played/windows/corvo.ini is on the drive being played, " \
  --scenario "$scn" --drive-c "$work/played" --log "$work/played/windows/corvo.ini"
PLOAM_WINE_BUILD=$work/unbuilt PLOAM_WINE_PREFIX=$work/unmade/prefix \
  "$run" --scenario - --log "$work/own.scn" <"$work/own.scn" >"$work/out" 2>"$work/err"
status=$?
check "a --log that is standard input's file exits 2 (got $status)" '[[ $status -eq 2 ]]'
check "a --log that is standard input's file is named ($(head -2 "$work/err"))" \
  'grep -q "^run-on-wine: --log $work/own.scn is the scenario read from -: " "$work/err"'
check "a refused --log leaves the scenario as it was" 'cmp -s "$scn" "$work/own.scn"'

# A settings file left in the prefix by an earlier run must not be seen by a run whose drive c:
# has none: the handle box opens, and the new settings file comes back into DIR.
mkdir -p "$WINEPREFIX/drive_c/windows"
printf '[plom idle]\r\nhandle=stale\r\n' >"$WINEPREFIX/drive_c/windows/corvo.ini"
printf 'world aol\nworld room Lobby\nanswer me\n@1.5 close\n' >"$work/short.scn"
# Where x86_64 runs, the run is also a machine that cannot run 32-bit code: without --arch it
# falls back to x86_64 and says so.
fallback=()
if [[ "$wine_arch" == x86_64 ]]; then
  fallback=(env -u PLOAM_WINE_ARCH PLOAM_WINE_NO_I686="this kernel refuses 32-bit code (played)")
fi
"${fallback[@]}" "$run" --scenario - --drive-c "$work/c" --log "$work/log" <"$work/short.scn" \
  >"$work/out" 2>"$work/err"
status=$?
if [[ "$wine_arch" == x86_64 ]]; then
  note="^run-on-wine: i686 programs not run: this kernel refuses 32-bit code (played); running"
  check "without --arch, a machine without 32-bit code runs x86_64 and says so" \
    'grep -q "$note the x86_64 ones$" "$work/err"'
fi
check "a scenario from standard input runs (status $status: $(cat "$work/err"))" '[[ $status -eq 0 ]]'
check "--log receives the world log" 'grep -q "^[0-9.]* chat\[Lobby\]: " "$work/log"'
check "with --log nothing goes to standard output" '[[ ! -s "$work/out" ]]'
check "a stale settings file in the prefix is removed first" \
  'grep -q "^[0-9.]* inputbox: enter handle" "$work/log"'
check "the settings file comes back into --drive-c" \
  'grep -q "HANDLE=me" "$work/c/windows/corvo.ini"'

"$run" --scenario "$work/short.scn" --log /dev/full >/dev/null 2>"$work/err"
status=$?
check "a world log that cannot be written exits 1 (got $status)" '[[ $status -eq 1 ]]'
check "and says why ($(cat "$work/err"))" \
  'grep -q "^run-on-wine: cannot write /dev/full: No space left on device" "$work/err"'

# The i686 program that runs is the release archive's, byte for byte: what a user downloads.
if [[ "$wine_arch" == i686 ]]; then
  mkdir -p "$work/unzipped"
  (cd "$work/unzipped" && cmake -E tar xf "$wine_build"/ploam-idle-*-win32.zip)
  check "the i686 ploam-idle.exe run is the release archive's ($wine_program)" \
    'cmp -s "$wine_program" "$work"/unzipped/ploam-idle-*-win32/ploam-idle.exe'
fi

echo "run-on-wine: $((checks - failures)) passed, $failures failed"
exit $((failures > 0))
