#!/usr/bin/env bash
# End to end on Linux under a desktop panel (xfce4-panel, whose notification
# area hosts StatusNotifierItems and draws their menus itself) and a window
# manager, on a session bus without a notification service: the icon shows
# in the panel, a right click on it offers Exit, and Exit ends the program
# with 0.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/linux/lib.sh"
lx_start_display
lx_start_bare_bus
lx_start_panel

dir="$(lx_make_folder panel 1)"
cd "$dir"
lx_start_app panel "$dir/px6410" --sim mouse.bin

# The icon as the panel's watcher has it registered.
sni_registered() {
  dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
    string:RegisteredStatusNotifierItems | grep -q 'string ":'
}
lx_wait 20 sni_registered || lx_fail "the icon did not register with the panel"

# The panel's notification area: the plugin's window at the panel's left end;
# the icon is its only one. The menu the panel draws for it: a window of the
# plugin's below the panel.
plugin_windows() { xdotool search --onlyvisible --classname '^wrapper-2.0$' 2>/dev/null || true; }
area() {
  local w
  for w in $(plugin_windows); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$Y" -lt 8 ] && { echo "$X $Y $WIDTH $HEIGHT"; return 0; }
  done
  return 1
}
menu() {
  local w
  for w in $(plugin_windows); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$Y" -ge 30 ] && [ "$HEIGHT" -lt 80 ] && { echo "$X $Y $WIDTH $HEIGHT"; return 0; }
  done
  return 1
}
# The icon drawn: the area is no longer of the panel's one colour.
icon_drawn() {
  read -r ax ay aw ah < <(area) &&
    [ "$(import -window root -crop "${aw}x${ah}+$ax+$ay" -format '%[fx:standard_deviation]' info:)" != 0 ]
}
lx_wait 20 icon_drawn || lx_fail "no icon in the panel's notification area"
read -r ax ay aw ah < <(area)

lx_log "a right click on the icon: the panel shows Exit"
xdotool mousemove $((ax + aw / 2)) $((ay + ah / 2)) click 3
lx_wait 20 menu || lx_fail "no menu at the icon"
read -r mx my mw mh < <(menu)
lx_screen panel-exit-menu
import -window root -crop "${mw}x${mh}+$mx+$my" "$LX_ROOT/item-rest.png"
# The item lights up under the pointer once the menu follows it; a click
# before that goes unheard.
xdotool mousemove $((mx + mw / 2)) $((my + mh / 2))
OX=$mx OY=$my lx_wait_region_change item-rest 0 0 "$mw" "$mh" || lx_fail "the menu's item does not follow the pointer"
lx_log "Exit ends the program with 0"
xdotool click 1
lx_exited_with panel 20 0 || lx_fail "Exit did not end the program with 0"
lx_log "pass"
