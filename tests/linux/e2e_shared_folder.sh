#!/usr/bin/env bash
# End to end on Linux: px6410ctl edits the folder of the running px6410 (row
# 4 of Mode A to Mute); Cancel, then a show from the icon, brings the page to
# the files' settings, and Apply sends and saves that edit, not the page's
# older model. Then the simulated mouse's state file is removed just before
# Apply: the boxes of a mouse that is gone come, GetDPIStage then
# WriteOperation, and the file is not made again.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/linux/lib.sh"
lx_start_display
lx_start_tray
lx_start_bus

dir="$(lx_make_folder shared 1)"
cd "$dir"
lx_start_shown shared
cp mouse.bin mouse-before.bin
label() { iconv -f UTF-16 -t UTF-8 str.ini | tr -d '\r' | sed -n "/^\[Setting-EN\]/,/^\[/s/^$1=//p"; }

lx_log "px6410ctl sets row 4 while the page shows it; Cancel, show"
lx_region 252 268 211 21 row4-before
"$PX6410CTL" set config.bin button.A.4=media:mute --variant 1 >/dev/null || lx_fail "px6410ctl set failed"
[ "$(label Item4)" = "Multimedia-Mute" ] || lx_fail "px6410ctl wrote the label '$(label Item4)'"
cp config.bin config-ctl.bin
cp str.ini str-ctl.ini
lx_click 822 633
lx_wait_hidden || lx_fail "Cancel did not hide the window"
cmp -s config.bin config-ctl.bin && cmp -s str.ini str-ctl.ini || lx_fail "Cancel wrote a settings file"
lx_tray_click 1
lx_wait_visible || lx_fail "no window after Cancel"
lx_origin
lx_wait_region_change row4-before 252 268 211 21 || lx_fail "row 4 does not show the files' setting"
lx_shot shared-after-cancel >/dev/null

lx_log "Apply sends and saves px6410ctl's edit"
"$PX6410CTL" compose config-ctl.bin mouse-before.bin expected.bin >/dev/null || lx_fail "px6410ctl compose failed"
lx_click 700 633
lx_wait 20 cmp -s mouse.bin expected.bin || lx_fail "the mouse does not hold px6410ctl's edit"
cmp <(tail -c 199 config.bin) <(tail -c 199 config-ctl.bin) || lx_fail "Apply saved another model than the files'"
[ "$(label Item4)" = "Multimedia-Mute" ] || lx_fail "Apply saved row 4's label as '$(label Item4)'"

lx_log "the state file removed just before Apply: the boxes, no file made again"
# The box's caption is its window's title (its text is checked where the
# boxes are recorded: the unit tests and the Windows end-to-end test).
box_up() { xdotool search --onlyvisible --name "^$1\$"; }
box_down() { ! box_up "$1"; }
# Mode A (in force already) first: a second press on Apply this soon would
# be the second half of a double click, which acts once.
lx_click 300 528
xdotool mousemove $((OX + 700)) $((OY + 633))
rm mouse.bin
xdotool click 1
lx_wait 20 box_up GetDPIStage || lx_fail "no GetDPIStage box; notifications: $(tr '\n' ' ' <"$LX_NOTES")"
lx_screen shared-mouse-gone
xdotool key Return
lx_wait 20 box_up WriteOperation || lx_fail "no WriteOperation box after GetDPIStage"
xdotool key Return
lx_wait 20 box_down WriteOperation || lx_fail "the WriteOperation box stayed"
[ ! -e mouse.bin ] || lx_fail "Apply made the state file of the unplugged mouse again"
lx_log "pass"
