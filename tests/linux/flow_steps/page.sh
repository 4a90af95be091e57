# The steps of tests/flows/page.flow on Linux (px6410 under X11, openbox):
# each click waits until the region it changes shows it, the rest on the
# windows' visibility and the files. Sourced by tests/linux/e2e_page.sh
# after tests/linux/lib.sh, with the window shown.
source "$SOURCE_DIR/tests/flows/flow.sh"

# The element NAME in the rectangle X Y W H takes its over look while the
# pointer rests at its middle, and comes back as it was once it rests on an
# empty spot.
step_hover() {
  local name=$1 x=$2 y=$3 w=$4 h=$5
  lx_origin
  lx_region "$x" "$y" "$w" "$h" "$name-normal"
  xdotool mousemove $((OX + x + w / 2)) $((OY + y + h / 2)) mousemove_relative 1 1
  lx_wait_region_change "$name-normal" "$x" "$y" "$w" "$h" || lx_fail "$name shows no over look under the pointer"
  lx_shot "page-hover-$name" >/dev/null
  lx_region "$x" "$y" "$w" "$h" "$name-over"
  xdotool mousemove $((OX + 120)) $((OY + 400))
  lx_wait_region_change "$name-over" "$x" "$y" "$w" "$h" || lx_fail "$name kept its over look off it"
  lx_region "$x" "$y" "$w" "$h" "$name-after"
  ! lx_differs "$name-normal" "$name-after" || lx_fail "$name came back other than it was"
}
step_remember() { cp mouse.bin mouse-before.bin; cp config.bin config-before.bin; cp str.ini str-before.ini; }
step_edit() {
  lx_region "${@:3}" edit-before
  lx_click "$1" "$2"
  lx_wait_region_change edit-before "${@:3}" || lx_fail "a click at $1,$2 did not change the region ${*:3}"
}
step_mode() { step_edit $(flow_point "mode_$1") 253 518 209 21; }
# The system colour chooser: its OK at once (the colour it starts with, black).
chooser_shown() { xdotool search --onlyvisible --name '^Select Color$'; }
step_colour() {
  lx_click "$1" "$2"
  lx_wait 20 chooser_shown || lx_fail "no colour chooser"
  xdotool key Return
  lx_wait 20 bash -c "! xdotool search --onlyvisible --name '^Select Color$'" || lx_fail "the colour chooser stayed"
}
# A lighting list: its area opens it, an entry chooses and closes it (Qt's
# lists have no IDs to wait on: the region below the area shows them).
step_lighting() {
  local y=$(($2 + 12))
  lx_region 780 "$y" 60 30 lighting-closed
  lx_click 800 "$2"
  lx_wait_region_change lighting-closed 780 "$y" 60 30 || lx_fail "lighting list $1 did not open"
  lx_region 780 "$y" 60 30 lighting-open
  lx_click 800 "$3"
  lx_wait_region_change lighting-open 780 "$y" 60 30 || lx_fail "lighting list $1 stayed open"
}
step_shot() { lx_shot "$1" >/dev/null; }

step_cancel() {
  flow_click cancel "$OX" "$OY"
  lx_wait_hidden || lx_fail "Cancel did not hide the window"
}
step_unchanged() {
  cmp -s config.bin config-before.bin || lx_fail "Cancel wrote config.bin"
  cmp -s mouse.bin mouse-before.bin || lx_fail "Cancel wrote to the mouse"
  cmp -s str.ini str-before.ini || lx_fail "Cancel wrote str.ini"
}
step_show() {
  lx_tray_click 1
  lx_wait_visible || lx_fail "no window after Cancel"
  lx_origin
}
written() { ! cmp -s config.bin config-before.bin && ! cmp -s mouse.bin mouse-before.bin; }
step_apply() {
  flow_click apply "$OX" "$OY"
  lx_wait 20 written || lx_fail "Apply wrote neither config.bin nor the mouse"
  lx_visible || lx_fail "Apply hid the window"
}
step_bytes() { flow_bytes_are config.bin "$@" || lx_fail "$FLOW_FAULT"; }
step_composed() {
  "$PX6410CTL" compose config.bin mouse-before.bin expected.bin >/dev/null || lx_fail "px6410ctl compose failed"
  lx_wait 20 cmp -s mouse.bin expected.bin || lx_fail "the mouse does not hold the composed image"
}

step_double_click() {
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
  lx_wait 10 row4_closed || lx_fail "row 4's list stayed open"
}
row4_closed() { lx_region 252 476 211 28 row4-list-now && ! lx_differs row4-list-closed row4-list-now; }

step_web_link() {
  local before
  lx_origin
  before="$OX $OY"
  xdotool mousemove $((OX + 300)) $((OY + 636)) mousedown 1
  xdotool mousemove_relative 20 15 mousemove_relative 20 15 mouseup 1
  lx_wait 20 grep -q 'example.com' "$LX_ROOT/opened.log" || lx_fail "the web link opened nothing"
  lx_origin
  [ "$OX $OY" = "$before" ] || lx_fail "the web link dragged the window"
}
# A hand's drag: the button held, the pointer moving a little at a time
# until the window goes along (the window manager takes the move over
# some motions after the press), at most 200 pixels.
window_at() { xdotool getwindowgeometry "$(lx_window)" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p'; }
step_drag() {
  local steps=0
  xdotool mousemove $((OX + 120)) $((OY + 300)) mousedown 1
  while [ "$(window_at)" = "$OX,$OY" ] && [ $steps -lt 100 ]; do
    xdotool mousemove_relative 2 1
    steps=$((steps + 1))
  done
  xdotool mouseup 1
  [ "$(window_at)" != "$OX,$OY" ] || lx_fail "a press on an empty spot did not drag the window"
  lx_origin
}

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
step_quick_clicks() {
  quick_click_stays 700 633 Apply
  quick_click_stays 120 300 "an empty spot"
}
