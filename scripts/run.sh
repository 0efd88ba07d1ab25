#!/usr/bin/env bash
# Builds both programs and runs them under Wine. With DISPLAY set they show on
# that display until you close them; without one they run on a private Xvfb
# display and their windows are saved as PNG screenshots in screenshots/.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/install-deps.sh || exit 1
source scripts/lib/build.sh
source scripts/lib/harness.sh

build_preset cross || exit 1
wine_preset=$(harness_wine_preset)
[ "$wine_preset" = cross ] || build_preset "$wine_preset" || exit 1
build_preset native || exit 1
bin=$root/build/$wine_preset
echo "shipped programs: build/cross/quillon/quillon.exe, build/cross/pointrix/pointrix.exe"
[ "$wine_preset" = cross ] || echo "(this host's Wine cannot run 32-bit programs: running the x86_64 build of the same sources)"

trap harness_stop_all EXIT
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  harness_xvfb_start || exit 1
fi
prefix=$root/build/wine-run
if [ -d "$prefix/prefix" ]; then harness_prefix_use "$prefix"; else harness_prefix_create "$prefix"; fi

# Wine has no HID mouse: pointrix talks to the simulated one, served natively
# on loopback, unless POINTRIX_SIMULATED_DEVICE already names one.
if [ -z "${POINTRIX_SIMULATED_DEVICE:-}" ]; then
  harness_simmouse_start --scenario one --lifetime 86400 || exit 1
  echo "simulated mouse on $POINTRIX_SIMULATED_DEVICE"
fi

q=$(harness_start "$bin/quillon/quillon.exe")
p=$(harness_start "$bin/pointrix/pointrix.exe")
if [ $headless -eq 1 ]; then
  mkdir -p screenshots
  harness_wait_window quillon 60 >/dev/null && sleep 1 && harness_screenshot screenshots/quillon.png
  harness_wait_window "KORVEX pointrix" 60 >/dev/null && sleep 1 && harness_screenshot screenshots/pointrix.png
  echo "screenshots saved in $root/screenshots"
else
  echo "close both windows to end"
  harness_wait_exit "$q" 86400 >/dev/null
  harness_wait_exit "$p" 86400 >/dev/null
fi
