# The steps of tests/flows/page.flow on Windows (the utility under Wine):
# each click waits until the region it changes shows it, or for the window
# listing (lists, the colour chooser, hidden and shown). Sourced by
# tests/wine/e2e_page.sh after tests/e2e/lib.sh, with the utility shown and
# the web link's opener noting to $E2E_ROOT/opened.txt.
source "$SOURCE_DIR/tests/flows/flow.sh"

# The element NAME in the rectangle X Y W H takes its over look while the
# pointer rests at its middle, and gives it back when it rests on an empty spot.
step_hover() {
  local name=$1 normal over
  e2e_origin
  normal="$(e2e_region_hash "${@:2}")"
  e2e_rest_on $(($2 + $4 / 2)) $(($3 + $5 / 2))
  e2e_wait_region_changes "$normal" "${@:2}" || e2e_fail "$name shows no over look under the pointer"
  e2e_shot "page-hover-$name" >/dev/null
  over="$(e2e_region_hash "${@:2}")"
  e2e_rest_on 120 400
  e2e_wait_region_changes "$over" "${@:2}" || e2e_fail "$name kept its over look off it"
}
step_remember() { cp simulated-mouse.bin mouse-before.bin; cp config.bin config-before.bin; cp str.ini str-before.ini; }
step_edit() { e2e_origin; e2e_click_changes "$@"; }
step_mode() { step_edit $(flow_point "mode_$1") 253 518 209 21; }
# The system colour chooser (a dialog of the process) opens from the swatch;
# its OK at once (black). Its OK is the default button; Wine's chooser may
# take a moment to listen.
chooser_gone() { xdotool key Return; e2e_wait_line '!^window .* title=Color$' 3 >/dev/null; }
step_colour() {
  xdotool mousemove $((ox + $1)) $((oy + $2)) click 1
  e2e_wait_line '^window .* title=Color$' >/dev/null || { e2e_shot page-no-chooser >/dev/null; e2e_fail "no colour chooser"; }
  e2e_until 60 chooser_gone || e2e_fail "the colour chooser stays open"
  e2e_settle
}
# A lighting list: its area opens it, an entry chooses and closes it.
step_lighting() {
  e2e_click_until_line 800 "$2" "^child $1 "
  e2e_click_until_line 800 "$3" "!^child $1 "
  e2e_settle
}
step_shot() { e2e_shot "$1" >/dev/null; }

# Cancel hides the window; the tray shows it again where it was.
shown_at=""
step_cancel() {
  shown_at="$ox $oy"
  flow_click cancel "$ox" "$oy"
  helper wait-hidden 30000 || e2e_fail "Cancel did not hide the window"
  e2e_settle
}
step_unchanged() {
  cmp -s config.bin config-before.bin || e2e_fail "Cancel wrote config.bin"
  cmp -s simulated-mouse.bin mouse-before.bin || e2e_fail "Cancel wrote to the mouse"
  cmp -s str.ini str-before.ini || e2e_fail "Cancel wrote str.ini"
}
step_show() {
  e2e_show_from_tray || e2e_fail "no window after Cancel"
  e2e_wait_placed "after Cancel"
  [ "$ox $oy" = "$shown_at" ] || e2e_fail "after Cancel the window shows at $ox,$oy, not where it was ($shown_at)"
}
written() { ! cmp -s config.bin config-before.bin && ! cmp -s simulated-mouse.bin mouse-before.bin; }
step_apply() {
  flow_click apply "$ox" "$oy"
  e2e_until 60 written || e2e_fail "Apply wrote neither config.bin nor the mouse"
  e2e_settle
  helper state | grep -q '^visible' || e2e_fail "Apply hid the window"
}
step_bytes() { flow_bytes_are config.bin "$@" || e2e_fail "$FLOW_FAULT"; }
# The mouse holds what composition makes of it over the image it had.
step_composed() {
  wine "$BUILD_DIR/dist/px6410ctl.exe" compose config.bin mouse-before.bin expected.bin >/dev/null 2>&1 ||
    e2e_fail "px6410ctl compose failed"
  cmp simulated-mouse.bin expected.bin || e2e_fail "the mouse does not hold the composed image"
}

# The web link: a press on it opens the address, and moving the pointer
# with the button held does not drag the window.
step_web_link() {
  local before
  e2e_origin
  before="$ox $oy"
  xdotool mousemove $((ox + 300)) $((oy + 636)) mousedown 1
  e2e_until 60 test -s "$E2E_ROOT/opened.txt" || e2e_fail "the web link opened nothing"
  xdotool mousemove_relative 20 15 mousemove_relative 20 15 mouseup 1
  e2e_settle
  e2e_origin
  [ "$ox $oy" = "$before" ] || e2e_fail "the web link dragged the window"
  grep -q '^http' "$E2E_ROOT/opened.txt" || e2e_fail "the web link opened '$(cat "$E2E_ROOT/opened.txt")'"
}
# A press on an empty spot starts a drag; the window follows the pointer
# until the button goes up.
step_drag() {
  local before
  e2e_origin
  before="$ox $oy"
  xdotool mousemove $((ox + 120)) $((oy + 300)) mousedown 1
  helper wait-drag 30000 || e2e_fail "a press on an empty spot did not start a drag"
  xdotool mousemove_relative 20 15 mousemove_relative 20 15 mouseup 1
  e2e_settle
  e2e_origin
  [ "$ox $oy" != "$before" ] || e2e_fail "a press on an empty spot did not move the window"
}
