#!/usr/bin/env bash
# End to end on Linux, with real clicks on the button rows at the same client
# coordinates as on Windows, in one run: each of the fourteen functions is
# given to a button in Mode A and in Mode B, through the rows' lists, the DPI
# sub-list and the functions' own dialogs (the same rounds as on Windows).
# After each Apply the simulated mouse, read back with px6410ctl, holds
# exactly the entries the encoding makes of the choices and the image
# composition makes of config.bin, and str.ini holds the labels. Also: the
# left-click warning, Shift kept on one button in both modes, a cancelled
# dialog, and Default. Single Key takes the real keyboard: Enter sends the
# key table's "Enter" with its code.
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
  xdotool mousemove $((OX + 282)) $((OY + $(row_top "$1") + 1 + ENTRY * $2 + ENTRY / 2)) click 1
}
closes() { lx_wait 10 list_closed || lx_fail "row $1's list stayed open"; }
give() { open_row "$1"; choose_entry "$1" "$2"; closes "$1"; }
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

# The dialogs open at the main window's client corner, their drop-downs and
# lists at the same client coordinates as on Windows; list entries are as
# high as the dialog font (14 pixels in English) below a one-pixel border.
wait_dialog() {
  lx_wait_dialog rows || { lx_shot rows-no-dialog >/dev/null; lx_fail "no parameter dialog"; }
}
# Opens the drop-down at X,Y, whose list has its top-left corner at
# LEFT,TOP, and picks entry INDEX.
dialog_pick() {
  local x=$1 y=$2 left=$3 top=$4 index=$5
  lx_dregion "$left" "$top" 100 40 dlist-closed
  lx_dclick "$x" "$y"
  lx_wait_dregion_change dlist-closed "$left" "$top" 100 40 || lx_fail "the dialog's list at $left,$top did not open"
  lx_dclick $((left + 20)) $((top + 1 + ENTRY * index + ENTRY / 2))
}
dialog_end() {
  lx_dclick "$1" 263
  lx_wait_no_dialog rows || lx_fail "the dialog did not end"
}
# Row ROW takes function ENTRY whose dialog opens; the rest of the arguments
# run in it before OK.
give_with_dialog() {
  local row=$1 entry=$2
  shift 2
  open_row "$row"
  choose_entry "$row" "$entry"
  wait_dialog
  "$@"
  dialog_end 200
  closes "$row"
}
windows_pick() { dialog_pick 140 136 42 146 "$1"; }
media_pick() { dialog_pick 140 136 42 146 "$1"; }
hot_pick() { dialog_pick 140 136 42 146 "$1"; }
snipe_pick() { dialog_pick 140 113 42 123 "$1"; }
defaults() { :; }
# Fire key: the key at list position INDEX, then TIMES typed.
fire_set() {
  [ "$1" = 0 ] || dialog_pick 150 77 82 87 "$1"
  lx_dclick 120 111
  xdotool key End BackSpace type "$2"
}
# Single key: the key pressed shows in the dialog's label.
press() {
  lx_dregion 73 128 78 16 key-before
  xdotool key "$1"
  lx_wait_dregion_change key-before 73 128 78 16 || lx_fail "the single key dialog shows no key after $1"
}

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
# The labels are the last thing Apply writes: once they are there, the mouse
# holds the whole image (read before, it may be between two blocks).
applied() { [ "$(labels)" = "$2" ] && [ "$(entries)" = "$1" ]; }
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

# Round 1: the five plain functions, DPI Switch, and the three list dialogs.
mode A
give 2 0
open_row 1
lx_shot rows-open-list >/dev/null
choose_entry 1 3
closes 1
give 3 4
give_dpi 4 1 rows-dpi-sublist
mode B
give_with_dialog 2 6 windows_pick 2
give_with_dialog 3 7 media_pick 4
give_with_dialog 4 8 hot_pick 2
apply_and_check "round 1" "f400 f000 f300 0403 f000 0902 0402 1202" \
  "Forward|Left Click|Backward|DPI -|Left Click|Calculator|Multimedia-Mute|Paste"

# Round 2: the same functions in the other modes; the dialogs at their defaults.
mode A
give_with_dialog 1 6 defaults
give_with_dialog 3 7 defaults
give_with_dialog 4 8 defaults
mode B
give 2 0
give 1 3
give 3 4
give_dpi 4 0
apply_and_check "round 2" "0702 f000 0002 1002 f400 f000 f300 0303" \
  "Multimedia Player|Left Click|Multimedia-Next|Copy|Forward|Left Click|Backward|DPI +"

# Round 3: fire key, single key and snipe in Mode A; right, middle, key off in Mode B.
mode A
give_with_dialog 1 9 fire_set 0 5
give_with_dialog 3 10 press a
# The snipe dialog over the page, its list open.
open_row 4
choose_entry 4 11
wait_dialog
snipe_pick_shown() {
  lx_dregion 42 123 100 40 dlist-closed
  lx_dclick 140 113
  lx_wait_dregion_change dlist-closed 42 123 100 40 || lx_fail "the snipe list did not open"
  lx_wait 10 lx_dialog_drawn || lx_fail "the snipe dialog is not drawn"
  lx_screen rows-dialog-over-page
  lx_dclick 62 $((123 + 1 + ENTRY * 3 + ENTRY / 2))
}
snipe_pick_shown
dialog_end 200
closes 4
mode B
give 1 1
give 3 2
give 4 12
apply_and_check "round 3" "f085 f000 0400 0a03 f100 f000 f200 0000" \
  "Fire Key-L-Button|Left Click|Single Key-A|Snipe Key-1200|Right Click|Left Click|Mid Click|Key Off"

# Round 4: the other way round. Enter is named by the key table and sends
# its code.
mode B
give_with_dialog 1 9 fire_set 5 0
give_with_dialog 3 10 press Return
give_with_dialog 4 11 defaults
mode A
give 1 1
give 3 2
give 4 12
apply_and_check "round 4" "f100 f000 f200 0000 0480 f000 2800 0a03" \
  "Right Click|Left Click|Mid Click|Key Off|Fire Key-A|Left Click|Single Key-Enter|Snipe Key-600"

# Round 5: Shift on button 3 from Mode A shows in both modes; a second Shift
# in Mode B changes nothing.
mode A
give 3 13
mode B
give 4 13
apply_and_check "round 5" "f100 f000 0603 0000 0480 f000 0603 0a03" \
  "Right Click|Left Click|Shift|Key Off|Fire Key-A|Left Click|Shift|Snipe Key-600"

# Round 6: the Shift button takes DPI Loop in Mode B through the sub-list:
# both modes follow; then Shift from Mode B on button 4; a cancelled dialog.
give_dpi 3 2
give 4 13
open_row 1
choose_entry 1 7
wait_dialog
dialog_end 320
closes 1
apply_and_check "round 6" "f100 f000 0503 0603 0480 f000 0503 0603" \
  "Right Click|Left Click|DPI Loop|Shift|Fire Key-A|Left Click|DPI Loop|Shift"

# Round 7: Default in Mode B restores both modes.
lx_click 350 558
lx_shot rows-default >/dev/null
apply_and_check "round 7" "f000 f100 f200 0503 f000 f100 f200 0503" \
  "Left Click|Right Click|Mid Click|DPI Loop|Left Click|Right Click|Mid Click|DPI Loop"
give 2 0  # Mode B is still shown: its row 1 is guarded, its row 2 opens
lx_click 330 209
lx_wait 10 list_open || lx_fail "Mode B's row 1 did not open after its row 2 took left click"
xdotool search --onlyvisible --name '^Warning$' >/dev/null && lx_fail "Mode B's row 1 warned"

lx_click 859 14
lx_exited_with rows 20 0 || lx_fail "the close button did not end the program with 0"
lx_log "pass"
