# Wine harness: a throw-away prefix, an Xvfb display, programs started and
# stopped by process id, windows found by title, clicks and screenshots.
# Source this file; every function prints errors to stderr and returns non-zero.

HARNESS_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
HARNESS_PIDS=()
# Exit codes of started programs, one file per watcher pid.
HARNESS_STATE=${HARNESS_STATE:-$(mktemp -d)}
export HARNESS_STATE

export WINEDEBUG=${WINEDEBUG:--all}
# No debugger on a crash (it would wait forever), no Mono or Gecko installers.
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

# Which Windows build the Wine host can run: "cross" (32-bit) where the kernel
# runs i386 programs, otherwise "cross64".
harness_wine_preset() {
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo cross
  else
    echo cross64
  fi
}

harness_wine_loader() {
  if [ "$(harness_wine_preset)" = cross ]; then echo /usr/lib/wine/wine; else echo /usr/lib/wine/wine64; fi
}

harness_wineserver() {
  if [ -x /usr/lib/wine/wineserver64 ] && [ "$(harness_wine_preset)" = cross64 ]; then
    echo /usr/lib/wine/wineserver64
  else
    echo /usr/lib/wine/wineserver
  fi
}

# harness_xvfb_start: starts Xvfb on a free display and exports DISPLAY.
harness_xvfb_start() {
  local n
  for n in $(seq 90 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    local pid=$!
    local i
    for i in $(seq 1 50); do
      if [ -e /tmp/.X11-unix/X$n ]; then
        HARNESS_XVFB_PID=$pid
        HARNESS_PIDS+=("$pid")
        export DISPLAY=:$n
        return 0
      fi
      kill -0 $pid 2>/dev/null || break
      sleep 0.1
    done
    kill $pid 2>/dev/null
  done
  echo "harness: no free X display" >&2
  return 1
}

# harness_prefix_create DIR: a fresh prefix in DIR with its own HOME, fonts
# that measure like the ones the programs ask for.
harness_prefix_create() {
  local dir=$1
  rm -rf "$dir"
  mkdir -p "$dir/home"
  export HOME="$dir/home"
  export WINEPREFIX="$dir/prefix"
  [ "$(harness_wine_preset)" = cross ] && export WINEARCH=win32 || unset WINEARCH
  "$(harness_wine_loader)" wineboot --init >/dev/null 2>&1
  "$(harness_wineserver)" -w
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null
  cp /usr/share/fonts/truetype/liberation/Liberation*.ttf "$fonts/" 2>/dev/null
  cat > "$dir/fonts.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Courier New"="Liberation Mono"
"Times New Roman"="Liberation Serif"
"Consolas"="Liberation Mono"
"Segoe UI"="Liberation Sans"
"Microsoft Sans Serif"="Liberation Sans"
REG
  harness_wine regedit /S "$(harness_winpath "$dir/fonts.reg")" >/dev/null 2>&1
  "$(harness_wineserver)" -w
}

# harness_prefix_use DIR: use a prefix made earlier by harness_prefix_create.
harness_prefix_use() {
  export HOME="$1/home"
  export WINEPREFIX="$1/prefix"
  [ "$(harness_wine_preset)" = cross ] && export WINEARCH=win32 || unset WINEARCH
}

harness_winpath() { echo "Z:$(echo "$1" | sed 's|/|\\|g')"; }

# harness_wine ARGS...: runs a Windows program in the foreground.
harness_wine() { "$(harness_wine_loader)" "$@"; }

# harness_start EXE ARGS...: starts a program in the background and prints the
# pid of its watcher; the program's exit code is kept for harness_wait_exit.
# Works inside $(...) too.
harness_start() {
  mkdir -p "$HARNESS_STATE"
  (
    "$(harness_wine_loader)" "$@" >>"${HARNESS_LOG:-/dev/null}" 2>&1
    echo $? >"$HARNESS_STATE/$BASHPID.rc"
  ) </dev/null >/dev/null 2>&1 &
  local pid=$!
  HARNESS_PIDS+=("$pid")
  HARNESS_LAST_PID=$pid
  echo $pid
}

# harness_stop PID: stops a program started by harness_start.
harness_stop() {
  local child
  for child in $(pgrep -P "$1" 2>/dev/null); do kill "$child" 2>/dev/null; done
  kill "$1" 2>/dev/null
}

# harness_wait_window TITLE [SECONDS]: prints the X window id of the first
# visible window whose name is exactly TITLE.
harness_wait_window() {
  local title=$1 limit=${2:-30} i id
  for i in $(seq 1 $((limit * 5))); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.2
  done
  echo "harness: no window titled '$title' after ${limit}s" >&2
  return 1
}

# harness_window_geometry ID: prints "X Y WIDTH HEIGHT".
harness_window_geometry() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '
    /^X=/{x=$2} /^Y=/{y=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2}
    END{print x, y, w, h}'
}

# harness_click ID DX DY: left click at (DX, DY) inside window ID.
harness_click() {
  local g
  g=($(harness_window_geometry "$1"))
  xdotool mousemove $((g[0] + $2)) $((g[1] + $3)) click 1
}

# harness_screenshot FILE: PNG of the whole display.
harness_screenshot() { import -window root "$1"; }

# harness_wait_exit PID [SECONDS]: waits for a program started by
# harness_start to end; prints its exit code.
harness_wait_exit() {
  local pid=$1 limit=${2:-20} i
  for i in $(seq 1 $((limit * 10))); do
    if [ -f "$HARNESS_STATE/$pid.rc" ]; then
      cat "$HARNESS_STATE/$pid.rc"
      return 0
    fi
    sleep 0.1
  done
  echo "harness: process $pid still running after ${limit}s" >&2
  return 1
}

# harness_stop_all: stops, by pid, everything this harness started, and the
# prefix's wineserver.
harness_stop_all() {
  local pid
  for pid in "${HARNESS_PIDS[@]}"; do
    harness_stop "$pid"
  done
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    "$(harness_wineserver)" -k 2>/dev/null
  fi
  HARNESS_PIDS=()
}

# harness_simmouse_start [ARGS...]: starts the native simulated mouse on a free
# loopback port (extra ARGS go to the server, e.g. --scenario two) and exports
# POINTRIX_SIMULATED_DEVICE for the Windows programs started after it.
harness_simmouse_start() {
  local server=${SIMMOUSE_SERVER:-} candidate
  if [ -z "$server" ]; then
    for candidate in "${SUITE_NATIVE_BIN:-}/tools/simmouse/simmouse_server" \
      "$HARNESS_ROOT/build/native/tools/simmouse/simmouse_server" \
      "$HARNESS_ROOT"/build/*/tools/simmouse/simmouse_server; do
      if [ -x "$candidate" ]; then server=$candidate; break; fi
    done
  fi
  [ -n "$server" ] && [ -x "$server" ] || { echo "harness: simmouse_server is not built" >&2; return 1; }
  local port_file i
  port_file=$(mktemp)
  "$server" --port-file "$port_file" --lifetime 3600 "$@" >/dev/null 2>&1 &
  HARNESS_PIDS+=("$!")
  HARNESS_SIMMOUSE_PID=$!
  for i in $(seq 1 100); do [ -s "$port_file" ] && break; sleep 0.1; done
  [ -s "$port_file" ] || { echo "harness: simmouse_server did not start" >&2; return 1; }
  export POINTRIX_SIMULATED_DEVICE=127.0.0.1:$(cat "$port_file")
  rm -f "$port_file"
}
