#!/usr/bin/env bash
# End to end: px6410ctl edits the folder of the running utility (row 4 of
# Mode A to Mute); Cancel, then a show from the tray, brings the page to the
# files' settings, and Apply sends and saves that edit, not the page's older
# model. Then the simulated mouse's state file is removed just before Apply:
# the two boxes of a mouse that is gone come, in order, and the file is not
# made again.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine

dir="$(e2e_make_folder shared 1)"
cd "$dir"
e2e_start_shown "$dir/PX6410-3-4.exe" shared
cp simulated-mouse.bin mouse-before.bin
label() { iconv -f UTF-16 -t UTF-8 str.ini | tr -d '\r' | sed -n "/^\[Setting-EN\]/,/^\[/s/^$1=//p"; }

e2e_log "px6410ctl sets row 4 while the page shows it; Cancel, show"
e2e_origin
row4="$(e2e_region_hash 252 268 211 21)"
wine "$BUILD_DIR/dist/px6410ctl.exe" set config.bin button.A.4=media:mute --variant 1 >/dev/null 2>&1 ||
  e2e_fail "px6410ctl set failed"
[ "$(label Item4)" = "Multimedia-Mute" ] || e2e_fail "px6410ctl wrote the label '$(label Item4)'"
cp config.bin config-ctl.bin
cp str.ini str-ctl.ini
xdotool mousemove $((ox + 822)) $((oy + 633)) click 1
helper wait-hidden 30000 || e2e_fail "Cancel did not hide the window"
cmp -s config.bin config-ctl.bin && cmp -s str.ini str-ctl.ini || e2e_fail "Cancel wrote a settings file"
e2e_show_from_tray || e2e_fail "no window after Cancel"
e2e_wait_placed "after Cancel"
e2e_wait_region_changes "$row4" 252 268 211 21 || e2e_fail "row 4 does not show the files' setting"
e2e_shot shared-after-cancel >/dev/null

e2e_log "Apply sends and saves px6410ctl's edit"
wine "$BUILD_DIR/dist/px6410ctl.exe" compose config-ctl.bin mouse-before.bin expected.bin >/dev/null 2>&1 ||
  e2e_fail "px6410ctl compose failed"
xdotool mousemove $((ox + 700)) $((oy + 633)) click 1
e2e_until 60 cmp -s simulated-mouse.bin expected.bin || e2e_fail "the mouse does not hold px6410ctl's edit"
e2e_settle
cmp <(tail -c 199 config.bin) <(tail -c 199 config-ctl.bin) || e2e_fail "Apply saved another model than the files'"
[ "$(label Item4)" = "Multimedia-Mute" ] || e2e_fail "Apply saved row 4's label as '$(label Item4)'"

e2e_log "the state file removed just before Apply: two boxes, no file made again"
box_is() { [ "$(helper boxes | tr -d '\r')" = "$1" ]; }
box_gone() { helper boxes >/dev/null 2>&1; }
# Mode A (in force already) first: a second press on Apply this soon would
# make a double click.
xdotool mousemove $((ox + 300)) $((oy + 528)) click 1
e2e_settle
rm simulated-mouse.bin
xdotool mousemove $((ox + 700)) $((oy + 633)) click 1
gone="The system did not detect the gaming mouse!"
e2e_until 60 box_is "GetDPIStage|$gone" || e2e_fail "no GetDPIStage box: $(helper boxes)"
e2e_shot shared-mouse-gone >/dev/null
xdotool key Return
e2e_until 60 box_is "WriteOperation|$gone" || e2e_fail "no WriteOperation box after GetDPIStage: $(helper boxes)"
xdotool key Return
e2e_until 60 box_gone || e2e_fail "the WriteOperation box stayed"
[ ! -e simulated-mouse.bin ] || e2e_fail "Apply made the state file of the unplugged mouse again"
helper post 0x111 1028 0
e2e_exits_with shared 0 || e2e_fail "the exit command did not end the program with 0"
e2e_log "pass"
