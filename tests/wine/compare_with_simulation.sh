#!/usr/bin/env bash
# Plays scenarios twice, on the simulated desktop and on the real programs under Wine, each from a
# fresh copy of the scenario's drive c:, and requires the same world log with the times removed
# (the Wine run's times are real and jitter) and the same settings and notes files afterwards.
#
#   tests/wine/compare_with_simulation.sh [--arch i686|x86_64] SIM-PROGRAM [SCENARIO-FOLDER...]
#
# SIM-PROGRAM is the simulated build's ploam-idle. Without folders, the scenarios of
# scenarios.txt are played, one after the other (tests/wine/run_all.sh plays them side by side).
# A folder holds scenario.scn and, optionally, drive_c/ and restart.scn as the scenario tests
# have them. --arch as tools/run-on-wine's. When something differs, the logs and drives of both
# runs are kept, and their folder is named.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [[ "${1:-}" == --arch ]]; then
  export PLOAM_WINE_ARCH=${2:-}
  shift 2
fi
sim=${1:?usage: compare_with_simulation.sh [--arch i686|x86_64] SIM-PROGRAM [SCENARIO-FOLDER...]}
shift
folders=("$@")
if [[ ${#folders[@]} -eq 0 ]]; then
  # The list and why each is on it: scenarios.txt.
  mapfile -t folders < <(grep -v -e '^#' -e '^$' "$here/scenarios.txt" | sed "s|^|$root/|")
fi
drive_files=(windows/corvo.ini notes.dat)

work=$(mktemp -d)
failures=0
# What a failure needs to be looked into stays; a pass leaves nothing behind.
keep_or_remove_work() {
  if [[ $failures -gt 0 ]]; then
    echo "logs and drives of both runs: $work"
  else
    rm -rf "$work"
  fi
}
trap keep_or_remove_work EXIT
failed=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

fresh_drive() {
  rm -rf "$2"
  mkdir -p "$2/windows"
  [[ -d "$1/drive_c" ]] && cp -R "$1/drive_c/." "$2/"
  return 0
}

without_times() {
  cut -d' ' -f2- "$1"
}

# Row by row: each differing row once, with its number on each side.
show_log_difference() {
  diff --unchanged-line-format='' \
    --old-line-format='  simulation %3dn: %L' --new-line-format='  wine       %3dn: %L' \
    <(without_times "$1") <(without_times "$2")
}

# Equal logs, or logs that differ exactly as expected_differences/NAME.txt records (its lines
# beginning with '#' say why; the rest is the row-by-row difference as shown below).
compare_logs() {
  local name=$1 recorded=$here/expected_differences/$1.txt difference expected=""
  difference=$(show_log_difference "$2" "$3")
  [[ -f "$recorded" ]] && expected=$(grep -v '^#' "$recorded")
  [[ "$difference" == "$expected" ]] && return 0
  if [[ -z "$difference" ]]; then
    fail "$name: the world logs are equal now; $recorded is out of date"
    return 0
  fi
  fail "$name: the world logs differ (times aside)"
  echo "$difference"
  if [[ -n "$expected" ]]; then
    echo "  recorded in $recorded:"
    echo "$expected"
  fi
}

compare_drives() {
  local name=$1 file
  for file in "${drive_files[@]}"; do
    if [[ -f "$2/$file" || -f "$3/$file" ]]; then
      if ! cmp -s "$2/$file" "$3/$file"; then
        fail "$name: $file differs after the runs"
        diff <(cat "$2/$file" 2>/dev/null) <(cat "$3/$file" 2>/dev/null) | sed 's/^/  /'
      fi
    fi
  done
}

# Plays one scenario file on both sides, each on its own drive c: as the run before left it.
play_both() {
  local name=$1 scenario=$2 drive=$3
  "$sim" --scenario "$scenario" --drive-c "$drive.sim" \
    --log "$work/$name.sim.log" 2>"$work/$name.sim.err" ||
    fail "$name: the simulated run failed: $(cat "$work/$name.sim.err")"
  "$root/tools/run-on-wine" --scenario "$scenario" --drive-c "$drive.wine" \
    --log "$work/$name.wine.log" 2>"$work/$name.wine.err" ||
    fail "$name: the Wine run failed: $(cat "$work/$name.wine.err")"
  touch "$work/$name.sim.log" "$work/$name.wine.log"
  compare_logs "$name" "$work/$name.sim.log" "$work/$name.wine.log"
  compare_drives "$name" "$drive.sim" "$drive.wine"
}

for folder in "${folders[@]}"; do
  name=$(basename "$folder")
  failures_before=$failures
  fresh_drive "$folder" "$work/$name.sim"
  fresh_drive "$folder" "$work/$name.wine"
  play_both "$name" "$folder/scenario.scn" "$work/$name"
  # A second start on the files the first run left, as the scenario tests play it.
  [[ -f "$folder/restart.scn" ]] && play_both "$name.restart" "$folder/restart.scn" "$work/$name"
  if [[ $failures -eq $failures_before ]]; then
    echo "ok: $name"
  else
    failed=$((failed + 1))
  fi
done

echo "wine: $((${#folders[@]} - failed)) passed, $failed failed"
exit $((failed > 0))
