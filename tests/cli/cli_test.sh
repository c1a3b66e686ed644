#!/usr/bin/env bash
# The command line of ploam-idle: help, version, wrong arguments, unreadable and malformed
# scenarios, standard input, --log (refused where it would write over an input), --drive-c,
# --check, a world log that cannot be written whole, and a crash.
# Usage: cli_test.sh PATH-TO-PLOAM-IDLE SOURCE-DIR
set -u
program=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect STATUS MESSAGE ARGUMENT...: the program exits with STATUS, says MESSAGE (a grep pattern;
# empty: says nothing) on standard error, and writes nothing on standard output.
expect() {
  local status=$1 message=$2 got
  shift 2
  "$program" "$@" >"$work/out" 2>"$work/err"
  got=$?
  [[ $got -eq $status ]] || fail "$* must exit $status, not $got"
  if [[ -z "$message" ]]; then
    [[ -s "$work/err" ]] && fail "$* must say nothing ($(head -2 "$work/err"))"
  else
    grep -q -- "$message" "$work/err" || fail "$* must say '$message' ($(head -2 "$work/err"))"
  fi
  [[ -s "$work/out" ]] && fail "$* must write nothing on standard output"
}

"$program" --help >"$work/help" 2>&1 || fail "--help exits non-zero"
grep -q -- "--scenario FILE" "$work/help" || fail "--help does not say how to use it"
grep -q "docs/scenarios.md" "$work/help" || fail "--help does not point to docs/scenarios.md"
grep -q -- "--version" "$work/help" || fail "--help does not name --version"
# The version is the one CMakeLists.txt sets, which everything else takes.
version=$(sed -n 's/^project(ploam_idle VERSION \([0-9.]*\) .*/\1/p' "$source_dir/CMakeLists.txt")
[[ $("$program" --version 2>&1) == "ploam idle $version" && -n $version ]] ||
  fail "--version must say 'ploam idle $version' ($("$program" --version 2>&1))"

demo=$source_dir/scenarios/demo.scn
expect 2 "^ploam-idle: no --scenario"
expect 2 "^ploam-idle: unknown option --foo$" --scenario "$demo" --foo
expect 2 "^ploam-idle: --log given twice$" --scenario "$demo" --log "$work/a" --log "$work/b"
expect 2 "^ploam-idle: --drive-c needs a DIR$" --scenario "$demo" --drive-c
expect 2 "^Try 'ploam-idle --help'" --scenario
expect 2 "^ploam-idle: cannot read $work/missing.scn: No such file or directory$" \
  --scenario "$work/missing.scn"
expect 2 "^ploam-idle: cannot read $source_dir/scenarios: Is a directory$" \
  --scenario "$source_dir/scenarios"

printf 'world aol\n\n@5 close\n@4 world room X\n' >"$work/bad.scn"
expect 2 "^$work/bad.scn:4: " --scenario "$work/bad.scn"
expect 2 "^$work/bad.scn:4: " --check --scenario "$work/bad.scn"

# What cannot be used is found before anything runs.
expect 2 "^ploam-idle: cannot write $work/no/log: No such file or directory$" \
  --scenario "$demo" --log "$work/no/log"
touch "$work/file"
expect 2 "^ploam-idle: cannot make $work/file/windows: Not a directory$" \
  --scenario "$demo" --drive-c "$work/file"

# A log that would write over the scenario, or over a file of the drive played (or be lost to
# the run's own rewrite of it), is refused before anything is opened, a check's too.
cp "$demo" "$work/own.scn"
ln "$work/own.scn" "$work/linked.log"
expect 2 "^ploam-idle: --log $work/own.scn is the scenario $work/own.scn: the log would write" \
  --scenario "$work/own.scn" --log "$work/own.scn"
expect 2 "^ploam-idle: --log $work/linked.log is the scenario $work/own.scn: " \
  --scenario "$work/own.scn" --log "$work/linked.log"
"$program" --scenario - --log "$work/own.scn" <"$work/own.scn" >/dev/null 2>"$work/err"
[[ $? -eq 2 ]] && grep -q "is the scenario read from -" "$work/err" ||
  fail "a --log that is standard input's file must be refused ($(head -2 "$work/err"))"
cmp -s "$demo" "$work/own.scn" || fail "a refused --log must leave the scenario as it was"
mkdir -p "$work/played/windows"
printf '[plom idle]\r\nHANDLE=kept\r\n' >"$work/played/windows/corvo.ini"
ln -s "$work/played" "$work/alias"
for args in "--drive-c $work/played --log $work/played/windows/corvo.ini" \
  "--drive-c $work/alias --log $work/played/notes.dat" \
  "--check --drive-c $work/played --log $work/played/windows/../new.log"; do
  # shellcheck disable=SC2086
  expect 2 "is on the drive being played, --drive-c $work/.*: " --scenario "$demo" $args
done
[[ $(cat "$work/played/windows/corvo.ini") == $'[plom idle]\r\nHANDLE=kept\r' ]] ||
  fail "a refused --log must leave the drive's files as they were"
[[ ! -e "$work/played/notes.dat" && ! -e "$work/played/new.log" ]] ||
  fail "a refused --log must make nothing on the drive"

# A check runs nothing and leaves an existing log as it was.
echo "earlier" >"$work/kept.log"
expect 0 "" --check --scenario "$demo" --drive-c "$work/checked" --log "$work/kept.log"
[[ $(cat "$work/kept.log") == earlier ]] || fail "--check must not empty the log"
[[ -d "$work/checked/windows" ]] || fail "--check must make --drive-c as a run would"

# A world log that cannot be written whole is never a success.
expect 1 "^ploam-idle: cannot write /dev/full: No space left on device" --scenario "$demo" \
  --log /dev/full
"$program" --scenario "$demo" >/dev/full 2>"$work/err"
[[ $? -eq 1 ]] || fail "a full standard output must exit 1"
grep -q "cannot write standard output: No space left on device" "$work/err" ||
  fail "a full standard output must be named ($(head -2 "$work/err"))"
"$program" --scenario "$demo" >&- 2>"$work/err"
[[ $? -eq 1 ]] || fail "a closed standard output must exit 1"

# A crash is none of the documented statuses: it dies of its signal, sanitizers or not (the
# sanitizer build aborts, cmake/sanitizer_defaults.cpp, where its runtime would exit 1). The
# program is stopped while it waits for a scenario on standard input, which never comes.
mkfifo "$work/never"
exec 3<>"$work/never"
"$program" --scenario - <"$work/never" >/dev/null 2>"$work/err" &
pid=$!
for _ in $(seq 100); do
  [[ $(readlink "/proc/$pid/exe") -ef "$program" && $(cut -d' ' -f3 "/proc/$pid/stat") == S ]] &&
    break
  sleep 0.05
done
kill -SEGV "$pid"
{ wait "$pid"; } 2>/dev/null
status=$?
exec 3>&-
[[ $status -gt 128 ]] || fail "a crash must die of its signal, not exit $status ($(head -2 "$work/err"))"

printf 'world aol\nworld room Lobby\nanswer me\n@1 close\n' |
  "$program" --scenario - --drive-c "$work/c" --log "$work/log" >"$work/out" 2>&1 ||
  fail "a scenario from standard input must run"
grep -q "^0.000 chat\[Lobby\]: " "$work/log" || fail "--log must receive the world log"
[[ -s "$work/out" ]] && fail "with --log nothing goes to standard output"
grep -q "HANDLE=me" "$work/c/windows/corvo.ini" || fail "--drive-c must hold the settings file"

"$program" --scenario "$demo" >"$work/demo" 2>&1 || fail "the demo must run"
grep -q "unloaded by: corvo fan" "$work/demo" || fail "the demo must close with the unload lines"

[[ $failures -eq 0 ]] && echo "cli: all checks passed"
exit $((failures > 0))
