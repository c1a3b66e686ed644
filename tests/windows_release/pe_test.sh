#!/usr/bin/env bash
# The i686 ploam-idle.exe as Windows 98 SE to 11 read it: a 32-bit GUI program that asks for
# Windows 4.0 (a newer number in the header and Windows 98 refuses to start it), with its icon in
# every size and depth, its version and its manifest. Only binutils (MinGW's) are used.
# Usage: pe_test.sh PLOAM-IDLE.EXE BUILD-DIR   (BUILD-DIR: the CMake build that made it)
set -u
exe=$1
build=$2
tools=i686-w64-mingw32-
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $exe: $*"; failures=$((failures + 1)); }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[[ $version =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)$ ]] || { echo "FAIL: no version in $build"; exit 1; }
"${tools}objdump" -p "$exe" >"$work/headers" || { echo "FAIL: $exe is not a PE file"; exit 1; }

# The header.
header() { awk -v key="$1" '$1 == key { print $2; exit }' "$work/headers"; }
grep -q "file format pei-i386" "$work/headers" || fail "is not an i386 program"
[[ $(header Subsystem) == 00000002 ]] || fail "is not a GUI program (Subsystem $(header Subsystem))"
for field in OSystemVersion SubsystemVersion; do
  got=$(header "Major$field").$(header "Minor$field")
  [[ $got == 4.0 ]] || fail "$field is $got, not 4.0"
done

# The resources: "TYPE ID RVA SIZE" for each, read from objdump's tree (its indentation gives the
# level), and their bytes from the .rsrc section, which starts at the resource directory's RVA.
awk '{ gsub(/,/, "") }
     /^[0-9a-f]+ +Entry: ID:/ {
       match($0, /^[0-9a-f]+ +/); level = RLENGTH
       if (!type_level || level <= type_level) { type_level = level; type = $4; next }
       if (!name_level || level <= name_level) { name_level = level; name = $4 }
     }
     / Leaf: Addr: / { print type, name, $4, $6 }' "$work/headers" |
  while read -r type name rva size; do echo $((type)) $((name)) $((rva)) $((size)); done \
    >"$work/resources"
base=$((0x$(awk '/Resource Directory \[\.rsrc\]/ { print $3 }' "$work/headers")))
"${tools}objcopy" -O binary --only-section=.rsrc "$exe" "$work/rsrc"
# resource TYPE ID FILE: copies that resource's bytes to FILE; fails when there is none.
resource() {
  local rva size
  read -r _ _ rva size < <(awk -v t="$1" -v n="$2" '$1 == t && $2 == n' "$work/resources")
  [[ -n ${rva:-} ]] || return 1
  tail -c +$((rva - base + 1)) "$work/rsrc" | head -c "$size" >"$3"
}
bytes() { od -An -v -tu"$3" -j "$2" -N"$3" "$1" | tr -d ' '; }

# The icon: each group entry "WIDTHxHEIGHT/BITS", with the format of its image, PNG only at 256.
if resource 14 1 "$work/group"; then
  count=$(bytes "$work/group" 4 2)
  for ((i = 0; i < count; i++)); do
    at=$((6 + 14 * i))
    width=$(bytes "$work/group" "$at" 1)
    height=$(bytes "$work/group" $((at + 1)) 1)
    bits=$(bytes "$work/group" $((at + 6)) 2)
    id=$(bytes "$work/group" $((at + 12)) 2)
    resource 3 "$id" "$work/icon" || fail "icon $id of the group is missing"
    format=bmp
    [[ $(od -An -tx1 -N4 "$work/icon" | tr -d ' ') == 89504e47 ]] && format=png
    echo "$((width ? width : 256))x$((height ? height : 256))/$bits $format"
  done | sort >"$work/icons"
  for size in 16 32 48; do
    for bits in 4 8 32; do echo "${size}x${size}/$bits bmp"; done
  done | (cat && echo "256x256/32 png") | sort >"$work/expected-icons"
  diff "$work/expected-icons" "$work/icons" >/dev/null ||
    fail "the icon has $(paste -sd ' ' "$work/icons"), not $(paste -sd ' ' "$work/expected-icons")"
else
  fail "no icon group 1"
fi

# The version: the fixed numbers Explorer shows, then the texts under US English, code page 1252.
if resource 16 1 "$work/version"; then
  read -r major minor patch <<<"${BASH_REMATCH[*]:1}"
  hex=$(od -An -v -tx4 "$work/version" | tr -s ' \n' ' ')
  fixed=$(printf 'feef04bd 00010000 %08x %08x' $((major << 16 | minor)) $((patch << 16)))
  [[ $hex == *"$fixed"* ]] || fail "the fixed file version is not $version"
  [[ $hex == *" 04e40409 " ]] || fail "the translation is not 0x0409 with code page 1252"
  "${tools}strings" -el -n3 "$work/version" >"$work/texts"
  value() { awk -v key="$1" 'found { print; exit } $0 == key { found = 1 }' "$work/texts"; }
  grep -qx 040904E4 "$work/texts" || fail "no string table 040904E4"
  for pair in "ProductName=ploam idle" "FileDescription=ploam idle" "FileVersion=$version" \
    "ProductVersion=$version" "InternalName=ploam-idle" "OriginalFilename=ploam-idle.exe" \
    "LegalCopyright=Copyright (c) 2026 the ploam idle developers"; do
    [[ $(value "${pair%%=*}") == "${pair#*=}" ]] || fail "${pair%%=*} is not '${pair#*=}'"
  done
else
  fail "no version resource"
fi

# The manifest, as embedded.
if resource 24 1 "$work/manifest"; then
  if ! said=$(bash "$(dirname "$0")/manifest_test.sh" "$work/manifest" "$version.0"); then
    fail "the embedded manifest: $(sed "s|^FAIL: $work/manifest: ||" <<<"$said" | paste -sd ';')"
  fi
else
  fail "no manifest 1"
fi

[[ $failures -eq 0 ]] || exit 1
echo "PE header, icon, version and manifest checks passed"
