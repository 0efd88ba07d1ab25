#!/usr/bin/env bash
# Both programs start, show their main window, and end cleanly when closed
# from their own controls.
set -u
source "$(dirname "$0")/../../scripts/lib/harness.sh"
shots=${SUITE_SCREENSHOTS:-.}
trap harness_stop_all EXIT

# quillon: the start page; "Remind me later" closes it.
pid=$(harness_start "$SUITE_BIN/quillon/quillon.exe")
win=$(harness_wait_window quillon 60) || exit 1
sleep 1
harness_screenshot "$shots/first_windows_quillon.png"
harness_click "$win" 236 501
rc=$(harness_wait_exit "$pid" 20) || { echo "quillon did not close"; exit 1; }
[ "$rc" = 0 ] || { echo "quillon exit code $rc"; exit 1; }

# pointrix: the window titled "KORVEX pointrix" with its "Quit" button.
pid=$(harness_start "$SUITE_BIN/pointrix/pointrix.exe")
win=$(harness_wait_window "KORVEX pointrix" 60) || exit 1
sleep 1
harness_screenshot "$shots/first_windows_pointrix.png"
harness_click "$win" 568 334
rc=$(harness_wait_exit "$pid" 20) || { echo "pointrix did not close"; exit 1; }
[ "$rc" = 0 ] || { echo "pointrix exit code $rc"; exit 1; }
exit 0
