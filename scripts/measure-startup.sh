#!/usr/bin/env bash
# Start-up time of the utility (simulator build, simulated mouse plugged in)
# against a minimal Win32 program that only adds a tray icon, both under the
# same Wine, on one virtual display, in one run, alternating:
#   tray: from the process start to Wine's tray showing the icon;
#   shown: from the process start to its first window on the screen, the tray
#          icon being clicked as soon as it shows.
# Prints the median of each and the ratios utility / minimal.
#   scripts/measure-startup.sh [RUNS]        (default 5)
set -euo pipefail
SOURCE_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="$SOURCE_DIR/build/windows"
RUNS="${1:-5}"
cmake --preset windows >/dev/null
cmake --build --preset windows --target px_utility_sim px_dist_sim_files px_e2e_helper px_minimal_tray >/dev/null
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display >/dev/null
e2e_start_wine >/dev/null

dir="$(e2e_make_folder measure 1)"
cp "$BUILD_DIR/px_minimal_tray.exe" "$dir/"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# One start: prints "tray_ms shown_ms". Fails, printing nothing, when the
# program ends before its icon shows (the last one had not quite let go of
# its instance), or when the window is not shown within 5 s of the tray
# click (Wine now and then drops a click on an icon that has just appeared):
# that start is not counted.
measure() {
  local exe=$1 xclass=$2 tag=$3 t0 tray shown
  rm -f "$E2E_ROOT/$tag.exit"
  t0="$(now_ms)"
  e2e_start_app "$dir/$exe" "$tag"
  until [ -n "$(e2e_tray_window)" ]; do
    e2e_running "$tag" || return 1
    [ "$(now_ms)" -lt $((t0 + 60000)) ] || e2e_fail "no tray icon a minute after the start ($tag)"
    sleep 0.005
  done
  tray="$(now_ms)"
  e2e_tray_click 1
  until xdotool search --onlyvisible --classname "^${xclass}\$" >/dev/null 2>&1; do
    [ "$(now_ms)" -lt $((tray + 5000)) ] || return 1
    sleep 0.005
  done
  shown="$(now_ms)"
  echo "$((tray - t0)) $((shown - t0))"
}

# Ends a program cleanly, so that its icon leaves the tray before the next
# start. Wine's tray now and then keeps the icon of a program that has ended
# until the pointer passes over it; then the pointer passes over it.
finish() {
  local tag=$1 waited=0 win geometry
  shift
  helper "$@" >/dev/null || true  # it may have ended already
  e2e_wait_exit "$tag" 30 >/dev/null || e2e_fail "$tag did not end"
  while win="$(e2e_tray_window)" && [ -n "$win" ]; do
    waited=$((waited + 1))
    if [ $((waited % 40)) = 0 ] && geometry="$(xdotool getwindowgeometry --shell "$win" 2>/dev/null)"; then
      eval "$geometry"
      xdotool mousemove $((X + 8)) $((Y + 8)) mousemove $((X + 12)) $((Y + 12)) mousemove 600 500
    fi
    sleep 0.05
  done
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : int((a[NR/2] + a[NR/2+1]) / 2)}'; }

# One counted start and its end; a start whose click was dropped is ended
# and made again.
utility() {
  until measure PX6410-3-4.exe px6410-3-4.exe "$1" >>"$2"; do finish "$1" post 0x111 1028 0; done
  finish "$1" post 0x111 1028 0
}
minimal() {
  until measure px_minimal_tray.exe px_minimal_tray.exe "$1" >>"$2"; do finish "$1" close-class PxMinimalTray; done
  finish "$1" close-class PxMinimalTray
}

# A first start of each warms Wine's caches; it is not counted.
utility warm1 /dev/null
minimal warm2 /dev/null

: >"$E2E_ROOT/utility" ; : >"$E2E_ROOT/minimal"
for i in $(seq "$RUNS"); do
  utility "u$i" "$E2E_ROOT/utility"
  minimal "m$i" "$E2E_ROOT/minimal"
done

ut="$(cut -d' ' -f1 "$E2E_ROOT/utility" | median)"; us="$(cut -d' ' -f2 "$E2E_ROOT/utility" | median)"
mt="$(cut -d' ' -f1 "$E2E_ROOT/minimal" | median)"; ms="$(cut -d' ' -f2 "$E2E_ROOT/minimal" | median)"
echo "runs: $RUNS each, medians in ms ($(wine --version))"
printf '%-22s %8s %8s\n' "" "tray" "shown"
printf '%-22s %8d %8d\n' "PX6410-3-4.exe (sim)" "$ut" "$us"
printf '%-22s %8d %8d\n' "minimal tray program" "$mt" "$ms"
awk -v a="$ut" -v b="$mt" -v c="$us" -v d="$ms" \
  'BEGIN {printf "%-22s %8.2f %8.2f\n", "ratio", a / b, c / d}'
