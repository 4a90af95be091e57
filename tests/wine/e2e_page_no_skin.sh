#!/usr/bin/env bash
# A skin folder that is gone (str.ini names a skin that was removed): the
# window still opens at the page's size on a plain canvas, shows the page's
# texts and controls, and its frame buttons work where they always are.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine

dir="$(e2e_make_folder noskin 1)"
e2e_ini_set "$dir/str.ini" Path Removed
e2e_start_shown "$dir/PX6410-3-4.exe" noskin
helper state | grep -q '^visible 880x660' || e2e_fail "not at the page's size: $(helper state)"
e2e_shot page-no-skin >/dev/null
# Texts are drawn on the plain canvas: the area of the OK caption is not uniform.
[ "$(e2e_colours 562 623 105 21 | wc -l)" -gt 1 ] || e2e_fail "no OK caption on the plain canvas"
xdotool mousemove $((ox + 822)) $((oy + 633)) click 1  # Cancel
helper wait-hidden 30000 || e2e_fail "Cancel did not hide the window"
e2e_settle
e2e_show_from_tray || e2e_fail "not shown again"
e2e_wait_placed "shown again"
xdotool mousemove $((ox + 859)) $((oy + 14)) click 1  # close
e2e_exits_with noskin 0 || e2e_fail "close did not end the program with 0"
e2e_log "pass"
