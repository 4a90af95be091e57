#!/usr/bin/env bash
# End to end on Linux, the program around the page: options answered before
# any display; with a notification area the window stays hidden at start and
# the icon shows it; a second start brings the running window to the front
# and ends with 0; Escape hides; unplugging and plugging the simulated mouse
# is noticed and announced on the desktop; the icon's menu ends the program
# with 0 and takes the icon away; without a notification area the window
# shows at start, a second start brings it back with one notice; a
# notification area that comes later takes the icon and the window's
# taskbar button, Escape and the window manager's close (Alt+F4) hide it to
# the icon, whose click shows it; without a notification service the icon's
# own balloon stays long enough to read; once that area goes away again, the
# window hidden behind it shows and closing ends the program.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/linux/lib.sh"

lx_log "options need no display; a wrong one ends with 2"
(
  unset DISPLAY
  # Outputs read whole: a search that stops at its match would end a writer
  # still writing with SIGPIPE, which pipefail counts.
  grep -q -- '--settings-dir' <<<"$("$PX6410" --help)" || lx_fail "--help does not list --settings-dir"
  "$PX6410" --version | grep -qx 'px6410 [0-9.]*' || lx_fail "--version"
  code=0
  "$PX6410" --sim "$LX_ROOT" 2>"$LX_ROOT/odd.err" || code=$?
  [ "$code" = 2 ] || lx_fail "--sim FOLDER ended with $code"
  grep -q 'is a folder' "$LX_ROOT/odd.err" || lx_fail "--sim FOLDER: $(cat "$LX_ROOT/odd.err")"
)

lx_start_display
lx_start_tray
first_tray=${LX_PIDS[-1]}
lx_start_bus
sink=${LX_PIDS[-1]}
dir="$(lx_make_folder shell 1)"
cd "$dir"

lx_log "start with the mouse: hidden behind the icon"
lx_start_app first "$dir/px6410" --sim mouse.bin
seen=0
until lx_has_tray; do
  lx_visible && seen=1
  lx_running first || lx_fail "the program ended at start: $(cat "$LX_ROOT/first.out")"
  sleep 0.02
done
[ "$seen" = 0 ] || lx_fail "the window showed during the start"
# Qt docks the icon by XEmbed: it is a window inside the tray host's panel.
grep -q '"px6410"' <<<"$(xwininfo -tree -id "$(xdotool search --name '^panel$' | head -n1)")" ||
  lx_fail "the icon is not inside the tray host"
lx_hidden || lx_fail "the window shows after the start"
lx_screen shell-start-hidden

lx_log "a second start shows the running window and ends with 0"
lx_start_app second "$dir/px6410" --sim mouse.bin
lx_exited_with second 20 0 || lx_fail "the second start did not end with 0"
lx_wait_visible || lx_fail "the second start did not bring the window to the front"
[ "$(xdotool search --name '^PX6410 Mouse Settings$' | wc -l)" = 1 ] || lx_fail "two main windows"
lx_running first || lx_fail "the first instance ended"
lx_shot shell-second-start >/dev/null

lx_log "Escape hides the window; the program keeps running"
xdotool key Escape
lx_wait_hidden || lx_fail "Escape did not hide the window"
lx_running first || lx_fail "Escape ended the program"

lx_log "unplug and plug the simulated mouse"
from=$(($(lx_notes_seen) + 1))
mv mouse.bin mouse.away
lx_wait_note "Warning|The system did not detect the gaming mouse!" "$from" || lx_fail "no not-detected notification"
[ "$(tail -n1 "$LX_NOTES.icons")" = "px6410|48x48" ] ||
  lx_fail "the notification came without the program's icon: $(tail -n1 "$LX_NOTES.icons")"
lx_tray_click 1
lx_wait_note "Warning|The system did not detect the gaming mouse!" $((from + 1)) ||
  lx_fail "no not-detected notification after a click on the icon"
lx_hidden || lx_fail "a click on the icon showed the window without a mouse"
from=$(($(lx_notes_seen) + 1))
mv mouse.away mouse.bin
lx_wait_note "Info|The system detect the gaming mouse." "$from" || lx_fail "no detected notification"
lx_tray_click 1
lx_wait_visible || lx_fail "the mouse plugged in again was not found"

lx_log "the icon's menu: Exit ends the program with 0 and takes the icon away"
lx_tray_click 3
menu() {
  local w
  for w in $(xdotool search --onlyvisible --classname '^px6410$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$WIDTH" -gt 22 ] && [ "$HEIGHT" -lt 60 ] && { echo "$X $Y $WIDTH $HEIGHT"; return 0; }
  done
  return 1
}
lx_wait 20 menu || lx_fail "no menu on the icon"
lx_screen shell-exit-menu
read -r mx my mw mh < <(menu)
xdotool mousemove $((mx + mw / 2)) $((my + mh / 2)) click 1
lx_exited_with first 20 0 || lx_fail "Exit did not end the program with 0"
lx_has_tray && lx_fail "the icon stayed"

lx_log "without a notification area: shown at start, closing ends the program"
kill "$first_tray"
lx_wait 20 bash -c "! xdotool search --name '^panel$'" || lx_fail "the tray host stayed"
# The settings in a folder of their own, given on the command line.
bare="$(lx_make_folder bare)"
mkdir "$bare/settings"
mv "$bare/config.bin" "$bare/str.ini" "$bare/settings/"
lx_ini_set "$bare/settings/str.ini" Lan CHT
lx_start_app bare "$bare/px6410" --sim "$bare/mouse.bin" --settings-dir "$bare/settings"
lx_wait_visible || lx_fail "no window at start without a notification area"
lx_wait_note "Warning|系統沒有檢測到遊戲滑鼠！" || lx_fail "no not-detected notification in the settings' language"
xdotool search --onlyvisible --name '^PX6410-3-4$' >/dev/null && lx_fail "a message box: the settings folder was not taken"
lx_shot shell-no-tray >/dev/null
xdotool key Escape
lx_running bare || lx_fail "Escape ended the program without a notification area"
lx_log "without a notification area a second start brings the window back and warns once"
from=$(($(lx_notes_seen) + 1))
lx_start_app again "$bare/px6410" --sim "$bare/mouse.bin" --settings-dir "$bare/settings"
lx_exited_with again 20 0 || lx_fail "the second start did not end with 0"
lx_wait_visible || lx_fail "the second start did not bring the window back"
# The mouse plugged in afterwards: its notice comes after all of the second start's.
head -c 322 /dev/zero >"$bare/mouse.new"
printf '\001' | dd of="$bare/mouse.new" bs=1 seek=0 conv=notrunc status=none
mv "$bare/mouse.new" "$bare/mouse.bin"
lx_wait_note "Info|系統檢測到遊戲滑鼠。" "$from" || lx_fail "no detected notification"
warnings="$(tail -n +"$from" "$LX_NOTES" | grep -c '^Warning|')" || true
[ "$warnings" = 1 ] || lx_fail "the second start warned $warnings times that the mouse is missing"

lx_log "a notification area started later: the icon docks, the window hides to it"
window_is() { [ "$(lx_window_type)" = "$1" ]; }
window_is NORMAL || lx_fail "without a notification area the window is of type $(lx_window_type)"
lx_start_tray
late_tray=${LX_PIDS[-1]}
lx_wait_tray || lx_fail "the icon did not dock in a notification area started later"
lx_wait 20 window_is UTILITY || lx_fail "the window kept its taskbar button behind the icon ($(lx_window_type))"
lx_visible || lx_fail "the window went away when the icon came"
# The window made anew for the icon: a click into it would give it the keys.
xdotool windowactivate --sync "$(lx_window)" key Escape
lx_wait_hidden || lx_fail "Escape did not hide the window to the icon"
lx_tray_click 1
lx_wait_visible || lx_fail "the icon's click did not show the window"
xdotool key alt+F4
lx_wait_hidden || lx_fail "Alt+F4 did not hide the window to the icon"
lx_running bare || lx_fail "Alt+F4 ended the program behind the icon"
lx_tray_click 1
lx_wait_visible || lx_fail "the icon's click did not show the window after Alt+F4"

lx_log "without a notification service the icon's balloon stays long enough to read"
kill "$sink"
notifications_served() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications | grep -q 'boolean true'
}
notifications_unserved() { ! notifications_served; }
lx_wait 20 notifications_unserved || lx_fail "the notification sink stayed"
# Qt's balloon: a tooltip window of the program's; the pointer stays off the
# icon, whose own tooltip would look the same.
balloon() {
  local w
  for w in $(xdotool search --onlyvisible --classname '^px6410$' 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_TOOLTIP && return 0
  done
  return 1
}
no_balloon() { ! balloon; }
xdotool mousemove 5 400
mv "$bare/mouse.bin" "$bare/mouse.away"
lx_wait 20 balloon || lx_fail "no balloon at the icon for the unplugged mouse"
shown_at=$(date +%s%N)
lx_screen shell-fallback-balloon
lx_wait 30 no_balloon || lx_fail "the balloon never went"
shown_ms=$((($(date +%s%N) - shown_at) / 1000000))
[ "$shown_ms" -ge 3000 ] || lx_fail "the balloon went after $shown_ms ms, too soon to read"

lx_log "the notification area goes away with the window behind it: the window shows, with a taskbar button"
lx_wait_hidden || lx_fail "the unplugged mouse did not send the window to the icon"
kill "$late_tray"
lx_wait_visible || lx_fail "the window stayed hidden behind an icon that is gone"
lx_wait 20 window_is NORMAL || lx_fail "the window got no taskbar button back ($(lx_window_type))"
lx_log "closing then ends the program"
# Made anew again, for the taskbar.
xdotool windowactivate --sync "$(lx_window)" key alt+F4
lx_exited_with bare 20 0 || lx_fail "closing did not end the program with 0"
lx_log "pass"
