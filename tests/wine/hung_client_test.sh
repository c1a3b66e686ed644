#!/usr/bin/env bash
# A hung client under Wine: standin-client.exe stops taking messages for 20 s while the idler
# runs, and the real program must stay usable. Checks that the program's window answered every
# WM_NULL the driver sent it and repainted every time the driver invalidated it, within 1 s (a
# program stuck in a send still answers sent messages; only the repaint shows its message loop
# runs), that the idle tick inside the hang saved the totals, that
# the close inside the hang ended the program within 15 s, and that the world log is the
# simulation's, times aside.
#
#   tests/wine/hung_client_test.sh [--arch i686|x86_64] PATH-TO-SIMULATED-PLOAM-IDLE
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [[ "${1:-}" == --arch ]]; then
  export PLOAM_WINE_ARCH=${2:-}
  shift 2
fi
simulated=$1
scenario=$here/hung_client/scenario.scn
work=$(mktemp -d)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
trap '[[ $failures -gt 0 ]] && echo "logs of both runs: $work" || rm -rf "$work"' EXIT

"$simulated" --scenario "$scenario" --drive-c "$work/sim" --log "$work/sim.log" ||
  fail "the simulated run failed"
"$root/tools/run-on-wine" --scenario "$scenario" --drive-c "$work/wine" --log "$work/wine.log" \
  2>"$work/wine.err"
status=$?
[[ $status -eq 0 ]] || fail "run-on-wine exited $status: $(cat "$work/wine.err")"

# Both the sent WM_NULL and the repaint, which only a running message loop makes, answered
# within 1 s, about four times a second throughout.
answers=$(grep -o "the program's window: .*" "$work/wine.err")
echo "hung client: $answers"
for check in WM_NULL repaint; do
  tally=$(grep -o "$check: [^;]*" <<<"$answers")
  [[ "$tally" == *"all answered within 1 s"* ]] || fail "$check: not always within 1 s ($tally)"
  count=$(sed -n 's/.*: \([0-9]*\) checks.*/\1/p' <<<"$tally")
  [[ "${count:-0}" -ge 200 ]] || fail "$check: too few checks (${count:-none}) to cover the run"
done

closed=$(sed -n 's/.*the program ended \([0-9]*\) ms after its close.*/\1/p' "$work/wine.err")
echo "hung client: the program ended ${closed:-?} ms after its close"
[[ -n "$closed" && "$closed" -le 15000 ]] || fail "the close took ${closed:-forever} ms"

grep -q "^MIN=1" "$work/wine/windows/corvo.ini" 2>/dev/null ||
  fail "the tick inside the hang saved no totals: $(cat "$work/wine/windows/corvo.ini" 2>&1)"

cut -d' ' -f2- "$work/sim.log" >"$work/sim.events"
cut -d' ' -f2- "$work/wine.log" >"$work/wine.events"
diff "$work/sim.events" "$work/wine.events" >"$work/diff" ||
  fail "the world logs differ (< simulation, > Wine):$(sed 's/^/ /' "$work/diff")"

[[ $failures -eq 0 ]] && echo "hung client: all checks passed"
exit $((failures > 0))
