#!/usr/bin/env bash
# End to end: notification messages of every type and value from another
# process leave the utility running; the exit command of the tray menu ends
# it with code 0 and takes the icon away.
BUILD_DIR=$1 SOURCE_DIR=$2
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine

dir="$(e2e_make_folder notify 1)"
e2e_start_app "$dir/PX6410-3-4.exe" notify
helper wait-window 30000 || e2e_fail "no main window"
e2e_wait_tray || e2e_fail "no tray icon"

e2e_log "every type, odd ones included, with ordinary and odd values"
for type in 0 1 5 7 8 9 14 15 16 255 0x7FFFFFFF 0xFFFFFFFF 0x100000005 -1; do
  for value in 0 1 2 3 4 5 8 9 -1 0x7FFFFFFF -2147483648 0x100000001 0x7FFFFFFFFFFFFFFF; do
    answer="$(helper send 0x402 "$type" "$value" | tr -d '\r')" || e2e_fail "no answer to type $type value $value"
    [ "$answer" = 0 ] || e2e_fail "type $type value $value answered $answer"
  done
  e2e_running notify || e2e_fail "ended after notification type $type"
done
e2e_log "odd tray callbacks"
for mouse in 0 0x200 0x201 0x204 0x206 0x10202 -1; do
  helper send 0x401 0 "$mouse" >/dev/null || e2e_fail "no answer to tray callback $mouse"
done
e2e_log "device changes without a broadcast header"
for event in 0x8000 0x8004 0x8000 0x8004 0x0007 0x0018; do
  helper send 0x219 "$event" 0 >/dev/null || e2e_fail "no answer to device change $event"
done
e2e_running notify || e2e_fail "ended after a device change"
helper state | grep -q '^hidden' || e2e_fail "a notification showed the window"

e2e_log "balloon texts"
while IFS='|' read -r type value text; do
  helper send 0x402 "$type" "$value" >/dev/null
  e2e_wait_balloon "$text" || e2e_fail "type $type value $value: no balloon \"$text\""
  e2e_shot "notify-type-$type-value-$value"
  sleep 1
done <<'TABLE'
9|2|Switch to macro key2
9|-7|Switch to macro key-7
5|8|Switch report rate into 125HZ
8|2|Switch to key matrix 2
14|0|The system detect the gaming mouse.
TABLE

e2e_log "the icon comes back when the shell's notification area restarts"
# Wine unmaps its tray window when the last icon goes.
tray_shown() { [ -n "$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -n1)" ]; }
helper untray || e2e_fail "could not remove the icon"
for _ in $(seq 50); do tray_shown || break; sleep 0.1; done
! tray_shown || e2e_fail "the icon was not removed"
helper send-named TaskbarCreated 0 0 >/dev/null || e2e_fail "no answer to TaskbarCreated"
for _ in $(seq 50); do tray_shown && break; sleep 0.1; done
tray_shown || e2e_fail "the icon did not come back"
sleep 1

e2e_log "exit from the tray menu"
e2e_tray_click 3
sleep 1
e2e_shot notify-exit-menu
eval "$(xdotool getmouselocation --shell)"
# The one-item menu opens above the pointer.
xdotool mousemove $((X + 25)) $((Y - 12)) click 1
code="$(e2e_wait_exit notify 20)" || e2e_fail "the exit item did not end the program"
[ "$code" = 0 ] || e2e_fail "exit code $code"
sleep 1
[ -z "$(e2e_tray_window)" ] || e2e_fail "the tray icon stayed"
e2e_log "pass"
