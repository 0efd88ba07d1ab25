#!/usr/bin/env bash
# Runs a Windows console program under Wine (used by CTest for cross builds).
# Uses the prefix given in SUITE_WINE_DIR, or makes one under build/wine.
set -u
source "$(dirname "$0")/lib/harness.sh"
dir=${SUITE_WINE_DIR:-$HARNESS_ROOT/build/wine}
if [ ! -d "$dir/prefix" ]; then
  harness_prefix_create "$dir"
else
  harness_prefix_use "$dir"
fi
exec "$(harness_wine_loader)" "$@"
