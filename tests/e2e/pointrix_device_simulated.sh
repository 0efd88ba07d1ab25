#!/usr/bin/env bash
# The Windows build's simulated-device backend, chosen by
# POINTRIX_SIMULATED_DEVICE, finds the supported mice among the interfaces that
# simmouse_server offers natively on loopback, reads identity and memory, and
# its writes land in the simulated mouse's memory.
set -u
source "$(dirname "$0")/../../scripts/lib/harness.sh"

probe="$SUITE_BIN/tests/pointrix_win32_tests.exe"
[ -f "$probe" ] || { echo "pointrix_win32_tests.exe not found in $SUITE_BIN/tests"; exit 1; }

work=$(mktemp -d)
cleanup() {
  harness_stop_all
  rm -rf "$work"
}
trap cleanup EXIT

harness_simmouse_start --scenario mixed || exit 1
port=${POINTRIX_SIMULATED_DEVICE##*:}

if ! POINTRIX_DEVICE_PROBE=1 harness_wine "$probe" --gtest_filter='SimulatedDeviceProbe.*' >"$work/probe.log" 2>&1; then
  echo "probe failed: $(grep -m1 -A2 'Failure' "$work/probe.log" | tr -d '\r' | tr '\n' ' ')"
  exit 1
fi
grep -q 'PASSED.*1 test' "$work/probe.log" || { echo "probe did not run: $(tail -1 "$work/probe.log")"; exit 1; }

# Ask the server what the mouse holds now.
exec 3<>"/dev/tcp/127.0.0.1/$port" || { echo "cannot reach simmouse_server"; exit 1; }
ask() {
  local answer
  echo "$1" >&3
  read -r -t 10 answer <&3 || answer="(no answer)"
  echo "${answer%$'\r'}"
}
expect() {
  local got
  got=$(ask "$1")
  [ "$got" = "$2" ] || { echo "$1: expected '$2', got '$got'"; exit 1; }
}
# Profile 0's name "Probe" in UTF-16LE, and button 3 = Ctrl+C (type 5, 0x01, 0x06).
expect "PEEK 0 30 10" "OK 500072006f0062006500"
expect "PEEK 0 51 1" "OK 05"
expect "PEEK 0 67 1" "OK 01"
expect "PEEK 0 83 1" "OK 06"
# Mouse 0 got number 1 and one start; the old-firmware mouse (4) number 2; the
# one without interface 0 (1), with another signature (2) and with another
# class byte (3) got none.
state=$(ask "STATE 0")
set -- $state
[ "$1 $2 $3" = "OK 1 1" ] || { echo "mouse 0 state: $state"; exit 1; }
[ "${11}" = 1 ] || { echo "mouse 0 was started ${11} times"; exit 1; }
[ "${9}" -ge 1 ] || { echo "mouse 0 saw no reload-buttons request"; exit 1; }
for mouse in 1 2 3; do
  set -- $(ask "STATE $mouse")
  [ "$3" = 0 ] || { echo "mouse $mouse was numbered $3"; exit 1; }
done
set -- $(ask "STATE 4")
[ "$3" = 2 ] || { echo "old-firmware mouse numbered '$3', expected 2"; exit 1; }
exec 3>&-
exit 0
