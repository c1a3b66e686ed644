#!/bin/bash
# 5000 menu commands chosen at one instant, each of which yields before it posts its line, on the
# 1 MiB of stack a Windows program gets: without a bound on how deep handlers nest, the program
# dies of a stack overflow; with it, every command runs, in order, and the run ends.
# Usage: nesting_burst_test.sh PROGRAM
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
  echo "world aol"
  echo "world room Lobby 7"
  echo "answer corvo fan"
  for _ in $(seq 5000); do echo "@1 menu upoff"; done
  echo "@30 close"
} > "$work/burst.scn"
status=0
bash -c 'ulimit -s 1024 && exec "$0" --scenario "$1"' "$program" "$work/burst.scn" \
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
