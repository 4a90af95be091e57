# The steps of tests/flows/rows.flow on Linux (px6410 under X11): each step's
# clicks and keys, and waits on what the screen shows (Qt's popups have no
# control IDs to list). Sourced by the tests/linux/e2e_*.sh scripts after
# tests/linux/lib.sh, with the window shown and OX/OY read; APP is the name
# the program was started under.
source "$SOURCE_DIR/tests/flows/flow.sh"

lx_click_at() { flow_click "$1" "$OX" "$OY"; }
lx_dclick_at() { flow_click "$1" "$DX" "$DY"; }

# Entries are as high as the body font (14 pixels in English, as on
# Windows), below a one-pixel border; the same in the dialogs' lists.
ENTRY=14
# Every button list covers this part of the key panel, empty while none is
# open (taken when the flow's first list step runs, with none open).
list_open() { lx_region 252 300 211 140 lists-now && lx_differs lists-closed lists-now; }
list_closed() { ! list_open; }
lists_seen=""
see_lists_closed() { [ -n "$lists_seen" ] || { lx_region 252 300 211 140 lists-closed; lists_seen=1; }; }
row_top() { echo $((221 + 23 * ($1 - 1))); }  # the top of row ROW's list
# Where each dialog drop-down's list opens (its top-left corner).
declare -gA LX_DROP_LIST=([windows]="42 146" [media]="42 146" [hot]="42 146" [snipe]="42 123" [fire]="82 87")

step_open() {
  see_lists_closed
  lx_click "$FLOW_ROW_X" "$(flow_row_y "$1")"
  lx_wait 10 list_open || lx_fail "row $1's list did not open"
}
# Points at entry INDEX of row ROW's list (it becomes the selection), clicks it.
step_choose() {
  xdotool mousemove $((OX + 282)) $((OY + $(row_top "$1") + 1 + ENTRY * $2 + ENTRY / 2)) click 1
}
step_closed() { lx_wait 10 list_closed || lx_fail "row $1's list stayed open"; }
step_shot() { lx_shot "$1" >/dev/null; }
step_give_dpi() {
  local row=$1 sub=$2 top
  step_open "$row"
  top=$(($(row_top "$row") + 1 + ENTRY * 5))
  # The sub-list opens right of the entry, level with its top.
  lx_region 464 "$top" 60 60 sub-closed
  xdotool mousemove $((OX + 282)) $((OY + top + ENTRY / 2))
  lx_wait_region_change sub-closed 464 "$top" 60 60 || lx_fail "no DPI sub-list beside DPI Switch of row $row"
  [ -n "${3:-}" ] && lx_shot "$3" >/dev/null
  xdotool mousemove $((OX + 490)) $((OY + top + 1 + ENTRY * sub + ENTRY / 2)) click 1
  lx_wait 10 list_closed || lx_fail "lists still open after the DPI choice"
}
step_mode() { lx_click_at "mode_$1"; }

# The dialogs open at the main window's client corner, their drop-downs and
# lists at the same client coordinates as on Windows.
wait_dialog() {
  lx_wait_dialog "$APP" || { lx_shot flow-no-dialog >/dev/null; lx_fail "no parameter dialog"; }
}
# Opens drop-down KIND of the dialog and picks entry INDEX of its list; with
# SHOT, the screen is saved while the list is open over the drawn dialog.
act_pick() {
  local kind=$1 index=$2 left top
  read -r left top <<<"${LX_DROP_LIST[$kind]}"
  lx_dregion "$left" "$top" 100 40 dlist-closed
  lx_dclick_at "drop_$kind"
  lx_wait_dregion_change dlist-closed "$left" "$top" 100 40 || lx_fail "the dialog's $kind list did not open"
  if [ -n "${3:-}" ]; then
    lx_wait 10 lx_dialog_drawn || lx_fail "the $kind dialog is not drawn"
    lx_screen "$3"
  fi
  lx_dclick $((left + 20)) $((top + 1 + ENTRY * index + ENTRY / 2))
}
# Fire key: the key at list position INDEX, then TIMES typed.
act_fire() {
  [ "$1" = 0 ] || act_pick fire "$1"
  lx_dclick_at fire_times
  xdotool key End BackSpace type "$2"
}
# Single key: the key pressed shows in the dialog's label.
act_press() {
  lx_dregion 73 128 78 16 key-before
  xdotool key "$1"
  lx_wait_dregion_change key-before 73 128 78 16 || lx_fail "the single key dialog shows no key after $1"
}
dialog_end() {
  lx_dclick_at "$1"
  lx_wait_no_dialog "$APP" || lx_fail "the dialog did not end ($1)"
}

warning_shown() { xdotool search --onlyvisible --name '^Warning$' >/dev/null 2>&1; }
step_warns() {
  see_lists_closed
  lx_click "$FLOW_ROW_X" "$(flow_row_y "$1")"
  lx_wait 20 warning_shown || lx_fail "no warning for row $1"
  lx_shot rows-warning >/dev/null
  xdotool key Return
  lx_wait 20 bash -c "! xdotool search --onlyvisible --name '^Warning$'" || lx_fail "the warning stayed"
  # Where the box lay the page is drawn again a moment after it has gone.
  lx_wait 10 list_closed || lx_fail "row $1's list opened after the warning"
}
step_opens() {
  step_open "$1"
  ! warning_shown || lx_fail "row $1 warned"
}
step_default() { lx_click_at default; }

# The labels are the last thing Apply writes: once they are there, the mouse
# holds the whole image (read before, it may be between two blocks).
entries() { "$PX6410CTL" --sim mouse.bin read got.bin >/dev/null 2>&1 && flow_entries got.bin; }
applied() { [ "$(flow_labels str.ini)" = "$2" ] && [ "$(entries)" = "$1" ]; }
step_apply() {
  local round=$1 expected=$2 names=$3
  cp mouse.bin mouse-before.bin
  lx_click_at apply
  lx_wait 20 applied "$expected" "$names" ||
    lx_fail "$round: the mouse holds '$(entries)' and str.ini '$(flow_labels str.ini)', expected '$expected' and '$names'"
  "$PX6410CTL" compose config.bin mouse-before.bin expected.bin >/dev/null || lx_fail "$round: px6410ctl compose failed"
  cmp -s got.bin expected.bin || lx_fail "$round: the mouse does not hold the composed image"
  lx_log "ok: $round"
}
