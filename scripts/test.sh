#!/usr/bin/env bash
# Builds and runs every test: native, AddressSanitizer + UndefinedBehavior-
# Sanitizer, ThreadSanitizer, the Windows builds under Wine, the end-to-end
# scripts under Wine on Xvfb, and a short run of every fuzz target.
# Usage: scripts/test.sh [--fuzz-seconds N]
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
fuzz_seconds=4
[ "${1:-}" = "--fuzz-seconds" ] && fuzz_seconds=$2

bash scripts/install-deps.sh || exit 1
source scripts/lib/build.sh
source scripts/lib/harness.sh

total_pass=0
total_fail=0
summary=()

# record STAGE PASSED FAILED
record() {
  total_pass=$((total_pass + $2))
  total_fail=$((total_fail + $3))
  summary+=("$(printf '%-10s %4d passed, %d failed' "$1:" "$2" "$3")")
}

# ctest_stage STAGE DIR [ctest args]: runs CTest and records its counts.
ctest_stage() {
  local stage=$1 dir=$2
  shift 2
  echo "== $stage: ctest in $dir"
  local out
  out=$(cd "$dir" && ctest --output-on-failure --timeout 600 "$@" 2>&1)
  local rc=$?
  echo "$out" | grep -vE '^ *(Start|[0-9]+/[0-9]+ Test) ' | sed '/^$/d' | tail -60
  local line total failed
  line=$(echo "$out" | grep -E 'tests passed, [0-9]+ tests failed out of' | tail -1)
  if [ -n "$line" ]; then
    failed=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')
    total=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/')
    record "$stage" $((total - failed)) "$failed"
  else
    record "$stage" 0 1
  fi
  [ $rc -eq 0 ]
}

stage_native() {
  local preset=$1 stage=$2
  if build_preset "$preset"; then
    ctest_stage "$stage" "build/$preset" -j "$BUILD_JOBS"
  else
    record "$stage" 0 1
  fi
}

stage_native native native
UBSAN_OPTIONS=print_stacktrace=1 stage_native asan asan+ubsan
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" stage_native tsan tsan

# Windows builds: the shipped 32-bit programs always; the tests run on the
# build this host's Wine can execute.
wine_preset=$(harness_wine_preset)
echo "== windows: building 'cross' (shipped) and '$wine_preset' (run under Wine)"
if build_preset cross; then
  for exe in quillon pointrix; do
    if file "build/cross/$exe/$exe.exe" | grep -q 'PE32 executable (GUI) Intel 80386'; then
      record pe32 1 0
    else
      echo "build/cross/$exe/$exe.exe is not a 32-bit GUI program: $(file -b build/cross/$exe/$exe.exe)"
      record pe32 0 1
    fi
  done
else
  record pe32 0 1
fi

wine_ok=0
if [ "$wine_preset" = cross ] || build_preset "$wine_preset"; then
  wine_ok=1
else
  record wine 0 1
fi

if [ $wine_ok -eq 1 ]; then
  trap harness_stop_all EXIT
  harness_xvfb_start || exit 1
  export SUITE_WINE_DIR=$root/build/wine-test
  echo "== wine: making a prefix in $SUITE_WINE_DIR"
  harness_prefix_create "$SUITE_WINE_DIR"
  ctest_stage wine "build/$wine_preset" -j "$BUILD_JOBS"

  export SUITE_BIN=$root/build/$wine_preset
  export SUITE_SCREENSHOTS=$root/build/screenshots
  export SUITE_NATIVE_BIN=$root/build/native
  mkdir -p "$SUITE_SCREENSHOTS"
  e2e_pass=0
  e2e_fail=0
  for t in tests/e2e/*.sh; do
    [ -e "$t" ] || continue
    echo "== e2e: $t"
    if timeout 600 bash "$t"; then
      echo "   PASS $(basename "$t")"
      e2e_pass=$((e2e_pass + 1))
    else
      echo "   FAIL $(basename "$t")"
      e2e_fail=$((e2e_fail + 1))
    fi
  done
  record e2e $e2e_pass $e2e_fail
  echo "   screenshots in $SUITE_SCREENSHOTS"
  harness_stop_all
fi

echo "== fuzz: every target for ${fuzz_seconds}s over its corpus"
if build_preset fuzz; then
  fz_pass=0
  fz_fail=0
  for exe in build/fuzz/fuzz/fuzz_*; do
    [ -x "$exe" ] || continue
    name=$(basename "$exe" | sed 's/^fuzz_//')
    scratch=$(mktemp -d)
    if "$exe" "$scratch" "fuzz/corpus/$name" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
      >"build/fuzz/$name.log" 2>&1; then
      fz_pass=$((fz_pass + 1))
      echo "   ok   $name ($(grep -oE 'Done [0-9]+ runs' "build/fuzz/$name.log" | tail -1))"
    else
      fz_fail=$((fz_fail + 1))
      echo "   FAIL $name; the end of build/fuzz/$name.log:"
      tail -30 "build/fuzz/$name.log"
    fi
    rm -rf "$scratch"
  done
  record fuzz $fz_pass $fz_fail
else
  record fuzz 0 1
fi

echo
echo "== summary"
printf '%s\n' "${summary[@]}"
echo "total: $total_pass passed, $total_fail failed"
[ "$total_fail" -eq 0 ]
