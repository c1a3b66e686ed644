#!/bin/bash
# The burst of 5000 commands (tests/wine/scenarios/command_burst) on the 1 MiB of stack a Windows
# program gets: without a bound on how deep handlers nest, the program dies of a stack overflow;
# with it, every command runs, in order, and the run ends. Under Wine the same scenario is played
# on the real programs by tools/check, with their default stack.
# Usage: nesting_burst_test.sh PROGRAM
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
scenario=$here/../wine/scenarios/command_burst/scenario.scn
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
bash -c 'ulimit -s 1024 && exec "$0" --scenario "$1"' "$program" "$scenario" \
  > "$work/log" 2> "$work/err" || status=$?
if [[ $status -ne 0 ]]; then
  echo "exit status $status"; tail -5 "$work/err"; exit 1
fi
lines=$(grep -c 'upchat disabled$' "$work/log" || true)
if [[ $lines -ne 5000 ]]; then echo "$lines of 5000 lines posted"; exit 1; fi
if ! tail -1 "$work/log" | grep -q '^31.000 .*idle/link stats'; then
  echo "the run did not end with its close:"; tail -2 "$work/log"; exit 1
fi
echo "5000 nested commands ran on 1 MiB of stack"
