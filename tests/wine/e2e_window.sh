#!/usr/bin/env bash
# End to end: the window starts hidden; the tray shows it, a tool window
# without a taskbar button; Enter, Escape, close and the system close command
# only hide it; the exit command ends the program with 0. (Every skin in every
# language is shown by e2e_page_looks.sh, which starts the program for each.)
BUILD_DIR=$1 SOURCE_DIR=$2
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine

show() {
  e2e_show_from_tray || e2e_fail "tray click did not show the window ($1)"
}

dir="$(e2e_make_folder window 1)"
e2e_start_app "$dir/PX6410-3-4.exe" window
helper wait-window 60000 || e2e_fail "no main window"
e2e_wait_tray || e2e_fail "no tray icon"
helper state | grep -q '^hidden' || e2e_fail "window shown at start"

show first
e2e_wait_placed first
# A tool window without taskbar button: WS_EX_TOOLWINDOW in, WS_EX_APPWINDOW out.
exstyle="$(helper state | sed -n 's/.* exstyle 0x\([0-9A-Fa-f]*\).*/\1/p')"
[ -n "$exstyle" ] && (( (16#$exstyle & 0x80) != 0 && (16#$exstyle & 0x40000) == 0 )) ||
  e2e_fail "not a tool window: $(helper state)"
e2e_shot window-shown-en >/dev/null
for key in 0x0D 0x1B; do
  helper key "$key"
  helper wait-hidden 30000 || e2e_fail "key $key did not hide the window"
  e2e_running window || e2e_fail "key $key ended the program"
  show "after key $key"
done
helper post 0x10 0 0  # WM_CLOSE
helper wait-hidden 30000 || e2e_fail "close did not hide the window"
show "after close"
helper post 0x112 0xF060 0  # the system close command
helper wait-hidden 30000 || e2e_fail "the system close command did not hide the window"
e2e_running window || e2e_fail "closing ended the program"
helper post 0x111 1028 0
e2e_exits_with window 0 || e2e_fail "exit code not 0"
e2e_log "pass"
