# Build helpers shared by the run and test commands. Source this file.

BUILD_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_JOBS=${BUILD_JOBS:-$(nproc)}
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
# Paths relative to the checkout, so another clone of the tree hits the cache.
export CCACHE_BASEDIR=$BUILD_ROOT
export CCACHE_NOHASHDIR=1
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-8G}

# build_preset NAME [TARGET...]: configures (once) and builds a preset into
# build/NAME; the build log goes to build/NAME.log.
build_preset() {
  local preset=$1
  shift
  local dir="$BUILD_ROOT/build/$preset" log="$BUILD_ROOT/build/$preset.log"
  mkdir -p "$BUILD_ROOT/build"
  {
    if [ ! -f "$dir/CMakeCache.txt" ]; then
      cmake -S "$BUILD_ROOT" --preset "$preset" || return 1
    fi
    if [ $# -gt 0 ]; then
      cmake --build "$dir" -j "$BUILD_JOBS" --target "$@"
    else
      cmake --build "$dir" -j "$BUILD_JOBS"
    fi
  } >"$log" 2>&1
  local rc=$?
  if [ $rc -ne 0 ]; then
    echo "build of '$preset' failed; the end of $log:" >&2
    tail -40 "$log" >&2
  fi
  return $rc
}
