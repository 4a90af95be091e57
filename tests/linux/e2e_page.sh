#!/usr/bin/env bash
# End to end on Linux, with real clicks at the page's client coordinates (the
# same as on Windows): the over look under the pointer; edits of the report
# rate, a DPI level, a stage, a colour and the lighting, then Cancel, which
# writes nothing; the same edits and Apply, after which config.bin and the
# simulated mouse hold exactly what px6410ctl composes; a double click on
# the page acts once, one that begins on a list's entry chooses it and then
# presses the page, as on Windows; the web link opens the address and does not drag, an
# empty spot drags; a quick click (press and release back to back, as a
# touchpad's tap) on Apply or an empty spot leaves the window where it is
# while the pointer moves on; the close button ends the program with 0.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/linux/lib.sh"
lx_start_display
lx_start_tray
lx_start_bus

dir="$(lx_make_folder page 1)"
cd "$dir"
lx_start_app page "$dir/px6410" --sim mouse.bin
lx_wait_tray || lx_fail "no tray icon"
lx_tray_click 1
lx_wait_visible || lx_fail "a click on the icon did not show the window"
lx_origin

# The system colour chooser: its OK at once (the colour it starts with, black).
choose_colour_ok() {
  lx_wait 20 xdotool search --onlyvisible --name '^Select Color$' || lx_fail "no colour chooser"
  xdotool key Return
  lx_wait 20 bash -c "! xdotool search --onlyvisible --name '^Select Color$'" || lx_fail "the colour chooser stayed"
}
# 125 Hz, stage 2 to level 5, stage 3 out of use, stage 1's colour, then
# Respiration, 8S and RGB Flash through the lighting lists.
edit_page() {
  lx_click 560 208
  lx_click 589 435
  lx_click 616 549
  lx_click 562 531
  choose_colour_ok
  lx_click 800 336; lx_click 800 383
  lx_click 800 366; lx_click 800 385
  lx_click 800 396; lx_click 800 429
}

lx_log "hover: the over look while the pointer rests on OK or row 2, the normal one after"
lx_region 562 623 105 21 ok-normal
xdotool mousemove $((OX + 600)) $((OY + 633))
lx_wait_region_change ok-normal 562 623 105 21 || lx_fail "OK shows no over look under the pointer"
lx_region 562 623 105 21 ok-over
xdotool mousemove $((OX + 120)) $((OY + 400))
lx_wait_region_change ok-over 562 623 105 21 || lx_fail "OK kept its over look off the button"
lx_region 562 623 105 21 ok-after
lx_differs ok-normal ok-after && lx_fail "OK came back other than it was"
lx_region 252 222 211 21 row2-normal
xdotool mousemove $((OX + 300)) $((OY + 230))
lx_wait_region_change row2-normal 252 222 211 21 || lx_fail "row 2 shows no over look under the pointer"
lx_shot page-hover-row >/dev/null

cp mouse.bin mouse-before.bin
cp config.bin config-before.bin
cp str.ini str-before.ini

lx_log "edits, then Cancel: nothing written, the saved page back at the next show"
edit_page
lx_shot page-edited >/dev/null
lx_click 822 633
lx_wait_hidden || lx_fail "Cancel did not hide the window"
cmp -s config.bin config-before.bin || lx_fail "Cancel wrote config.bin"
cmp -s mouse.bin mouse-before.bin || lx_fail "Cancel wrote to the mouse"
cmp -s str.ini str-before.ini || lx_fail "Cancel wrote str.ini"
lx_tray_click 1
lx_wait_visible || lx_fail "no window after Cancel"
lx_origin
lx_region 540 200 300 40 rate-after-cancel
lx_shot page-after-cancel >/dev/null

lx_log "the same edits, Mode B, Apply"
edit_page
lx_click 410 528
lx_click 700 633
lx_wait 20 bash -c "! cmp -s config.bin config-before.bin" || lx_fail "Apply wrote no config.bin"
lx_visible || lx_fail "Apply hid the window"
byte() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }
for pair in "6 8" "9 4" "14 0" "16 0" "17 0" "18 0" "28 2" "30 0" "33 2" "36 1"; do
  read -r offset value <<<"$pair"
  got="$(byte config.bin "$offset")"
  [ "$got" = "$value" ] || lx_fail "config.bin byte $offset is $got, expected $value"
done
"$PX6410CTL" compose config.bin mouse-before.bin expected.bin >/dev/null || lx_fail "px6410ctl compose failed"
cmp mouse.bin expected.bin || lx_fail "the mouse does not hold the composed image"
lx_shot page-applied >/dev/null

lx_log "a double click is one click: stage 3's tick box changes once"
lx_region 608 541 16 16 tick3-before
lx_region 635 541 16 16 tick4-before
xdotool mousemove $((OX + 616)) $((OY + 549)) click --repeat 2 --delay 20 1
# A click after it, once seen, tells that the double click has been handled.
lx_click 643 549
lx_wait_region_change tick4-before 635 541 16 16 || lx_fail "stage 4's tick box did not change"
lx_region 608 541 16 16 tick3-after
lx_differs tick3-before tick3-after || lx_fail "a double click on stage 3's tick box changed it twice"

lx_log "a double click on a list's entry: the entry is chosen, the second press lands on the page"
# Below row 2's list, inside row 4's: changes only when row 4's list opens.
lx_region 252 476 211 28 row4-list-closed
lx_region 252 300 211 140 lists-closed
lx_click 330 232
lx_wait_region_change lists-closed 252 300 211 140 || lx_fail "row 2's list did not open"
# Mid Click, over row 4's header: as on Windows, where the two presses went
# to two windows and so made no double click, row 4's list opens.
xdotool mousemove $((OX + 300)) $((OY + 283)) click --repeat 2 --delay 20 1
lx_wait_region_change row4-list-closed 252 476 211 28 || lx_fail "the second press did not open row 4's list"
lx_click 330 278
row4_closed() { lx_region 252 476 211 28 row4-list-now && ! lx_differs row4-list-closed row4-list-now; }
lx_wait 10 row4_closed || lx_fail "row 4's list stayed open"

lx_log "the web link opens the address and does not drag; an empty spot drags"
press_and_move() {
  xdotool mousemove $((OX + $1)) $((OY + $2)) mousedown 1
  xdotool mousemove_relative 20 15 mousemove_relative 20 15 mouseup 1
}
before="$OX $OY"
press_and_move 300 636
lx_wait 20 grep -q 'example.com' "$LX_ROOT/opened.log" || lx_fail "the web link opened nothing"
lx_origin
[ "$OX $OY" = "$before" ] || lx_fail "the web link dragged the window"
# A hand's drag: the button held, the pointer moving a little at a time
# until the window goes along (the window manager takes the move over
# some motions after the press), at most 200 pixels.
window_at() { xdotool getwindowgeometry "$(lx_window)" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p'; }
xdotool mousemove $((OX + 120)) $((OY + 300)) mousedown 1
steps=0
while [ "$(window_at)" = "$OX,$OY" ] && [ $steps -lt 100 ]; do
  xdotool mousemove_relative 2 1
  steps=$((steps + 1))
done
xdotool mouseup 1
[ "$(window_at)" != "$OX,$OY" ] || lx_fail "a press on an empty spot did not drag the window"
lx_origin

lx_log "a quick click on Apply or an empty spot moves nothing once the button is up"
# The pointer then rests on OK until its over look shows, and leaves it until
# it is gone: each step waits for the program to have handled the one before,
# by when the window manager has seen any move the click asked for, and a move
# left running would take the window along with the pointer.
quick_click_stays() {
  local x=$1 y=$2 what=$3 before
  lx_origin
  before="$OX $OY"
  xdotool mousemove $((OX + x)) $((OY + y)) click 1
  lx_region 562 623 105 21 ok-rest
  xdotool mousemove $((OX + 600)) $((OY + 633))
  lx_wait_region_change ok-rest 562 623 105 21 || lx_fail "OK shows no over look after a quick click on $what"
  lx_region 562 623 105 21 ok-hover
  xdotool mousemove $((OX + 120)) $((OY + 420))
  lx_wait_region_change ok-hover 562 623 105 21 || lx_fail "OK kept its over look after a quick click on $what"
  lx_origin
  [ "$OX $OY" = "$before" ] || lx_fail "a quick click on $what moved the window ($before to $OX $OY)"
}
quick_click_stays 700 633 Apply
quick_click_stays 120 300 "an empty spot"

lx_log "the close button ends the program with 0"
lx_click 859 14
lx_exited_with page 20 0 || lx_fail "the close button did not end the program with 0"
lx_log "pass"
