#!/usr/bin/env bash
# End to end: the tray shows the skinned window; Enter, Escape and close hide
# it; English and Chinese with both skins.
BUILD_DIR=$1 SOURCE_DIR=$2
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine

show() {
  e2e_tray_click 1
  helper wait-visible 10000 || e2e_fail "tray click did not show the window ($1)"
}

dir="$(e2e_make_folder window 1)"
e2e_start_app "$dir/PX6410-3-4.exe" window
helper wait-window 30000 || e2e_fail "no main window"
e2e_wait_tray || e2e_fail "no tray icon"
sleep 1
helper state | grep -q '^hidden' || e2e_fail "window shown at start"

show first
sleep 1
# A tool window without taskbar button: WS_EX_TOOLWINDOW in, WS_EX_APPWINDOW out.
exstyle="$(helper state | sed -n 's/.* exstyle 0x\([0-9A-Fa-f]*\).*/\1/p')"
[ -n "$exstyle" ] && (( (16#$exstyle & 0x80) != 0 && (16#$exstyle & 0x40000) == 0 )) ||
  e2e_fail "not a tool window: $(helper state)"
e2e_shot window-shown-en
for key in 0x0D 0x1B; do
  helper key "$key"
  helper wait-hidden 5000 || e2e_fail "key $key did not hide the window"
  e2e_running window || e2e_fail "key $key ended the program"
  show "after key $key"
done
helper post 0x10 0 0  # WM_CLOSE
helper wait-hidden 5000 || e2e_fail "close did not hide the window"
show "after close"
helper post 0x112 0xF060 0  # the system close command
helper wait-hidden 5000 || e2e_fail "the system close command did not hide the window"
e2e_running window || e2e_fail "closing ended the program"
helper post 0x111 1028 0
[ "$(e2e_wait_exit window 20)" = 0 ] || e2e_fail "exit code not 0"

# Every language with every installed skin.
langs=(CHS CHT EN)
for skin_dir in "$dir"/Skins/*/; do
  skin="$(basename "$skin_dir")"
  # The text colour a user picks with the skin (see skins/README.md).
  case "$skin" in
    Light) rgb=(32 36 44) ;;
    *) rgb=(230 232 240) ;;
  esac
  e2e_ini_set "$dir/str.ini" RColor "${rgb[0]}"
  e2e_ini_set "$dir/str.ini" GColor "${rgb[1]}"
  e2e_ini_set "$dir/str.ini" BColor "${rgb[2]}"
  for lan in "${langs[@]}"; do
    e2e_ini_set "$dir/str.ini" Lan "$lan"
    e2e_ini_set "$dir/str.ini" Path "$skin"
    tag="window-$skin-$lan"
    e2e_start_app "$dir/PX6410-3-4.exe" "$tag"
    helper wait-window 30000 || e2e_fail "no main window ($tag)"
    e2e_wait_tray || e2e_fail "no tray icon ($tag)"
    sleep 1
    show "$tag"
    sleep 1
    e2e_shot "$tag"
    helper post 0x111 1028 0
    [ "$(e2e_wait_exit "$tag" 20)" = 0 ] || e2e_fail "exit code not 0 ($tag)"
  done
  langs=(CHS EN)  # the other skins: one Chinese, one English look
done
e2e_log "pass"
