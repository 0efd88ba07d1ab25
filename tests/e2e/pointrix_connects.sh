#!/usr/bin/env bash
# pointrix finds the simulated mouse, reads all its settings and shows them:
# the first profile's colour swatch is red, as the mouse's factory image says.
set -u
source "$(dirname "$0")/../../scripts/lib/harness.sh"
shots=${SUITE_SCREENSHOTS:-.}
trap harness_stop_all EXIT

harness_simmouse_start --scenario one || exit 1
pid=$(harness_start "$SUITE_BIN/pointrix/pointrix.exe")
win=$(harness_wait_window "KORVEX pointrix" 60) || exit 1

red=0
for _ in $(seq 1 60); do
  g=($(harness_window_geometry "$win"))
  rgb=$(import -window root -crop "1x1+$((g[0] + 32))+$((g[1] + 100))" -depth 8 txt:- | tail -1 |
    sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/')
  read -r r gr b <<<"$rgb"
  if [ "$r" -gt 200 ] && [ "$gr" -lt 60 ] && [ "$b" -lt 60 ]; then red=1; break; fi
  sleep 0.5
done
harness_screenshot "$shots/pointrix_connected.png"
[ $red -eq 1 ] || { echo "the settings of the simulated mouse never showed"; exit 1; }

harness_click "$win" 568 334
rc=$(harness_wait_exit "$pid" 20) || { echo "pointrix did not close"; exit 1; }
[ "$rc" = 0 ] || { echo "pointrix exit code $rc"; exit 1; }
exit 0
