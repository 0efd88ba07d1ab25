#!/usr/bin/env bash
# Runs every fuzz target for longer (default 300 s each), keeping what it finds
# in build/fuzz/found/<name>. Usage: scripts/fuzz.sh [seconds] [name...]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift || true
bash scripts/install-deps.sh || exit 1
source scripts/lib/build.sh
build_preset fuzz || exit 1
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for exe in build/fuzz/fuzz/fuzz_*; do names+=("$(basename "$exe" | sed 's/^fuzz_//')"); done
fi
rc=0
for name in "${names[@]}"; do
  mkdir -p "build/fuzz/found/$name"
  echo "== $name for ${seconds}s"
  "build/fuzz/fuzz/fuzz_$name" "build/fuzz/found/$name" "fuzz/corpus/$name" -max_total_time="$seconds" \
    -timeout=10 -artifact_prefix="build/fuzz/found/$name/" 2>&1 | tail -3 || rc=1
done
exit $rc
