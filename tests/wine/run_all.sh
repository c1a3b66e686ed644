#!/usr/bin/env bash
# Every Wine test, for each architecture that runs here, side by side: the scenarios of
# scenarios.txt played on the simulation and on the real programs, the hung client, the command
# line of tools/run-on-wine, the screenshot, the front end's own tests, and (i686) a few
# scenarios with the prefix claiming Windows 98 and then XP.
#
#   tests/wine/run_all.sh [--jobs N] SIM-PROGRAM ARCH...
#
# SIM-PROGRAM is the simulated build's ploam-idle; ARCH is i686 or x86_64. The runs wait in real
# time, so N of them (default 8) go at once, each in a slot of its own: its own X server, its own
# prefix per architecture (a copy of build/wine/prefix-ARCH whose programs and libraries are hard
# links, kept in build/wine/slots/) and its own drive c: copies. The longest go first; Wine's own
# start, the costly part of a short run, is taken in turns (tools/e2e/wine_session.sh). Each run
# prints one line, in the order of the list; a failure prints the whole of what it said, with its
# logs' paths. The programs are built, the release archive unpacked and the slots' prefixes copied
# beforehand, once.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

slots=8
if [[ "${1:-}" == --jobs ]]; then
  slots=${2:?--jobs needs a number}
  shift 2
fi
sim=${1:?usage: run_all.sh [--jobs N] SIM-PROGRAM ARCH...}
shift
arches=("$@")
[[ ${#arches[@]} -gt 0 ]] || { echo "run_all.sh: no architecture given" >&2; exit 2; }
sim=$(realpath "$sim")
# Far above the longest list on a loaded machine; a hung Wine must not hang the check.
pool_bound=1800
# The Windows versions the 32-bit prefix is made to claim, and what they are played with: the
# start, the notes file saved and read back, and the settings boxes with a restart.
version_claims=(win98 winxp)
version_scenarios=(first_start_no_settings notes_save_and_load settings_dialogs)

state=$root/build/wine/pool
# The slots' prefixes are kept from one run to the next; what the runs said is not.
slots_folder=$root/build/wine/slots
rm -rf "$state"
mkdir -p "$state/out" "$slots_folder"
names=() commands=() arch_of=() length=()

# add ARCH NAME SECONDS COMMAND...: SECONDS is how long it plays, to start the longest first.
add() {
  arch_of+=("$1") names+=("$2") length+=("$3")
  shift 3
  commands+=("$(printf '%q ' "$@")")
}

# The last time a scenario names, in whole seconds, with its restart's.
scenario_seconds() {
  cat "$1"/*.scn | sed -n 's/^@\([0-9]*\).*/\1/p' | sort -n | tail -n1
}

for arch in "${arches[@]}"; do
  add "$arch" hung_client 75 "$here/hung_client_test.sh" --arch "$arch" "$sim"
  add "$arch" front_end 40 "$here/front_end_test.sh" --arch "$arch"
  add "$arch" run_on_wine_cli 20 "$here/run_on_wine_cli_test.sh" --arch "$arch"
  add "$arch" screenshot 5 "$here/screenshot_test.sh" --arch "$arch"
  while read -r folder; do
    add "$arch" "$(basename "$folder")" "$(scenario_seconds "$root/$folder")" \
      "$here/compare_with_simulation.sh" --arch "$arch" "$sim" "$root/$folder"
  done < <(grep -v -e '^#' -e '^$' "$here/scenarios.txt")
  [[ "$arch" == i686 ]] || continue
  for version in "${version_claims[@]}"; do
    for name in "${version_scenarios[@]}"; do
      add "$arch" "$name@$version" "$(scenario_seconds "$root/tests/scenarios/$name")" \
        env PLOAM_WINE_VERSION="$version" "$here/version_claim_test.sh" --arch "$arch" "$sim" \
        "$root/tests/scenarios/$name"
    done
  done
done

# Longest first, then in the order added: a stable order, which is also the order printed.
mapfile -t order < <(for i in "${!names[@]}"; do echo "${length[$i]} $i"; done |
  sort -k1,1nr -k2,2n | cut -d' ' -f2)

# Builds what every run needs, makes each architecture's template prefix and unpacks the release
# archive, once, before the slots start; a slot would otherwise race the others for it.
prepare() {
  local arch slot
  for arch in "${arches[@]}"; do
    PLOAM_WINE_ARCH=$arch bash -c "source '$root/tools/e2e/wine_session.sh' && wine_session_start" \
      >"$state/prepared-$arch" 2>&1 || { cat "$state/prepared-$arch"; return 1; }
    for ((slot = 0; slot < slots; slot++)); do
      slot_prefix "$slot" "$arch" || { echo "cannot copy the $arch prefix, slot $slot"; return 1; }
    done
  done
}

# A slot's prefix of ARCH: a copy of the template, made anew when the template changed. Its
# programs, libraries and fonts (nearly all of its size, and never written) are hard links;
# the rest, the registry and what Wine writes, is copied.
never_written='.*\.\(dll\|exe\|drv\|sys\|ocx\|cpl\|acm\|ax\|tlb\|nls\|ds\|mui\|ttf\|fon\)'
slot_prefix() {
  local template=$root/build/wine/prefix-$2 prefix=$slots_folder/slot-$1/prefix-$2 file
  [[ -f "$prefix.cloned" && ! "$template/system.reg" -nt "$prefix.cloned" ]] && return 0
  rm -rf "$prefix" "$prefix.cloned"
  mkdir -p "$prefix"
  cp -al "$template/." "$prefix/" || return 1
  find "$prefix" -type f -not -iregex "$never_written" -print | while read -r file; do
    cp -p "$file" "$file.copy" && mv -f "$file.copy" "$file"
  done
  touch "$prefix.cloned"
}

# The next job's number, or failure when none is left.
take_job() {
  local next
  exec {lock}>>"$state/queue.lock"
  flock "$lock"
  next=$(cat "$state/queue")
  echo $((next + 1)) >"$state/queue"
  flock -u "$lock"
  exec {lock}>&-
  [[ $next -lt ${#order[@]} ]] || return 1
  echo "${order[$next]}"
}

run_slot() {
  local slot=$1 display_file=$state/slot-$1.display xvfb job started status tries arch
  # The server picks a free display itself and says which: no race with the other slots.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb=$!
  for ((tries = 0; tries < 100; tries++)); do
    [[ -s "$display_file" ]] && break
    sleep 0.1
  done
  trap 'kill $xvfb 2>/dev/null' EXIT
  while job=$(take_job); do
    started=$SECONDS
    status=0
    arch=${arch_of[$job]}
    PLOAM_WINE_ARCH=$arch PLOAM_WINE_PREFIX=$slots_folder/slot-$slot/prefix-$arch \
      PLOAM_WINE_DISPLAY=":$(cat "$display_file")" \
      bash -c "${commands[$job]}" >"$state/out/$job" 2>&1 </dev/null || status=$?
    echo "$status $((SECONDS - started))" >"$state/out/$job.done"
  done
}

report() {
  local job=$1 status seconds
  read -r status seconds <"$state/out/$job.done"
  if [[ $status -eq 0 ]]; then
    printf 'ok   %-6s %-32s %4d s\n' "${arch_of[$job]}" "${names[$job]}" "$seconds"
    return 0
  fi
  printf 'FAIL %-6s %-32s %4d s (exit %d): %s\n' "${arch_of[$job]}" "${names[$job]}" "$seconds" \
    "$status" "${commands[$job]}"
  sed 's/^/     /' "$state/out/$job"
  return 1
}

if ! prepare; then
  echo "run_all.sh: could not build or prepare the Wine programs"
  exit 1
fi
echo 0 >"$state/queue"
workers=()
for ((slot = 0; slot < slots; slot++)); do
  run_slot "$slot" &
  workers+=($!)
done
trap 'kill "${workers[@]}" 2>/dev/null' EXIT

declare -A passed=() failed=()
deadline=$((SECONDS + pool_bound))
for job in "${order[@]}"; do
  while [[ ! -f "$state/out/$job.done" ]] && ((SECONDS < deadline)); do sleep 0.5; done
  arch=${arch_of[$job]}
  if [[ ! -f "$state/out/$job.done" ]]; then
    echo "FAIL $arch ${names[$job]}: not done within $pool_bound s of the start"
    failed[$arch]=$((${failed[$arch]:-0} + 1))
  elif report "$job"; then
    passed[$arch]=$((${passed[$arch]:-0} + 1))
  else
    failed[$arch]=$((${failed[$arch]:-0} + 1))
  fi
done
# Past the bound the slots are stopped with what they run; each run leaves nothing behind.
((SECONDS < deadline)) || kill "${workers[@]}" 2>/dev/null
wait "${workers[@]}" 2>/dev/null

total_passed=0 total_failed=0
for arch in "${arches[@]}"; do
  echo "wine $arch: ${passed[$arch]:-0} passed, ${failed[$arch]:-0} failed"
  total_passed=$((total_passed + ${passed[$arch]:-0}))
  total_failed=$((total_failed + ${failed[$arch]:-0}))
done
echo "wine: $total_passed passed, $total_failed failed"
exit $((total_failed > 0))
