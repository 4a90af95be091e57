#!/usr/bin/env bash
# End to end, with real clicks at page coordinates: edits of the report rate,
# a DPI level, a stage, a colour and the lighting reach the simulated mouse and
# config.bin on Apply exactly as composition makes them; Cancel after edits
# writes nothing and the restore from the tray shows the saved page; hover
# shows the over look; the web link opens the address and does not drag, an
# empty spot does.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
# The web link must not start a browser on the test display: the desktop's
# opener, which Wine's browser launcher calls, only notes the address.
mkdir -p "$E2E_ROOT/bin"
cat >"$E2E_ROOT/bin/xdg-open" <<EOF
#!/bin/sh
echo "\$@" >>"$E2E_ROOT/opened.txt"
EOF
chmod +x "$E2E_ROOT/bin/xdg-open"
export PATH="$E2E_ROOT/bin:$PATH" BROWSER=true
e2e_start_display
e2e_start_wine

dir="$(e2e_make_folder page 1)"
cd "$dir"
e2e_start_shown "$dir/PX6410-3-4.exe" page

# Pointer-over looks: OK and row 2 take theirs while the pointer rests on
# them, and give them back when it rests on an empty spot.
hover_check() {  # NAME X Y: the element's rectangle; the pointer rests at its middle
  local name=$1 normal over
  normal="$(e2e_region_hash "${@:2}")"
  e2e_rest_on $(($2 + $4 / 2)) $(($3 + $5 / 2))
  e2e_wait_region_changes "$normal" "${@:2}" || e2e_fail "$name shows no over look under the pointer"
  e2e_shot "page-hover-$name" >/dev/null
  over="$(e2e_region_hash "${@:2}")"
  e2e_rest_on 120 400
  e2e_wait_region_changes "$over" "${@:2}" || e2e_fail "$name kept its over look off it"
}
e2e_origin
hover_check ok 562 623 105 21
hover_check row 252 222 211 21

cp simulated-mouse.bin mouse-before.bin
cp config.bin config-before.bin

# The system colour chooser (a dialog of the process) opens from the swatch;
# its OK at once (black).
choose_colour_ok() {
  xdotool mousemove $((ox + 562)) $((oy + 531)) click 1
  e2e_wait_line '^window .* title=Color$' >/dev/null || { e2e_shot page-no-chooser >/dev/null; e2e_fail "no colour chooser"; }
  # Its OK is the default button; Wine's chooser may take a moment to listen.
  chooser_gone() { xdotool key Return; e2e_wait_line '!^window .* title=Color$' 3 >/dev/null; }
  e2e_until 60 chooser_gone || e2e_fail "the colour chooser stays open"
  e2e_settle
}
# A lighting list: its area opens it, an entry chooses and closes it.
lighting_choice() {  # LIST_ID AREA_Y ENTRY_Y
  e2e_click_until_line 800 "$2" "^child $1 "
  e2e_click_until_line 800 "$3" "!^child $1 "
  e2e_settle
}

# Edits: 125 Hz, stage 2 to level 5, stage 3 out of use, stage 1's colour
# through the system chooser, Respiration, 8S, RGB Flash.
edit_page() {
  e2e_origin
  e2e_click_changes 560 208 542 204 286 11     # the report-rate bar
  e2e_click_changes 589 435 581 302 16 214     # stage 2's column
  e2e_click_changes 616 549 608 541 16 16      # stage 3's tick box
  choose_colour_ok
  lighting_choice 60 336 383
  lighting_choice 61 366 385
  lighting_choice 62 396 429
}
edit_page
e2e_shot page-edited >/dev/null

# Cancel writes nothing; the model returns to the saved one; the tray shows
# the window again where it was.
shown_at="$ox $oy"
xdotool mousemove $((ox + 822)) $((oy + 633)) click 1
helper wait-hidden 30000 || e2e_fail "Cancel did not hide the window"
e2e_settle
cmp -s config.bin config-before.bin || e2e_fail "Cancel wrote config.bin"
cmp -s simulated-mouse.bin mouse-before.bin || e2e_fail "Cancel wrote to the mouse"
e2e_show_from_tray || e2e_fail "no window after Cancel"
e2e_wait_placed "after Cancel"
[ "$ox $oy" = "$shown_at" ] || e2e_fail "after Cancel the window shows at $ox,$oy, not where it was ($shown_at)"
e2e_shot page-after-cancel >/dev/null

# The same edits again, Mode B, then Apply.
edit_page
e2e_click_changes 410 528 253 518 209 21      # Mode B
xdotool mousemove $((ox + 700)) $((oy + 633)) click 1
written() { ! cmp -s config.bin config-before.bin && ! cmp -s simulated-mouse.bin mouse-before.bin; }
e2e_until 60 written || e2e_fail "Apply wrote neither config.bin nor the mouse"
e2e_settle
helper state | grep -q '^visible' || e2e_fail "Apply hid the window"

# config.bin holds the edited model (offsets: the flag byte, then the record).
expect=("6 8" "9 4" "14 0" "16 0" "17 0" "18 0" "28 2" "30 0" "33 2" "36 1")
for pair in "${expect[@]}"; do
  read -r offset value <<<"$pair"
  got="$(e2e_byte config.bin "$offset")"
  [ "$got" = "$value" ] || e2e_fail "config.bin byte $offset is $got, expected $value"
done
# The mouse holds what composition makes of it over the image it had.
wine "$BUILD_DIR/dist/px6410ctl.exe" compose config.bin mouse-before.bin expected.bin >/dev/null 2>&1 ||
  e2e_fail "px6410ctl compose failed"
cmp simulated-mouse.bin expected.bin || e2e_fail "the mouse does not hold the composed image"

# The web link: a press on it opens the address, and moving the pointer
# with the button held does not drag the window.
e2e_origin
before="$ox $oy"
xdotool mousemove $((ox + 300)) $((oy + 636)) mousedown 1
e2e_until 60 test -s "$E2E_ROOT/opened.txt" || e2e_fail "the web link opened nothing"
xdotool mousemove_relative 20 15 mousemove_relative 20 15 mouseup 1
e2e_settle
e2e_origin
[ "$ox $oy" = "$before" ] || e2e_fail "the web link dragged the window"
grep -q '^http' "$E2E_ROOT/opened.txt" || e2e_fail "the web link opened '$(cat "$E2E_ROOT/opened.txt")'"
# A press on an empty spot starts a drag; the window follows the pointer
# until the button goes up.
xdotool mousemove $((ox + 120)) $((oy + 300)) mousedown 1
helper wait-drag 30000 || e2e_fail "a press on an empty spot did not start a drag"
xdotool mousemove_relative 20 15 mousemove_relative 20 15 mouseup 1
e2e_settle
e2e_origin
[ "$ox $oy" != "$before" ] || e2e_fail "a press on an empty spot did not move the window"
helper post 0x111 1028 0
e2e_exits_with page 0 || e2e_fail "the exit command did not end the program with 0"
e2e_log "pass"
