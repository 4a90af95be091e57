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
# One helper process for them all: each message is answered, with 0.
types=(0 1 5 7 8 9 14 15 16 255 0x7FFFFFFF 0xFFFFFFFF 0x100000005 -1)
values=(0 1 2 3 4 5 8 9 -1 0x7FFFFFFF -2147483648 0x100000001 0x7FFFFFFFFFFFFFFF)
for type in "${types[@]}"; do
  for value in "${values[@]}"; do echo "send 0x402 $type $value"; done
done >"$E2E_ROOT/notes.txt"
helper batch <"$E2E_ROOT/notes.txt" | tr -d '\r' >"$E2E_ROOT/answers.txt"
expected="$(for _ in $(seq $((${#types[@]} * ${#values[@]}))); do printf '0\nexit 0\n'; done)"
[ "$(cat "$E2E_ROOT/answers.txt")" = "$expected" ] ||
  e2e_fail "notifications not all answered with 0: $(paste -d' ' "$E2E_ROOT/notes.txt" <(paste -d' ' - - <"$E2E_ROOT/answers.txt") | grep -v ' 0 exit 0$' | head -n5)"
e2e_running notify || e2e_fail "ended after the notifications"
e2e_log "odd tray callbacks"
for mouse in 0 0x200 0x201 0x204 0x206 0x10202 -1; do echo "send 0x401 0 $mouse"; done |
  helper batch | tr -d '\r' | grep -q '^exit [^0]' && e2e_fail "a tray callback was not answered"
e2e_log "device changes without a broadcast header"
for event in 0x8000 0x8004 0x8000 0x8004 0x0007 0x0018; do echo "send 0x219 $event 0"; done |
  helper batch | tr -d '\r' | grep -q '^exit [^0]' && e2e_fail "a device change was not answered"
e2e_running notify || e2e_fail "ended after a device change"
helper state | grep -q '^hidden' || e2e_fail "a notification showed the window"

e2e_log "balloon texts"
while IFS='|' read -r type value text; do
  helper send 0x402 "$type" "$value" >/dev/null
  e2e_wait_balloon "$text" || e2e_fail "type $type value $value: no balloon \"$text\""
  e2e_shot "notify-type-$type-value-$value" >/dev/null
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
tray_gone() { ! tray_shown; }
e2e_until 30 tray_gone || e2e_fail "the icon was not removed"
helper send-named TaskbarCreated 0 0 >/dev/null || e2e_fail "no answer to TaskbarCreated"
e2e_until 30 tray_shown || e2e_fail "the icon did not come back"

e2e_log "exit from the tray menu"
# The icon may take a moment to listen again after coming back: the click
# is repeated until the menu shows.
menu_line() { helper wait 3000 '^window .* class=#32768 ' | tr -d '\r'; }
open_menu() { e2e_tray_click 3; menu="$(menu_line)"; }
e2e_until 60 open_menu || e2e_fail "the right click on the icon opened no menu"
e2e_shot notify-exit-menu >/dev/null
read -r X Y WIDTH HEIGHT < <(awk '{print $2, $3, $4, $5}' <<<"$menu")
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
code="$(e2e_wait_exit notify)" || e2e_fail "the exit item did not end the program"
[ "$code" = 0 ] || e2e_fail "exit code $code"
tray_window_gone() { [ -z "$(e2e_tray_window)" ]; }
e2e_until 30 tray_window_gone || e2e_fail "the tray icon stayed"
e2e_log "pass"
