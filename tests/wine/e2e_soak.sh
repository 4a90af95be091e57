#!/usr/bin/env bash
# End to end, for a while: a thousand show/hide cycles, a thousand
# notification messages of random types and values, and three hundred
# unplug/plug cycles of the simulated mouse. The utility's GDI objects,
# windows, handles and private memory afterwards are what they were before,
# give or take a small constant.
BUILD_DIR=$1 SOURCE_DIR=$2
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine
# Without a window manager on the virtual display, Wine waits a second for
# one at every show and hide of a managed window; unmanaged windows do not
# wait, so a thousand cycles fit in the test's time.
timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
  e2e_fail "cannot configure Wine's X11 driver"

SHOWS=${PX_SOAK_SHOWS:-1000}
NOTES=${PX_SOAK_NOTES:-1000}
DEVICES=${PX_SOAK_DEVICES:-300}

dir="$(e2e_make_folder soak 1)"
e2e_start_app "$dir/PX6410-3-4.exe" soak
helper wait-window 60000 || e2e_fail "no main window"
e2e_wait_tray || e2e_fail "no tray icon"
state="$(e2e_winpath "$dir/simulated-mouse.bin")"

measure() { helper measure | tr -d '\r' >"$E2E_ROOT/$1.txt" || e2e_fail "cannot measure ($1)"; }
value() { sed -n "s/^$2 //p" "$E2E_ROOT/$1.txt"; }

# Warm up: whatever is made once on first use (the page, a balloon, a
# rediscovery) is there before counting starts.
helper soak 3 30 2 "$state" || e2e_fail "warm-up failed ($state)"
helper settle 30000 >/dev/null || e2e_fail "no answer after the warm-up"
measure before
start=$(date +%s)
timeout 600 wine "$BUILD_DIR/px_e2e_helper.exe" soak "$SHOWS" "$NOTES" "$DEVICES" "$state" || e2e_fail "soak failed"
e2e_running soak || e2e_fail "the utility ended during the soak"
helper settle 30000 >/dev/null || e2e_fail "no answer after the soak"
measure after
e2e_log "soak took $(( $(date +%s) - start )) s: $SHOWS show/hide, $NOTES notifications, $DEVICES device cycles"

helper soak 1 0 0 "$state" || e2e_fail "no show/hide after the soak"
e2e_shot soak-after >/dev/null
[ -f "$dir/simulated-mouse.bin" ] || e2e_fail "the mouse's memory was lost"

status=0
check() {
  local name=$1 allowed=$2 b a
  b="$(value before "$name")"; a="$(value after "$name")"
  e2e_log "$name: before $b, after $a (allowed growth $allowed)"
  [ -n "$b" ] && [ -n "$a" ] || { echo "no $name figure" >&2; status=1; return; }
  [ "$a" -le $((b + allowed)) ] || { echo "FAIL: $name grew from $b to $a" >&2; status=1; }
}
check gdi 4
check windows 2
check handles 8
# A simulator bus that kept every collection it opened grew by ~140 KB here.
check private $((64 * 1024))
[ "$status" = 0 ] || e2e_fail "resources grew during the soak"
e2e_log "pass"
