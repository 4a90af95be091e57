#!/usr/bin/env bash
# End to end, under Wine on a virtual display: start without a mouse, start
# with the simulated mouse, a second instance, a renamed executable.
BUILD_DIR=$1 SOURCE_DIR=$2
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine

# Fails when the utility maps a window on the X display while it starts:
# polls from the start until its window's thread runs its message loop with
# the tray icon in place (the start-up is over), and a few times after that
# for whatever X still had to draw.
e2e_never_mapped() {
  local seen=0 polls=0 limit=$((SECONDS + 120))
  mapped() { xdotool search --onlyvisible --classname '^px6410-3-4\.exe$' >/dev/null 2>&1; }
  until [ -n "$(e2e_tray_window)" ] && helper settle 100 >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$limit" ] || e2e_fail "no tray icon (ended: $(grep -H . "$E2E_ROOT"/*.exit 2>/dev/null | tr '\n' ' '))"
    mapped && seen=$((seen + 1))
  done
  while [ $((polls += 1)) -le 20 ]; do
    mapped && seen=$((seen + 1))
  done
  [ "$seen" = 0 ] || e2e_fail "a window of the utility was on the screen during the start ($seen polls)"
}

e2e_log "no mouse: the window stays hidden, the icon warns (in Chinese here)"
dir="$(e2e_make_folder nomouse)"
e2e_ini_set "$dir/str.ini" Lan CHS
e2e_start_app "$dir/PX6410-3-4.exe" nomouse
e2e_never_mapped
helper state | grep -q '^hidden' || e2e_fail "window shown at start: $(helper state)"
helper boxes || e2e_fail "unexpected message box at start"
# The warning of the start speaks the language of str.ini although the
# interface texts are set later in the start-up.
e2e_wait_balloon "系统没有检测到游戏鼠标！" || e2e_fail "no not-detected balloon at start"
e2e_shot nomouse-start >/dev/null
# A click on the icon is answered by the warning, not by the window.
helper settle 30000 >/dev/null || e2e_fail "the utility does not take messages"
e2e_tray_click 1
e2e_wait_balloon "系统没有检测到游戏鼠标！" || e2e_fail "no not-detected balloon after the tray click"
helper state | grep -q '^hidden' || e2e_fail "a tray click without a mouse showed the window"
e2e_shot nomouse-tray-click >/dev/null
helper post 0x111 1028 0
e2e_exits_with nomouse 0 || e2e_fail "exit command did not end with code 0"

e2e_log "simulated mouse: read at start, window hidden"
dir="$(e2e_make_folder withmouse 1)"
# Stage 1 at level index 4: "1600" in variant 1, "1250" in variant 0.
e2e_poke "$dir/config.bin" 8 4
before="$(md5sum <"$dir/simulated-mouse.bin")"
e2e_start_app "$dir/PX6410-3-4.exe" withmouse
e2e_never_mapped
helper state | grep -q '^hidden' || e2e_fail "window shown at start"
# A failed status check would have left a box captioned ReadOperation.
helper boxes || e2e_fail "a message box after reading the mouse"
[ "$(md5sum <"$dir/simulated-mouse.bin")" = "$before" ] || e2e_fail "the start wrote to the mouse"
# The balloon of stage 1 carries the DPI label of the variant the mouse reported.
helper send 0x402 7 1 >/dev/null || e2e_fail "no answer to a notification"
e2e_wait_balloon "Switch DPI into the first stage 1600" || e2e_fail "the DPI label does not follow the mouse's variant"
e2e_shot withmouse-dpi-stage-1-variant-1 >/dev/null

e2e_log "second instance ends at once with code 0, the first is untouched"
e2e_start_app "$dir/PX6410-3-4.exe" second
e2e_exits_with second 0 || e2e_fail "second instance did not end with code 0"
[ "$(helper count | tr -d '\r')" = 1 ] || e2e_fail "two main windows"
e2e_running withmouse || e2e_fail "first instance ended"
helper state | grep -q '^hidden' || e2e_fail "second start showed the first instance"
helper post 0x111 1028 0
e2e_exits_with withmouse 0 || e2e_fail "exit code not 0"

e2e_log "renamed executable: still finds its files and skin"
dir="$(e2e_make_folder renamed 1)"
mv "$dir/PX6410-3-4.exe" "$dir/Mouse Setting.exe"
e2e_start_app "$dir/Mouse Setting.exe" renamed
helper wait-window 60000 || e2e_fail "no main window"
e2e_wait_tray || e2e_fail "no tray icon"
helper settle 30000 >/dev/null || e2e_fail "the renamed executable does not take messages"
helper boxes || e2e_fail "a message box: files not found beside the renamed executable"
e2e_show_from_tray || e2e_fail "tray click did not show the window"
skin="$(iconv -f UTF-16 -t UTF-8 "$dir/str.ini" | tr -d '\r' | sed -n 's/^Path=//p' | head -n1)"
size="$(identify -format '%wx%h' "$dir/Skins/$skin/main.png")"
helper state | grep -q "^visible ${size} " || e2e_fail "window not sized to the skin ($size): $(helper state)"
e2e_shot renamed-shown >/dev/null
helper post 0x111 1028 0
e2e_exits_with renamed 0 || e2e_fail "exit code not 0"
if [ -f "$BUILD_DIR/dist/PX6410-3-4.exe" ]; then
  e2e_log "real build: Wine's own HID devices are passed over, no mouse"
  dir="$(e2e_make_folder real)"
  cp "$BUILD_DIR/dist/PX6410-3-4.exe" "$dir/"
  e2e_start_app "$dir/PX6410-3-4.exe" real
  e2e_never_mapped
  helper boxes || e2e_fail "a message box from the real build's discovery"
  e2e_wait_balloon "The system did not detect the gaming mouse!" || e2e_fail "no not-detected balloon"
  helper state | grep -q '^hidden' || e2e_fail "window shown at start"
  helper post 0x111 1028 0
  e2e_exits_with real 0 || e2e_fail "exit code not 0"
fi
e2e_log "pass"
