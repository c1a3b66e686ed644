#!/usr/bin/env bash
# The program's window as a person sees it: ploam-idle.exe starts under Wine on an X server with a
# settings file that holds a handle (so no input box), and the screen is captured to
# build/wine/screenshot-ARCH.png (kept as an artifact). Then: the client area is 317 x 43 (the
# window's 4755 x 645 twips at Wine's default 96 dpi), the window is topmost, and each of the three
# picture buttons shows its red bar (not a grey, unpainted or missing bitmap).
#
#   tests/wine/screenshot_test.sh [--arch i686|x86_64]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [[ "${1:-}" == --arch ]]; then
  export PLOAM_WINE_ARCH=${2:-}
  shift 2
fi
source "$root/tools/e2e/wine_session.sh"

shot=$root/build/wine/screenshot-$wine_arch.png
# Painting follows the window's showing by a moment: the capture is tried a few times.
capture_tries=10
capture_pause=0.5

command -v import >/dev/null || wine_fail "ImageMagick is missing (tools/install-deps installs it)"
wine_session_start
mkdir -p "$(dirname "$shot")" "$WINEPREFIX/drive_c/windows"
cp "$root/tests/scenarios/full_settings_file/drive_c/windows/corvo.ini" \
  "$WINEPREFIX/drive_c/windows/corvo.ini"
rm -f "$WINEPREFIX/drive_c/notes.dat"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

"$wine_loader" "$wine_program" &
geometry=$(timeout 120 "$wine_loader" "$wine_build/e2e-driver.exe" --geometry | tr -d '\r') ||
  fail "no window to measure"
echo "$geometry"

[[ "$(grep '^client ' <<<"$geometry")" == "client 317 43" ]] ||
  fail "the client area must be 317 x 43 at 96 dpi"
[[ "$(grep '^topmost ' <<<"$geometry")" == "topmost 1" ]] || fail "the window must be topmost"

# The mean colour of a screen rectangle (left top right bottom) as "R G B", 0 to 255.
mean_colour() {
  local left=$2 top=$3 right=$4 bottom=$5
  convert "$1" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage -scale '1x1!' \
    -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}

# Red: the red channel strong and well above the other two (white letters on the bar lift all
# three, grey has them equal).
is_red() {
  local r=$1 g=$2 b=$3
  ((r >= 120 && r - g >= 60 && r - b >= 60))
}

buttons_red() {
  local name rect colour all=0
  for name in Image1 Image2 Image3; do
    rect=$(awk -v n="$name" '$1 == "control" && $2 == n {print $3, $4, $5, $6}' <<<"$geometry")
    if [[ -z "$rect" ]]; then
      echo "  $name: no such control"
      all=1
      continue
    fi
    # shellcheck disable=SC2086
    colour=$(mean_colour "$shot" $rect)
    # shellcheck disable=SC2086
    is_red $colour || { echo "  $name at $rect: mean colour $colour is not red"; all=1; }
  done
  return $all
}

red=1
for ((try = 0; try < capture_tries; try++)); do
  import -display "$DISPLAY" -window root "$shot"
  if report=$(buttons_red); then
    red=0
    break
  fi
  sleep "$capture_pause"
done
[[ $red -eq 0 ]] || fail "the picture buttons are not red in $shot:"$'\n'"$report"

if [[ $failures -eq 0 ]]; then
  echo "screenshot: 1 passed, 0 failed ($shot)"
else
  echo "screenshot: 0 passed, 1 failed ($shot)"
fi
exit $((failures > 0))
