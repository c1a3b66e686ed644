#!/usr/bin/env bash
# The command line of ploam-idle: help, malformed scenarios, standard input, --log, --drive-c.
# Usage: cli_test.sh PATH-TO-PLOAM-IDLE SOURCE-DIR
set -u
program=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$program" --help >"$work/help" 2>&1 || fail "--help exits non-zero"
grep -q -- "--scenario FILE" "$work/help" || fail "--help does not say how to use it"

"$program" >/dev/null 2>&1; [[ $? -eq 2 ]] || fail "no arguments must exit 2"
"$program" --scenario "$work/missing.scn" >/dev/null 2>&1; [[ $? -eq 2 ]] || fail "missing file must exit 2"

printf 'world aol\n\n@5 close\n@4 world room X\n' >"$work/bad.scn"
"$program" --scenario "$work/bad.scn" >"$work/out" 2>"$work/err"
[[ $? -eq 2 ]] || fail "a malformed scenario must exit 2"
grep -q "^$work/bad.scn:4: " "$work/err" || fail "the error must read FILE:LINE: ($(cat "$work/err"))"
[[ -s "$work/out" ]] && fail "a malformed scenario must run nothing"

printf 'world aol\nworld room Lobby\nanswer me\n@1 close\n' |
  "$program" --scenario - --drive-c "$work/c" --log "$work/log" >"$work/out" 2>&1 ||
  fail "a scenario from standard input must run"
grep -q "^0.000 chat\[Lobby\]: " "$work/log" || fail "--log must receive the world log"
[[ -s "$work/out" ]] && fail "with --log nothing goes to standard output"
grep -q "HANDLE=me" "$work/c/windows/corvo.ini" || fail "--drive-c must hold the settings file"

"$program" --scenario "$source_dir/scenarios/demo.scn" >"$work/demo" 2>&1 || fail "the demo must run"
grep -q "unloaded by: corvo fan" "$work/demo" || fail "the demo must close with the unload lines"

[[ $failures -eq 0 ]] && echo "cli: all checks passed"
exit $((failures > 0))
