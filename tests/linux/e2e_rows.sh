#!/usr/bin/env bash
# End to end on Linux, with real clicks on the button rows at the same client
# coordinates as on Windows, in one run: the functions without a dialog given
# to buttons in Mode A and Mode B through the rows' lists and the DPI
# sub-list; after each Apply the simulated mouse, read back with px6410ctl,
# holds exactly the entries the encoding makes of the choices and the image
# composition makes of config.bin, and str.ini holds the labels. Also: the
# left-click warning, Shift kept on one button in both modes, and Default.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/linux/lib.sh"
lx_start_display
lx_start_tray
lx_start_bus

dir="$(lx_make_folder rows 1)"  # a mouse of DPI table variant 1
cd "$dir"
lx_start_app rows "$dir/px6410" --sim mouse.bin
lx_wait_tray || lx_fail "no tray icon"
lx_tray_click 1
lx_wait_visible || lx_fail "no window"
lx_origin

# Entries are as high as the body font (14 pixels in English, as on
# Windows), below a one-pixel border.
ENTRY=14
# Every button list covers this part of the key panel, empty while none is open.
lx_region 252 300 211 140 lists-closed
list_open() { lx_region 252 300 211 140 lists-now && lx_differs lists-closed lists-now; }
list_closed() { ! list_open; }
row_top() { echo $((221 + 23 * ($1 - 1))); }  # the top of row ROW's list

open_row() {
  lx_click 330 $((209 + 23 * ($1 - 1)))
  lx_wait 10 list_open || lx_fail "row $1's list did not open"
}
# Points at entry INDEX of row ROW's list (it becomes the selection), clicks it.
choose_entry() {
  local x=$((OX + 282)) y=$((OY + $(row_top "$1") + 1 + ENTRY * $2 + ENTRY / 2))
  xdotool mousemove "$x" "$y" click 1
  lx_wait 10 list_closed || lx_fail "row $1's list stayed open after entry $2"
}
give() { open_row "$1"; choose_entry "$1" "$2"; }
# Row ROW takes DPI Switch with sub-list entry SUB (0 "DPI +", 1 "DPI -", 2 "DPI Loop").
give_dpi() {
  local row=$1 sub=$2 top
  open_row "$row"
  top=$(($(row_top "$row") + 1 + ENTRY * 5))
  # The sub-list opens right of the entry, level with its top.
  lx_region 464 "$top" 60 60 sub-closed
  xdotool mousemove $((OX + 282)) $((OY + top + ENTRY / 2))
  lx_wait_region_change sub-closed 464 "$top" 60 60 || lx_fail "no DPI sub-list beside DPI Switch of row $row"
  [ -n "${3:-}" ] && lx_shot "$3" >/dev/null
  xdotool mousemove $((OX + 490)) $((OY + top + 1 + ENTRY * sub + ENTRY / 2)) click 1
  lx_wait 10 list_closed || lx_fail "lists still open after the DPI choice"
}
mode() { if [ "$1" = A ]; then lx_click 300 528; else lx_click 410 528; fi; }

# After Apply: the mouse, read back, holds the entries of Mode A rows 1..4 and
# Mode B rows 1..4 (code and kind bytes, hex) and the composed image, and
# str.ini the eight labels.
entries() {
  "$PX6410CTL" --sim mouse.bin read got.bin >/dev/null 2>&1 || return 1
  local o got=""
  for o in 130 132 134 140 162 164 166 170; do got+="$(od -An -tx1 -j "$o" -N2 got.bin | tr -d ' \n') "; done
  echo "${got% }"
}
labels() {
  local text key out=""
  text="$(iconv -f UTF-16 -t UTF-8 str.ini | tr -d '\r')"
  for key in Item1 Item2 Item3 Item4 Item13 Item23 Item33 Item43; do
    out+="$(awk -v k="$key" '/^\[/ {s = ($0 == "[Setting-EN]")} s && index($0, k "=") == 1 {print substr($0, length(k) + 2)}' <<<"$text")|"
  done
  echo "${out%|}"
}
applied() { [ "$(entries)" = "$1" ] && [ "$(labels)" = "$2" ]; }
apply_and_check() {
  local round=$1 expected=$2 names=$3
  cp mouse.bin mouse-before.bin
  lx_click 700 633
  lx_wait 20 applied "$expected" "$names" ||
    lx_fail "$round: the mouse holds '$(entries)' and str.ini '$(labels)', expected '$expected' and '$names'"
  "$PX6410CTL" compose config.bin mouse-before.bin expected.bin >/dev/null || lx_fail "$round: px6410ctl compose failed"
  cmp -s got.bin expected.bin || lx_fail "$round: the mouse does not hold the composed image"
  lx_log "ok: $round"
}

lx_log "the warning: row 1 holds Mode A's only left click"
lx_click 330 209
lx_wait 20 xdotool search --onlyvisible --name '^Warning$' || lx_fail "no warning for row 1"
lx_shot rows-warning >/dev/null
xdotool key Return
lx_wait 20 bash -c "! xdotool search --onlyvisible --name '^Warning$'" || lx_fail "the warning stayed"
list_closed || lx_fail "row 1's list opened after the warning"

# Round 1: the plain functions and DPI Switch in both modes.
mode A
give 2 0
open_row 1
lx_shot rows-open-list >/dev/null
choose_entry 1 3
give 3 4
give_dpi 4 1 rows-dpi-sublist
mode B
give 2 0
give 1 12
give 3 2
give_dpi 4 0
apply_and_check "round 1" "f400 f000 f300 0403 0000 f000 f200 0303" \
  "Forward|Left Click|Backward|DPI -|Key Off|Left Click|Mid Click|DPI +"

# Round 2: Shift on button 3 from Mode A shows in both modes; a second Shift
# in Mode B changes nothing.
mode A
give 3 13
mode B
give 4 13
apply_and_check "round 2" "f400 f000 0603 0403 0000 f000 0603 0303" \
  "Forward|Left Click|Shift|DPI -|Key Off|Left Click|Shift|DPI +"

# Round 3: the Shift button takes DPI Loop in Mode B: both modes follow.
give_dpi 3 2
apply_and_check "round 3" "f400 f000 0503 0403 0000 f000 0503 0303" \
  "Forward|Left Click|DPI Loop|DPI -|Key Off|Left Click|DPI Loop|DPI +"

# Round 4: Default in Mode B restores both modes.
lx_click 350 558
lx_shot rows-default >/dev/null
apply_and_check "round 4" "f000 f100 f200 0503 f000 f100 f200 0503" \
  "Left Click|Right Click|Mid Click|DPI Loop|Left Click|Right Click|Mid Click|DPI Loop"
give 2 0  # Mode B is still shown: its row 1 is guarded, its row 2 opens
lx_click 330 209
lx_wait 10 list_open || lx_fail "Mode B's row 1 did not open after its row 2 took left click"
xdotool search --onlyvisible --name '^Warning$' >/dev/null && lx_fail "Mode B's row 1 warned"

lx_click 859 14
lx_exited_with rows 20 0 || lx_fail "the close button did not end the program with 0"
lx_log "pass"
