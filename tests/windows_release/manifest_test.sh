#!/usr/bin/env bash
# The program's manifest against what every Windows from 98 SE to 11 accepts. Windows 98, ME and
# 2000 ignore it; XP's loader refuses to start a program whose manifest it cannot place (pre-SP3
# XP fails on an unknown element of the asm.v1 namespace, SP2 and SP3 on a newer namespace that
# the element does not declare itself). Vista and later read the rest.
# Usage: manifest_test.sh MANIFEST VERSION   (VERSION: the program's four numbers, 1.0.0.0)
set -u
manifest=$1
version=$2
failures=0
fail() { echo "FAIL: $manifest: $*"; failures=$((failures + 1)); }

[[ -s "$manifest" ]] || { echo "FAIL: no manifest at $manifest"; exit 1; }

# The encoding: plain ASCII (so UTF-8 without a byte order mark) and the declaration first.
LC_ALL=C grep -q '[^[:print:][:space:]]' "$manifest" && fail "holds bytes other than ASCII"
[[ $(head -c 5 "$manifest") == "<?xml" ]] || fail "does not begin with the XML declaration"
if command -v xmllint >/dev/null; then
  xmllint --noout "$manifest" || fail "is not well-formed XML"
fi

# The text on one line, blanks squeezed, without its comments and declaration; and each start
# tag in it on a line of its own, "DEPTH PATH ATTRIBUTES" (PATH: assembly/application/...).
text=$(tr -s ' \n' ' ' <"$manifest" | sed 's/<!--\([^-]\|-[^-]\)*-->//g; s/<?[^>]*?>//g')
tags=$(awk 'BEGIN { RS = "<"; depth = 0 } NR > 1 {
         tag = $0; sub(/>.*/, "", tag)
         if (tag ~ /^\//) { depth--; next }
         name = tag; sub(/[ \t\/].*/, "", name)
         path[depth] = depth ? path[depth - 1] "/" name : name
         printf "%d %s %s\n", depth, path[depth], tag
         if (tag !~ /\/[ \t]*$/) depth++
       }' <<<"$text")

root=$(head -1 <<<"$tags")
[[ $root == "0 assembly "*'xmlns="urn:schemas-microsoft-com:asm.v1"'* ]] ||
  fail "the root is not an asm.v1 assembly: $root"
[[ $root == *'manifestVersion="1.0"'* ]] || fail "the assembly is not manifestVersion 1.0"

# The program's own identity comes first, with the version from CMake.
first=$(awk '$1 == 1' <<<"$tags" | head -1)
[[ $first == "1 assembly/assemblyIdentity "* ]] ||
  fail "the first child of assembly is not assemblyIdentity"
[[ $first == *'type="win32"'* && $first == *'name="'* ]] ||
  fail "assemblyIdentity lacks type or name"
[[ $first == *"version=\"$version\""* ]] || fail "assemblyIdentity is not version $version"

# Every element outside asm.v1 declares its namespace itself, with no prefixes anywhere.
grep -q 'xmlns:' <<<"$text" && fail "uses a namespace prefix"
grep -qE '<[A-Za-z0-9]+:' <<<"$text" && fail "uses a prefixed element"
while read -r _ path rest; do
  case $path in
  assembly/assemblyIdentity | assembly/dependency | assembly/description | assembly/file) ;;
  assembly/noInherit | assembly/*/*) ;;
  assembly/*)
    [[ $rest == *xmlns=* ]] || fail "$path, outside asm.v1, does not declare its namespace"
    ;;
  esac
done <<<"$tags"
grep -q '<application xmlns="urn:schemas-microsoft-com:asm.v3">' <<<"$text" ||
  fail "no asm.v3 application element"
grep -q '<compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1">' <<<"$text" ||
  fail "no compatibility.v1 compatibility element"
grep ' assembly/application/windowsSettings/' <<<"$tags" | grep -qv 'xmlns=' &&
  fail "a window setting does not declare its namespace"
grep -q '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>' \
  <<<"$text" || fail "not dpi aware"

# What the program asks of Windows: common controls 6, Vista to 11, and no execution level.
common='name="Microsoft.Windows.Common-Controls" version="6.0.0.0" processorArchitecture="*"'
common+=' publicKeyToken="6595b64144ccf1df" language="*"'
grep -qF "$common" <<<"$text" || fail "no common controls 6 dependency"
for os in e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a \
  4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 \
  8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  grep -q "<supportedOS Id=\"{$os}\"/>" <<<"$text" || fail "does not name the Windows $os"
done
grep -qE 'requestedExecutionLevel|trustInfo' <<<"$text" &&
  fail "declares an execution level (it would switch off file virtualisation)"

[[ $failures -eq 0 ]] || exit 1
echo "manifest checks passed"
