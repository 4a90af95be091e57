#!/usr/bin/env bash
# Runs the utility: the Windows build under Wine, with a simulated mouse
# standing in for the real one (its memory is build/windows/run/simulated-mouse.bin).
# The utility gets a Wine prefix of its own (build/windows/run-prefix) and a
# folder of its own (build/windows/run), so its settings survive between runs.
#
# With a display it opens on it (the icon sits in the notification area:
# left click shows the window, right click offers Exit). Without one it runs
# on a virtual display, saves a screenshot of the shown window, prints its
# path and ends.
#
# With --linux it runs px6410, the Linux build, natively, with a simulated
# mouse (build/native/run/simulated-mouse.bin) and its settings in
# build/native/run; without a display, on a virtual one with a notification
# area, leaving a screenshot.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
ROOT="$PWD"
scripts/install-deps.sh

# The run folder: a fresh program and skins; settings and mouse only when
# missing, so that they stay between runs.   prepare_folder DIST RUN PROGRAM
prepare_folder() {
  local dist=$1 run=$2 mouse="$2/simulated-mouse.bin"
  mkdir -p "$run"
  cp "$dist/$3" "$run/"
  rm -rf "$run/Skins" && cp -r "$dist/Skins" "$run/"
  for f in config.bin str.ini; do
    [ -f "$run/$f" ] || cp "$dist/$f" "$run/"
  done
  if [ ! -f "$mouse" ]; then
    # 322 bytes: report rate 1000 Hz, stage 1, DPI table variant 1 (block 4 byte 1).
    head -c 322 /dev/zero >"$mouse"
    printf '\001' | dd of="$mouse" bs=1 seek=0 conv=notrunc status=none
    printf '\001' | dd of="$mouse" bs=1 seek=195 conv=notrunc status=none
  fi
}

if [ "${1:-}" = "--linux" ]; then
  cmake --preset native >/dev/null
  cmake --build --preset native --target px6410 px6410ctl
  BUILD="$ROOT/build/native"
  RUN_DIR="$BUILD/run"
  prepare_folder "$BUILD/dist" "$RUN_DIR" px6410
  MOUSE="$RUN_DIR/simulated-mouse.bin"
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "px6410 runs. With a notification area its icon is there: left click shows the"
    echo "window, right click offers Exit; without one the window shows and closing it ends it."
    echo "Unplug the simulated mouse by moving $MOUSE away, plug it in by moving it back."
    exec "$RUN_DIR/px6410" --sim "$MOUSE"
  fi
  # No display: the end-to-end tests' virtual display, tray host and bus.
  BUILD_DIR="$BUILD" SOURCE_DIR="$ROOT"
  source "$ROOT/tests/linux/lib.sh"
  LX_SHOTS="$BUILD"
  lx_start_display
  lx_start_tray
  lx_start_bus
  lx_start_app run "$RUN_DIR/px6410" --sim "$MOUSE"
  lx_wait_tray || lx_fail "px6410 did not start: $(cat "$LX_ROOT/run.out")"
  lx_tray_click 1
  lx_wait_visible || lx_fail "the window did not show"
  lx_origin
  lx_wait_painted || true
  shot="$(lx_shot run-linux-screenshot)"
  echo "No display: px6410 ran on a virtual one. Screenshot of the shown window: $shot"
  lx_click 859 14
  lx_exited_with run 20 0 || true
  exit 0
fi
cmake --preset windows >/dev/null
cmake --build --preset windows --target px_utility_sim px_dist_sim_files px_e2e_helper

BUILD="$ROOT/build/windows"
RUN_DIR="$BUILD/run"
export WINEPREFIX="$BUILD/run-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

prepare_folder "$BUILD/dist-sim" "$RUN_DIR" PX6410-3-4.exe

XVFB_PID=""
cleanup() {
  if [ -n "$XVFB_PID" ]; then
    timeout 20 wineserver -k 2>/dev/null || true
    kill "$XVFB_PID" 2>/dev/null || true
  fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  fd_file="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
  echo "No display: running on the virtual display $DISPLAY"
fi

if [ ! -f "$WINEPREFIX/.px6410-ready" ] || [ "$ROOT/scripts/wine-fonts.reg" -nt "$WINEPREFIX/.px6410-ready" ]; then
  # Once, and again whenever the font faces change (a prefix of an earlier run).
  echo "Preparing the Wine prefix..."
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wine regedit "$ROOT/scripts/wine-fonts.reg" >/dev/null 2>&1 || true
  wineserver -w || true
  touch "$WINEPREFIX/.px6410-ready"
fi

helper() { timeout 30 wine "$BUILD/px_e2e_helper.exe" "$@"; }

(cd "$RUN_DIR" && wine ./PX6410-3-4.exe >/dev/null 2>&1) &
APP=$!
helper wait-window 60000 >/dev/null || { echo "The utility did not start." >&2; exit 1; }
# Open the window once, as a click on the icon does.
sleep 1
helper send 0x401 0 0x202 >/dev/null
helper wait-visible 10000 >/dev/null || true

if [ -n "$XVFB_PID" ]; then
  sleep 1
  shot="$BUILD/run-screenshot.png"
  import -window root "$shot"
  echo "Screenshot of the shown window: $shot"
  helper post 0x111 1028 0 >/dev/null || true
  wait "$APP" || true
  exit 0
fi

echo "The utility runs. Its icon is in the notification area: left click shows"
echo "the window, right click offers Exit (the window's close only hides it)."
wait "$APP"
