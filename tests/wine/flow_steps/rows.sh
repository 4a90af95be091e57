# The steps of tests/flows/rows.flow on Windows (the utility under Wine): each
# step's clicks and keys, and waits on the window listing of px_e2e_helper
# (lists and dialogs are child windows with control IDs). Sourced by the
# tests/wine/e2e_*.sh scripts after tests/e2e/lib.sh, with the utility shown.
source "$SOURCE_DIR/tests/flows/flow.sh"

windows() { helper windows | tr -d '\r'; }
# The line of child control ID of the main window.
main_child() { windows | awk -v id="$1" '/^window/ {m = /class=PX6410GMClass/} m && $1 == "child" && $2 == id'; }
value() { grep -o "$2=[-0-9]*" <<<"$1" | cut -d= -f2; }
click() { xdotool mousemove $((ox + $1)) $((oy + $2)) click 1; }
click_at() { flow_click "$1" "$ox" "$oy"; }
# A parameter dialog: a window of the process, not the main one, without a title.
DIALOG='^window [-0-9]+ [-0-9]+ [0-9]+ [0-9]+ class=(?!PX6410GMClass).* title=$'
# The list each dialog's drop-down opens (control ID).
declare -gA WINE_DROP_LIST=([windows]=533 [media]=553 [hot]=566 [snipe]=564 [fire]=573)

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

step_open() {
  e2e_origin
  click "$FLOW_ROW_X" "$(flow_row_y "$1")"
  e2e_wait_line "^child $((40 + $1)) " >/dev/null ||
    { e2e_shot flow-no-list >/dev/null; windows >&2; e2e_fail "row $1's list did not open"; }
}
# Points at the entry (it becomes the selection) and clicks it.
step_choose() {
  point_at_entry $((40 + $1)) "$2" "$ox" "$oy"
  xdotool click 1
}
step_closed() {
  e2e_wait_line "!^child $((40 + $1)) " >/dev/null || e2e_fail "row $1's list stayed open"
  e2e_settle
}
step_entries() {
  local line
  line="$(main_child $((40 + $1)))"
  [ "$(value "$line" count)" = "$2" ] || e2e_fail "row $1's list: $line"
  e2e_log "list entries $(value "$line" itemh) pixels high"
}
step_shot() { e2e_shot "$1" >/dev/null; }
step_give_dpi() {
  local row=$1 sub=$2 line
  step_open "$row"
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

shown_mode=A
step_mode() {
  local x y
  read -r x y < <(flow_point "mode_$1")
  e2e_origin
  if [ "$1" = "$shown_mode" ]; then
    click "$x" "$y"
    e2e_settle
  else
    e2e_click_changes "$x" "$y" 253 518 209 21
  fi
  shown_mode=$1
}

# The parameter dialog's client origin.
dx=0 dy=0
wait_dialog() {
  local line
  line="$(e2e_wait_line "$DIALOG")" || { e2e_shot flow-no-dialog >/dev/null; e2e_fail "no parameter dialog"; }
  read -r dx dy < <(awk '{print $2, $3}' <<<"$line")
}
dclick() { xdotool mousemove $((dx + $1)) $((dy + $2)) click 1; }
dclick_at() { flow_click "$1" "$dx" "$dy"; }
# Opens drop-down KIND of the dialog and picks entry INDEX of its list; with
# SHOT, the screen is saved while the list is open.
act_pick() {
  local kind=$1 index=$2 list=${WINE_DROP_LIST[$1]}
  dclick_at "drop_$kind"
  e2e_wait_line "^child $list " >/dev/null || e2e_fail "dialog list $list did not open"
  [ -n "${3:-}" ] && e2e_shot "$3" >/dev/null
  point_at_entry "$list" "$index" "$dx" "$dy"
  xdotool click 1
  e2e_wait_line "!^child $list " >/dev/null || e2e_fail "dialog list $list stayed open after a choice"
}
# Fire key: the key at list position INDEX, then TIMES typed.
act_fire() {
  [ "$1" = 0 ] || act_pick fire "$1"
  dclick_at fire_times
  xdotool key End BackSpace type "$2"
  e2e_wait_line "^child 575 .* text=$2\$" >/dev/null || e2e_fail "the times field does not show $2"
}
# Single key: the key pressed shows in the dialog's label.
act_press() {
  xdotool key "$1"
  e2e_wait_line '^child 502 .* text=.+$' >/dev/null || e2e_fail "the single key dialog shows no key after $1"
}
dialog_end() {
  dclick_at "$1"
  e2e_wait_line "!$DIALOG" >/dev/null || e2e_fail "the dialog did not end ($1)"
  e2e_settle
}

box_shown() { ! helper boxes >/dev/null 2>&1; }
box_gone() { helper boxes >/dev/null 2>&1; }
step_warns() {
  e2e_origin
  click "$FLOW_ROW_X" "$(flow_row_y "$1")"
  e2e_until 30 box_shown || e2e_fail "no warning for row $1"
  [ "$(helper boxes | tr -d '\r')" = "Warning|Left key must be selected!" ] || e2e_fail "box: $(helper boxes)"
  e2e_shot rows-warning >/dev/null
  xdotool key Return
  e2e_until 30 box_gone || e2e_fail "the warning stayed"
  # Wine gives the main window back its activation only after the box has
  # gone: a click before that would be lost.
  helper wait-active 30000 || e2e_fail "the main window is not active again after the warning"
  e2e_settle
  [ -z "$(main_child $((40 + $1)))" ] || e2e_fail "row $1's list opened after the warning"
}
step_opens() {
  step_open "$1"
  helper boxes >/dev/null || e2e_fail "row $1 warned"
}
step_default() {
  e2e_origin
  e2e_click_changes $(flow_point default) 252 199 211 90
}

# After Apply the labels are the last thing written; then the mouse, read
# back, holds the entries and the whole composed image.
labels_are() { [ "$(flow_labels str.ini)" = "$1" ]; }
step_apply() {
  local round=$1 expected=$2 labels=$3
  cp simulated-mouse.bin mouse-before.bin
  e2e_origin
  click_at apply
  e2e_until 60 labels_are "$labels" || e2e_fail "$round: str.ini labels '$(flow_labels str.ini)', expected '$labels'"
  e2e_settle
  wine "$BUILD_DIR/dist/px6410ctl.exe" --sim simulated-mouse.bin read got.bin >/dev/null 2>&1 ||
    e2e_fail "$round: px6410ctl read failed"
  [ "$(flow_entries got.bin)" = "$expected" ] || e2e_fail "$round: the mouse holds '$(flow_entries got.bin)', expected '$expected'"
  wine "$BUILD_DIR/dist/px6410ctl.exe" compose config.bin mouse-before.bin expected.bin >/dev/null 2>&1 ||
    e2e_fail "$round: px6410ctl compose failed"
  cmp -s got.bin expected.bin || e2e_fail "$round: the mouse does not hold the composed image"
  e2e_log "ok: $round"
}
