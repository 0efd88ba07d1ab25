#!/usr/bin/env bash
# quillon as a person uses it: "SCAN NOW!" runs the three checks on this
# prefix, the results page shows the main button, "Remind me later" closes.
set -u
source "$(dirname "$0")/../../scripts/lib/harness.sh"
shots=${SUITE_SCREENSHOTS:-.}
trap harness_stop_all EXIT

# The colour of one pixel inside window ID as "R G B" (0..255).
pixel() {
  local g
  g=($(harness_window_geometry "$1"))
  import -window root -crop "1x1+$((g[0] + $2))+$((g[1] + $3))" -depth 8 txt:- |
    tail -1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}

# Blue enough to be the main button's face.
is_button() { [ "$3" -gt 150 ] && [ "$3" -gt $(($1 + 60)) ]; }

pid=$(harness_start "$SUITE_BIN/quillon/quillon.exe")
win=$(harness_wait_window quillon 60) || exit 1
sleep 1
is_button $(pixel "$win" 490 360) || { echo "no SCAN NOW! button on the start page"; exit 1; }
harness_click "$win" 370 373
sleep 2
harness_screenshot "$shots/quillon_scanning.png"

# The results page puts the main button at the lower right.
for _ in $(seq 1 120); do
  is_button $(pixel "$win" 645 470) && break
  sleep 0.5
done
is_button $(pixel "$win" 645 470) || { echo "the scan never reached the results page"; exit 1; }
sleep 1
harness_screenshot "$shots/quillon_results.png"

harness_click "$win" 236 501
rc=$(harness_wait_exit "$pid" 20) || { echo "quillon did not close"; exit 1; }
[ "$rc" = 0 ] || { echo "quillon exit code $rc"; exit 1; }
exit 0
