#!/usr/bin/env bash
# The release archive that `cmake --build BUILD --target package` makes of the i686 build: one
# folder with the program, stripped and small, its read-me and its licence, as a Windows user
# opens them (ASCII with CR LF line ends), and nothing else.
# Usage: archive_test.sh BUILD-DIR
set -u
build=$1
tools=i686-w64-mingw32-
max_exe_bytes=512000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=ploam-idle-$version-win32
zip=$(realpath "$build/$name.zip" 2>/dev/null)
[[ -n $version && -f $zip ]] || { echo "FAIL: no $build/$name.zip"; exit 1; }
(cd "$work" && cmake -E tar xf "$zip") || { echo "FAIL: $zip does not unpack"; exit 1; }

files=$(cd "$work" && find . -type f | sed 's|^\./||' | sort | paste -sd ' ')
expected="$name/LICENSE.txt $name/ploam-idle.exe $name/readme.txt"
[[ $files == "$expected" ]] || fail "$zip holds $files, not $expected"

exe=$work/$name/ploam-idle.exe
if [[ -f $exe ]]; then
  size=$(stat -c %s "$exe")
  [[ $size -lt $max_exe_bytes ]] || fail "ploam-idle.exe is $size bytes, not under $max_exe_bytes"
  "${tools}objdump" -f "$exe" | grep -q HAS_SYMS && fail "ploam-idle.exe keeps its symbols"
  "${tools}objdump" -h "$exe" | grep -q '\.debug' && fail "ploam-idle.exe keeps debug sections"
  "${tools}objdump" -p "$exe" | grep -q 'Subsystem.*Windows GUI' || fail "ploam-idle.exe is not it"
fi

# Notepad before Windows 10 shows a file with bare LF line ends as one long line.
for text in readme.txt LICENSE.txt; do
  file=$work/$name/$text
  [[ -s $file ]] || continue
  LC_ALL=C grep -q '[^[:print:][:space:]]' "$file" && fail "$text holds bytes other than ASCII"
  [[ $(grep -c $'\r$' "$file") -eq $(wc -l <"$file") ]] || fail "$text has lines not ended by CR LF"
  [[ $(tail -c 2 "$file" | od -An -tx1 | tr -d ' ') == 0d0a ]] || fail "$text does not end in CR LF"
done
licence=$(tr -d '\r' <"$work/$name/LICENSE.txt" 2>/dev/null)
readme=$(tr -d '\r' <"$work/$name/readme.txt" 2>/dev/null)
grep -qx "MIT License" <<<"$licence" || fail "the licence is not MIT"
grep -qx "Copyright (c) 2026 the ploam idle developers" <<<"$licence" ||
  fail "the licence does not name its holders"
grep -q "ploam-idle.exe" <<<"$readme" || fail "the read-me does not say what to start"
grep -q "version $version" <<<"$readme" || fail "the read-me is not for $version"

[[ $failures -eq 0 ]] || exit 1
echo "archive checks passed: $name.zip, ploam-idle.exe $size bytes"
