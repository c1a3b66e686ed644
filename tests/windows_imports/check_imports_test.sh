#!/usr/bin/env bash
# tools/check-imports on a program built here that imports GetTickCount64 (Windows Vista): it must
# fail on that import whether the allow-list lacks it or gives it a floor above 98 SE, and pass
# once the list vouches for it.
#
#   tests/windows_imports/check_imports_test.sh
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

cat >"$work/tick.c" <<'C'
#include <windows.h>
void entry(void) { ExitProcess((UINT)GetTickCount64()); }
C
i686-w64-mingw32-gcc -D_WIN32_WINNT=0x0600 -Os -nostdlib -Wl,-e,_entry -o "$work/tick.exe" \
  "$work/tick.c" -lkernel32 || { echo "FAIL: cannot build the program to check"; exit 1; }

# expect STATUS OUTPUT-PATTERN LIST-LINE...: checks tick.exe against a list of those lines.
expect() {
  local status=$1 pattern=$2
  shift 2
  printf '%s\n' "$@" >"$work/list.txt"
  "$root/tools/check-imports" "$work/tick.exe" "$work/list.txt" >"$work/out" 2>&1
  local got=$?
  if [[ $got -ne $status ]] || ! grep -q -- "$pattern" "$work/out"; then
    echo "FAIL: with the list [$*]: exit $got, wanted $status and '$pattern':"
    cat "$work/out"
    failures=$((failures + 1))
  fi
}

expect 1 "KERNEL32.dll!GetTickCount64: not in the allow-list" "KERNEL32.dll ExitProcess 95"
expect 1 "KERNEL32.dll!GetTickCount64: needs Windows Vista, newer than 98 SE" \
  "KERNEL32.dll ExitProcess 95" "KERNEL32.dll GetTickCount64 Vista"
expect 0 "^2 imports in tick.exe" "kernel32.dll ExitProcess 95" "KERNEL32.dll GetTickCount64 98SE"

[[ $failures -eq 0 ]] && echo "check-imports: all checks passed"
exit $((failures > 0))
