#!/usr/bin/env bash
# quillon's skin as a person sees it: the module list while scanning and in
# the good, moderate and poor states, and a button in its four states
# (skinview shows them all), saved as screenshots. The status colours are
# checked in the pictures: the list's header band turns green, orange or red
# (the scan scene has finished one module at 62: already "moderate").
set -u
source "$(dirname "$0")/../../scripts/lib/harness.sh"
build_dir=${SUITE_BIN:-}
shots=${SUITE_SCREENSHOTS:-${build_dir:-.}/screenshots}
mkdir -p "$shots"
view="$SUITE_BIN/tools/skinview/skinview.exe"
[ -x "$view" ] || [ -f "$view" ] || { echo "skinview.exe not built"; exit 1; }

# R G B of one screen pixel in a screenshot.
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

# scene title expected-colour: runs skinview, waits for the window, takes the
# screenshot and checks the colour of the list's header band.
shoot() {
  local scene=$1 title=$2 want=$3
  local pid win
  pid=$(harness_start "$view" --scene "$scene" --exit-after 60000)
  win=$(harness_wait_window "$title" 60) || { echo "skinview $scene: no window \"$title\""; harness_stop "$pid"; return 1; }
  sleep 1.5  # tooltips fade in within half a second
  local file="$shots/quillon_skin_$scene.png"
  harness_screenshot "$file"
  read -r x y _ _ < <(harness_window_geometry "$win")
  harness_stop "$pid"
  # The header band of the list, left of its texts (list at 195, 19).
  local r g b
  read -r r g b < <(pixel "$file" $((x + 203)) $((y + 30)))
  case $want in
    green) [ "$g" -gt "$r" ] && [ "$g" -gt "$b" ] ;;
    orange) [ "$r" -gt 230 ] && [ "$g" -gt "$b" ] && [ $((r - b)) -gt 30 ] ;;
    red) [ "$r" -gt 180 ] && [ "$g" -lt 90 ] && [ "$b" -lt 90 ] ;;
  esac || { echo "skinview $scene: header colour $r $g $b is not $want"; return 1; }
}

status=0
shoot scanning "quillon skin view" orange || status=1
shoot good "quillon skin view - done" green || status=1
shoot moderate "quillon skin view - done" orange || status=1
shoot poor "quillon skin view - done" red || status=1
exit $status
