#!/usr/bin/env bash
# End to end, with real clicks on the button rows of the settings page, in
# one run of the utility: each of the fourteen functions is given to a button
# in Mode A and in Mode B, through the row's list, the DPI sub-list or the
# function's dialog. After each Apply the simulated mouse, read back with
# px6410ctl, holds exactly the entries the encoding makes of the choices and
# the image composition makes of config.bin, and str.ini holds the labels.
# Also: the left-click warning, Shift kept on one button in both modes, a
# cancelled dialog, and Default in Mode B.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine

dir="$(e2e_make_folder rows 1)"  # a mouse of DPI table variant 1
cd "$dir"
e2e_start_shown "$dir/PX6410-3-4.exe" rows

windows() { helper windows | tr -d '\r'; }
# The line of child control ID of the main window, or of the open dialog.
main_child() { windows | awk -v id="$1" '/^window/ {m = /class=PX6410GMClass/} m && $1 == "child" && $2 == id'; }
dialog_child() { windows | awk -v id="$1" '/^window/ {m = !/class=PX6410GMClass/} m && $1 == "child" && $2 == id'; }
value() { grep -o "$2=[-0-9]*" <<<"$1" | cut -d= -f2; }
click() { xdotool mousemove $((ox + $1)) $((oy + $2)) click 1; }
# A parameter dialog: a window of the process, not the main one, without a title.
DIALOG='^window [-0-9]+ [-0-9]+ [0-9]+ [0-9]+ class=(?!PX6410GMClass).* title=$'

# Screen point of entry INDEX of a list, from its line and the window origin.
entry_point() {
  local line=$1 index=$2 x0=$3 y0=$4 left top h first
  read -r left top < <(awk '{print $4, $5}' <<<"$line")
  h=$(value "$line" itemh); first=$(value "$line" top)
  echo $((x0 + left + 30)) $((y0 + top + 1 + (index - first) * h + h / 2))
}
# The pointer rests on entry INDEX of list ID (a line of the listing), which
# then is its selection.
point_at_entry() {
  local id=$1 index=$2 x0=$3 y0=$4 x y
  read -r x y < <(entry_point "$(e2e_wait_line "^child $id ")" "$index" "$x0" "$y0")
  xdotool mousemove "$x" "$y" mousemove "$x" $((y + 1))
  e2e_wait_line "^child $id .* sel=$index " >/dev/null || e2e_fail "entry $index of list $id is not selected under the pointer"
}

open_row() {
  e2e_origin
  click 330 $((209 + 23 * ($1 - 1)))
  e2e_wait_line "^child $((40 + $1)) " >/dev/null ||
    { e2e_shot rows-no-list >/dev/null; windows >&2; e2e_fail "row $1's list did not open"; }
}
# Points at the entry (it becomes the selection) and clicks it.
choose_entry() {
  point_at_entry $((40 + $1)) "$2" "$ox" "$oy"
  xdotool click 1
}
list_closed() {
  e2e_wait_line "!^child $((40 + $1)) " >/dev/null || e2e_fail "row $1's list stayed open"
  e2e_settle
}
# Row ROW takes function ENTRY of its list (a function without a dialog).
give() { open_row "$1"; choose_entry "$1" "$2"; list_closed "$1"; }
# Row ROW takes DPI Switch with sub-list entry SUB (0 "DPI +", 1 "DPI -", 2 "DPI Loop").
give_dpi() {
  local row=$1 sub=$2 line
  open_row "$row"
  point_at_entry $((40 + row)) 5 "$ox" "$oy"
  line="$(e2e_wait_line '^child 40 ')" || e2e_fail "no DPI sub-list beside DPI Switch of row $row"
  [ "$(value "$line" count)" = 3 ] || e2e_fail "DPI sub-list: $line"
  [ -n "${3:-}" ] && e2e_shot "$3" >/dev/null
  point_at_entry 40 "$sub" "$ox" "$oy"
  [ -n "$(main_child 40)" ] || e2e_fail "the DPI sub-list went when the pointer entered it"
  xdotool click 1
  e2e_wait_line '!^child (40|41|42|43|44) ' >/dev/null || e2e_fail "lists still open after the DPI choice"
  e2e_settle
}

# The parameter dialog's client origin.
dx=0 dy=0
wait_dialog() {
  local line
  line="$(e2e_wait_line "$DIALOG")" || { e2e_shot rows-no-dialog >/dev/null; e2e_fail "no parameter dialog"; }
  read -r dx dy < <(awk '{print $2, $3}' <<<"$line")
}
dclick() { xdotool mousemove $((dx + $1)) $((dy + $2)) click 1; }
# Opens the dialog's drop-down at X,Y and picks entry INDEX of its list LIST.
dialog_pick() {
  local x=$1 y=$2 list=$3 index=$4
  dclick "$x" "$y"
  e2e_wait_line "^child $list " >/dev/null || e2e_fail "dialog list $list did not open"
  point_at_entry "$list" "$index" "$dx" "$dy"
  xdotool click 1
  e2e_wait_line "!^child $list " >/dev/null || e2e_fail "dialog list $list stayed open after a choice"
}
dialog_ok() {
  dclick 200 263
  e2e_wait_line "!$DIALOG" >/dev/null || e2e_fail "the dialog did not end"
  e2e_settle
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
  dialog_ok
  list_closed "$row"
}
windows_pick() { dialog_pick 140 136 533 "$1"; }
media_pick() { dialog_pick 140 136 553 "$1"; }
hot_pick() { dialog_pick 140 136 566 "$1"; }
snipe_pick() { dialog_pick 140 113 564 "$1"; }
defaults() { :; }
# Fire key: the key at list position INDEX, then TIMES typed.
fire_set() {
  [ "$1" = 0 ] || dialog_pick 150 77 573 "$1"
  dclick 120 111
  xdotool key End BackSpace type "$2"
  e2e_wait_line "^child 575 .* text=$2\$" >/dev/null || e2e_fail "the times field does not show $2"
}
# Single key: the key pressed shows in the dialog's label.
press() {
  xdotool key "$1"
  e2e_wait_line '^child 502 .* text=.+$' >/dev/null || e2e_fail "the single key dialog shows no key after $1"
}
shown_mode=A
mode() {
  e2e_origin
  if [ "$1" = "$shown_mode" ]; then
    click $([ "$1" = A ] && echo 300 || echo 410) 528
    e2e_settle
  else
    e2e_click_changes $([ "$1" = A ] && echo 300 || echo 410) 528 253 518 209 21
  fi
  shown_mode=$1
}

# The eight labels of str.ini (English section), each followed by "|".
ini_labels() {
  local text key out=""
  text="$(iconv -f UTF-16 -t UTF-8 str.ini | tr -d '\r')"
  for key in Item1 Item2 Item3 Item4 Item13 Item23 Item33 Item43; do
    out+="$(awk -v k="$key" '/^\[/ {s = ($0 == "[Setting-EN]")} s && index($0, k "=") == 1 {print substr($0, length(k) + 2)}' <<<"$text")|"
  done
  printf '%s' "$out"
}

# After Apply: the mouse, read back, holds the entries of Mode A rows 1..4 and
# Mode B rows 1..4 (code and kind bytes, hex) and the composed image, and
# str.ini the eight labels.
apply_and_check() {
  local round=$1 expected=$2 labels=$3
  cp simulated-mouse.bin mouse-before.bin
  e2e_origin
  click 700 633
  # The labels are the last thing Apply writes.
  labels_are() { [ "$(ini_labels)" = "$labels|" ]; }
  e2e_until 60 labels_are || e2e_fail "$round: str.ini labels '$(ini_labels)', expected '$labels|'"
  e2e_settle
  wine "$BUILD_DIR/dist/px6410ctl.exe" --sim simulated-mouse.bin read got.bin >/dev/null 2>&1 ||
    e2e_fail "$round: px6410ctl read failed"
  local offsets=(130 132 134 140 162 164 166 170) got="" o
  for o in "${offsets[@]}"; do got+="$(od -An -tx1 -j "$o" -N2 got.bin | tr -d ' \n') "; done
  [ "${got% }" = "$expected" ] || e2e_fail "$round: the mouse holds '${got% }', expected '$expected'"
  wine "$BUILD_DIR/dist/px6410ctl.exe" compose config.bin mouse-before.bin expected.bin >/dev/null 2>&1 ||
    e2e_fail "$round: px6410ctl compose failed"
  cmp -s got.bin expected.bin || e2e_fail "$round: the mouse does not hold the composed image"
  e2e_log "ok: $round"
}

# The warning: row 1 holds Mode A's only left click.
box_shown() { ! helper boxes >/dev/null 2>&1; }
box_gone() { helper boxes >/dev/null 2>&1; }
click 330 209
e2e_until 30 box_shown || e2e_fail "no warning for row 1"
[ "$(helper boxes | tr -d '\r')" = "Warning|Left key must be selected!" ] || e2e_fail "box: $(helper boxes)"
e2e_shot rows-warning >/dev/null
xdotool key Return
e2e_until 30 box_gone || e2e_fail "the warning stayed"
# Wine gives the main window back its activation only after the box has
# gone: a click before that would be lost.
helper wait-active 30000 || e2e_fail "the main window is not active again after the warning"
e2e_settle
[ -z "$(main_child 41)" ] || e2e_fail "row 1's list opened after the warning"

# Round 1: the five plain functions, DPI Switch, and the three list dialogs.
mode A
give 2 0
open_row 1
[ "$(value "$(main_child 41)" count)" = 14 ] || e2e_fail "row 1's list: $(main_child 41)"
e2e_log "list entries $(value "$(main_child 41)" itemh) pixels high"
e2e_shot rows-open-list >/dev/null
choose_entry 1 3
list_closed 1
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
give_with_dialog 4 11 snipe_pick 3
mode B
give 1 1
give 3 2
give 4 12
apply_and_check "round 3" "f085 f000 0400 0a03 f100 f000 f200 0000" \
  "Fire Key-L-Button|Left Click|Single Key-A|Snipe Key-1200|Right Click|Left Click|Mid Click|Key Off"

# Round 4: the other way round. Wine names Enter "Return", which the key
# table lacks: key code 0, and the label shows the name.
mode B
give_with_dialog 1 9 fire_set 5 0
give_with_dialog 3 10 press Return
give_with_dialog 4 11 defaults
mode A
give 1 1
give 3 2
give 4 12
apply_and_check "round 4" "f100 f000 f200 0000 0480 f000 0000 0a03" \
  "Right Click|Left Click|Mid Click|Key Off|Fire Key-A|Left Click|Single Key-Return|Snipe Key-600"

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
dclick 320 263
e2e_wait_line "!$DIALOG" >/dev/null || e2e_fail "the cancelled dialog did not end"
list_closed 1
apply_and_check "round 6" "f100 f000 0503 0603 0480 f000 0503 0603" \
  "Right Click|Left Click|DPI Loop|Shift|Fire Key-A|Left Click|DPI Loop|Shift"

# Round 7: Default in Mode B restores both modes.
e2e_origin
e2e_click_changes 350 558 252 199 211 90
e2e_shot rows-default >/dev/null
apply_and_check "round 7" "f000 f100 f200 0503 f000 f100 f200 0503" \
  "Left Click|Right Click|Mid Click|DPI Loop|Left Click|Right Click|Mid Click|DPI Loop"
give 2 0  # Mode B is still shown: its row 1 is guarded, its row 2 opens
open_row 1
helper boxes >/dev/null || e2e_fail "Mode B's row 1 warned after its row 2 took left click"

helper post 0x111 1028 0
e2e_exits_with rows 0 || e2e_fail "the exit command did not end the program with 0"
e2e_log "pass"
