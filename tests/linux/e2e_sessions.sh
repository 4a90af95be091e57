#!/usr/bin/env bash
# End to end on X11, the desktop sessions around the program: two sessions
# of one user (two displays, one runtime folder) each run their own px6410,
# and a second start in one reaches only that one; on a screen smaller than
# the page (1280x800 at scale 2), the page and its dialogs open with their
# top-left corner on the screen; a start that cannot have its settings
# folder, or whose running instance does not answer, says why in a box as
# well as on stderr.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/linux/lib.sh"
# The sessions differ by their displays here.
unset XDG_SESSION_ID WAYLAND_DISPLAY QT_SCALE_FACTOR
lx_start_display
one=$DISPLAY
rm -f "$LX_ROOT/display"
lx_start_display
two=$DISPLAY
lx_start_bus
a="$(lx_make_folder a 1)"
b="$(lx_make_folder b 1)"

lx_log "a px6410 in each of two sessions"
DISPLAY=$one lx_start_app a "$a/px6410" --sim "$a/mouse.bin"
DISPLAY=$one lx_wait_visible 60 || lx_fail "no window in the first session"
DISPLAY=$two lx_start_app b "$b/px6410" --sim "$b/mouse.bin"
DISPLAY=$two lx_wait_visible 60 || lx_fail "no window in the second session: $(cat "$LX_ROOT/b.out")"
lx_running b || lx_fail "the second session's start ended"

lx_log "a second start in the second session reaches that session's instance only"
export DISPLAY=$two
lx_start_app again "$b/px6410" --sim "$b/mouse.bin"
lx_exited_with again 30 0 || lx_fail "the second start did not end with 0"
lx_wait 20 bash -c "xwininfo -id $(lx_window) | grep -q IsViewable" || lx_fail "the second start did not bring its session's window back"
lx_running a || lx_fail "the first session's instance ended"
lx_origin
lx_click 859 14
lx_exited_with b 20 0 || lx_fail "the close button did not end the second session's instance"

lx_log "scale 2 on 1280x800: the page's corner and the dialogs on the screen"
QT_SCALE_FACTOR=2 lx_start_app scaled "$b/px6410" --sim "$b/mouse.bin"
lx_wait_visible 60 || lx_fail "no scaled window"
lx_origin
lx_screen sessions-scaled
[ "$OX" -ge 0 ] && [ "$OY" -ge 0 ] || lx_fail "the page opened at $OX,$OY, its corner off the screen"
# Row 2, then Single Key in its list, at twice the page's coordinates.
lx_region 504 600 422 100 lists-closed
lx_click 660 464
lx_wait_region_change lists-closed 504 600 422 100 || lx_fail "row 2's list did not open"
lx_click 564 784
lx_wait_dialog scaled || lx_fail "no dialog"
lx_screen sessions-scaled-dialog
[ "$DX $DY" = "$OX $OY" ] || lx_fail "the dialog opened at $DX,$DY, not at the page's corner $OX,$OY"
lx_dclick 640 526
lx_wait_no_dialog scaled || lx_fail "Cancel did not end the dialog"
# Its close button lies off the screen; the test's end stops it.

lx_log "a start that cannot make its settings folder says why in a box, then ends with 1"
c="$(lx_make_folder c)"
rm "$c/config.bin"  # not a portable folder: the settings go to the user's folder
XDG_CONFIG_HOME=/dev/null/config lx_start_app nofolder "$c/px6410"
lx_wait 60 xdotool search --onlyvisible --name '^PX6410-3-4$' || lx_fail "no box: $(cat "$LX_ROOT/nofolder.out")"
lx_screen sessions-no-settings-folder
lx_running nofolder || lx_fail "the program ended before the box was answered"
# Keys go to the window under the pointer (no window manager here).
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name '^PX6410-3-4$' | head -n1)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key Return
lx_exited_with nofolder 20 1 || lx_fail "the start without a settings folder did not end with 1"
grep -q '^px6410: ' "$LX_ROOT/nofolder.out" || lx_fail "nothing said on stderr"

lx_log "a second start whose running instance does not answer says so in a box, then ends with 1"
# The session's lock held by a live process that never listens.
tail -f /dev/null &
holder=$!
LX_PIDS+=($holder)
printf '%s\ntail\n%s\n' "$holder" "$(hostname)" >"$XDG_RUNTIME_DIR/px6410-session-mute.lock"
XDG_SESSION_ID=mute lx_start_app mute "$b/px6410" --sim "$b/mouse.bin"
lx_wait 60 xdotool search --onlyvisible --name '^PX6410-3-4$' || lx_fail "no box: $(cat "$LX_ROOT/mute.out")"
lx_screen sessions-instance-mute
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name '^PX6410-3-4$' | head -n1)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key Return
lx_exited_with mute 20 1 || lx_fail "the start beside a mute instance did not end with 1"
grep -q '^px6410: another instance runs but does not answer' "$LX_ROOT/mute.out" || lx_fail "nothing said on stderr"
lx_log "pass"
