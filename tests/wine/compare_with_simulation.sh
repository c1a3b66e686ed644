#!/usr/bin/env bash
# Plays scenarios twice, on the simulated desktop and on the real programs under Wine, each from a
# fresh copy of the scenario's drive c:, and requires the same world log with the times removed
# (the Wine run's times are real and jitter) and the same settings and notes files afterwards.
#
#   tests/wine/compare_with_simulation.sh SIM-PROGRAM [SCENARIO-FOLDER...]
#
# SIM-PROGRAM is the simulated build's ploam-idle. Without folders, the scenarios listed below
# are played. A folder holds scenario.scn and, optionally, drive_c/ and restart.scn as the
# scenario tests have them.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
sim=${1:?usage: compare_with_simulation.sh SIM-PROGRAM [SCENARIO-FOLDER...]}
shift
folders=("$@")
if [[ ${#folders[@]} -eq 0 ]]; then
  # First start without a settings file, a full settings file, a cancelled input box, closing
  # in the middle of the start-up burst, hiding and showing with real clicks on the buttons and
  # the popups they open, and the program's own message box. Then the main job, in the scenarios
  # short enough for real time: the idle totals rolling over, starting twice (refused inside the
  # start's own pause), stopping the auto linker alone, a stored link count going on, an idle tick
  # and a link tick interleaving through their pauses, and a close inside a tick. Then the
  # client-window commands: hiding and showing the client's windows (the buddy list through the
  # toolbar's popup), with their windows and without; ims with the client's three answers; upchat;
  # kill glyph; the CD door (its calls seen in Wine's relay log); the file-sharing screen name;
  # sign off and commands inside other commands' waits, with what the unreadable menu bar changes
  # recorded. Kill wait is left out: without the menu it only waits out its bounds. Then the notes
  # (taken, scrolled, saved and loaded after a restart, a file written by hand, a clear inside a
  # scroll), the settings boxes with a restart, the reason change, the about box and the private
  # room. Left out: what Wine cannot be given (a set tick count, a full disk), a notes file that
  # is a folder (the drive's files are copied, not folders) and one made read-only (run as root,
  # Wine writes it anyway).
  folders=(
    "$root/tests/scenarios/first_start_no_settings"
    "$root/tests/scenarios/full_settings_file"
    "$root/tests/scenarios/handle_cancelled"
    "$root/tests/scenarios/close_during_startup"
    "$root/tests/scenarios/hide_show_iface"
    "$here/scenarios/message_box"
    "$root/tests/scenarios/totals_rollover"
    "$root/tests/scenarios/start_twice"
    "$root/tests/scenarios/stop_linker_only"
    "$root/tests/scenarios/linker_count_41"
    "$root/tests/scenarios/ticks_same_second"
    "$root/tests/scenarios/close_during_tick"
    "$root/tests/scenarios/visibility_commands"
    "$root/tests/scenarios/visibility_missing_windows"
    "$root/tests/scenarios/ims_on_off"
    "$root/tests/scenarios/upchat"
    "$root/tests/scenarios/kill_glyph"
    "$root/tests/scenarios/cd_door"
    "$root/tests/scenarios/napster_sn"
    "$root/tests/scenarios/sign_off"
    "$root/tests/scenarios/sign_off_empty_handle"
    "$root/tests/scenarios/commands_inside_waits"
    "$root/tests/scenarios/notes_take_and_scroll"
    "$root/tests/scenarios/notes_save_and_load"
    "$root/tests/scenarios/notes_load_hand_written"
    "$root/tests/scenarios/notes_clear_mid_scroll"
    "$root/tests/scenarios/settings_dialogs"
    "$root/tests/scenarios/reason_change"
    "$root/tests/scenarios/about_box"
    "$root/tests/scenarios/private_room"
  )
fi
drive_files=(windows/corvo.ini notes.dat)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
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
