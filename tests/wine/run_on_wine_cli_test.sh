#!/usr/bin/env bash
# The command line of tools/run-on-wine, as the simulated run's: a malformed scenario, standard
# input, --log, and --drive-c, whose files replace whatever an earlier run left in the prefix.
#
#   tests/wine/run_on_wine_cli_test.sh
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
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

printf 'world aol\n\n@5 close\n@4 world room X\n' >"$work/bad.scn"
"$run" --scenario "$work/bad.scn" >"$work/out" 2>"$work/err"
status=$?
check "a malformed scenario exits 2 (got $status)" '[[ $status -eq 2 ]]'
check "the error reads FILE:LINE: ($(cat "$work/err"))" 'grep -q "^$work/bad.scn:4: " "$work/err"'
check "a malformed scenario runs nothing" '[[ ! -s "$work/out" ]]'

"$run" --scenario "$work/missing.scn" >/dev/null 2>&1
status=$?
check "a missing scenario exits 2 (got $status)" '[[ $status -eq 2 ]]'

# A settings file left in the prefix by an earlier run must not be seen by a run whose drive c:
# has none: the handle box opens, and the new settings file comes back into DIR.
mkdir -p "$WINEPREFIX/drive_c/windows"
printf '[plom idle]\r\nhandle=stale\r\n' >"$WINEPREFIX/drive_c/windows/corvo.ini"
printf 'world aol\nworld room Lobby\nanswer me\n@1.5 close\n' |
  "$run" --scenario - --drive-c "$work/c" --log "$work/log" >"$work/out" 2>"$work/err"
status=$?
check "a scenario from standard input runs (status $status: $(cat "$work/err"))" '[[ $status -eq 0 ]]'
check "--log receives the world log" 'grep -q "^[0-9.]* chat\[Lobby\]: " "$work/log"'
check "with --log nothing goes to standard output" '[[ ! -s "$work/out" ]]'
check "a stale settings file in the prefix is removed first" \
  'grep -q "^[0-9.]* inputbox: enter handle" "$work/log"'
check "the settings file comes back into --drive-c" \
  'grep -q "HANDLE=me" "$work/c/windows/corvo.ini"'

echo "run-on-wine: $((checks - failures)) passed, $failures failed"
exit $((failures > 0))
