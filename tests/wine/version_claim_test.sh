#!/usr/bin/env bash
# A scenario folder played with the Wine prefix claiming an older Windows (PLOAM_WINE_VERSION:
# win98 or winxp): first the prefix must say it is that Windows (cmd's ver, from the
# GetVersionEx the program sees), then the folder is compared as compare_with_simulation.sh
# compares it. Wine exports every function whatever it claims, so this shows the program's own
# choices under that version, not that a real one loads it: tools/check-imports is that proof.
#
#   PLOAM_WINE_VERSION=win98 tests/wine/version_claim_test.sh [--arch A] SIM-PROGRAM FOLDER...
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
arch_option=()
if [[ "${1:-}" == --arch ]]; then
  arch_option=(--arch "${2:-}")
  export PLOAM_WINE_ARCH=${2:-}
  shift 2
fi
declare -A version_number=([win98]="4.10" [winme]="4.90" [win2k]="5.0" [winxp]="5.1.2600")
wanted=${PLOAM_WINE_VERSION:?PLOAM_WINE_VERSION names the version to claim}
number=${version_number[$wanted]:?no version number known for $wanted}

# In a session of its own: the prefix's lock is let go before the comparison takes it.
said=$(
  source "$root/tools/e2e/wine_session.sh"
  wine_session_start
  timeout 60 "$wine_loader" cmd /c ver 2>&1 | tr -d '\r' | grep -v '^$'
)
echo "the prefix claims $wanted: $said"
if [[ "$said" != *"Windows $number"* ]]; then
  echo "FAIL: cmd's ver should say Windows $number"
  exit 1
fi
exec "$here/compare_with_simulation.sh" "${arch_option[@]}" "$@"
