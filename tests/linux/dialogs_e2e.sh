#!/usr/bin/env bash
# The seven small dialogs of the Linux utility, each opened over a window of
# its own by px_dialog_runner_qt and driven with the pointer and the
# keyboard: lists, fields, results on OK and nothing otherwise, the shared
# OK / Cancel column, hover looks, the wheel, the single key capture from the
# keyboard, a missing background, and the skin chooser writing str.ini.
BUILD_DIR=$1 SOURCE_DIR=$2
source "$SOURCE_DIR/tests/linux/dialogs_lib.sh"
dl_start_display

# --- OK at the defaults, Cancel, close, the shared column, the keys ---------
dl_open fire
dl_click 200 263
dl_expect "IDOK index=0 text=L-Button times=1 make=32 break=32"
dl_open hot
dl_click 320 263
dl_expect "IDCANCEL"
dl_open media
dl_click 360 14
dl_expect "IDCANCEL"
dl_open windows
dl_click 270 263
dl_expect "IDCANCEL"
dl_open hot --lang CHS
xdotool key Return
dl_expect "IDOK index=0 text=复制"
dl_open snipe --variant 0
xdotool key Escape
dl_expect "IDCANCEL"

# --- pointer-over looks: OK, then Cancel, then close, then away ----------------
rest_on() { dl_move "$1" "$2"; dl_move $(($1 + 1)) $(($2 + 1)); }
dl_open hot
dl_move 300 100
normal="$(dl_pixel 170 256)" close_normal="$(dl_pixel 355 9)"
rest_on 200 262
dl_until "OK to take its over look" dl_pixel_is_not 170 256 "$normal"
over="$(dl_pixel 170 256)"
dl_pixel_is 274 256 "$normal" || dl_fail "Cancel changed with OK"
rest_on 320 262   # Cancel takes the look, OK gives it back
dl_until "Cancel to take the over look from OK" dl_pixel_is 274 256 "$over"
dl_pixel_is 170 256 "$normal" || dl_fail "OK kept its over look"
rest_on 358 12    # close: Cancel keeps its look until all three are left
dl_until "close to take its over look" dl_pixel_is_not 355 9 "$close_normal"
dl_pixel_is 274 256 "$over" || dl_fail "Cancel lost its look on close"
dl_move 300 100
dl_until "close to look normal again" dl_pixel_is 355 9 "$close_normal"
dl_until "Cancel to look normal again" dl_pixel_is 274 256 "$normal"
dl_click 320 263
dl_expect "IDCANCEL"

# --- choosing in each list -------------------------------------------------
dl_open hot
dl_open_list 140 136 566
dl_list_is 566 count 8 || dl_fail "hot key list: $(dl_child 566)"
dl_choose 566 7
dl_until "the label to show Undo" dl_field_is 565 Undo
dl_click 200 263
dl_expect "IDOK index=7 text=Undo"

dl_open media --lang CHS
dl_open_list 140 136 553
dl_choose 553 6
dl_click 200 263
dl_expect "IDOK index=6 text=音量-"

dl_open windows --lang CHT
dl_open_list 140 136 533
dl_list_is 533 count 9 || dl_fail "Windows list: $(dl_child 533)"
dl_choose 533 8
dl_click 200 263
dl_expect "IDOK index=8 text=瀏覽器-刷新"

dl_open snipe --variant 1
dl_open_list 140 113 564
dl_list_is 564 count 8 || dl_fail "snipe list, variant 1: $(dl_child 564)"
dl_choose 564 7
dl_click 200 263
dl_expect "IDOK index=7 text=3200"

# Variant 0: twelve values, three lines per wheel notch; a choice and then
# Cancel answers nothing.
dl_open snipe --variant 0
dl_open_list 140 113 564
dl_list_is 564 count 12 || dl_fail "snipe list, variant 0: $(dl_child 564)"
dl_move 300 150
xdotool click 5
dl_until "one notch to scroll three lines" dl_list_is 564 top 3
dl_choose 564 11
dl_until "the snipe label to show 4000" dl_field_is 563 4000
dl_click 320 263
dl_expect "IDCANCEL"

# Pointing at an entry selects it without choosing; a click outside closes.
dl_open media
dl_open_list 140 136 553
read -r left listtop < <(dl_child 553 | awk '{print $5, $6}')
itemh=$(dl_list_value 553 itemh)
dl_move $((left + 20)) $((listtop + 1 + 2 * itemh + itemh / 2))
dl_move $((left + 21)) $((listtop + 2 + 2 * itemh + itemh / 2))
dl_until "the pointer to mark entry 2" dl_list_is 553 sel 2
dl_field_is 552 Next || dl_fail "pointing chose: $(dl_field 552)"
dl_click 300 60
dl_until "an outside click to close the list" dl_no_child 553
dl_click 200 263
dl_expect "IDOK index=0 text=Next"

# A dialog ended by a key while its list is open keeps that for its kind's
# next opening: there the first click on the drop-down only clears it.
dl_open hot --runs 2
dl_open_list 140 136 566
xdotool key Return
first_done() { [ "$(head -n1 "$OUT")" = "IDOK index=0 text=Copy" ]; }
dl_until "the first run to answer" first_done
second_open() { dl_dialog_open && grep -q '^child 565 ' "$STATE"; }
rm -f "$STATE"
dl_until "the second opening" second_open
# The clicks a few pixels apart, so that no two make a double click, whose
# second click the frame does not take.
dl_click 140 136
dl_click 146 136
dl_until "the second click to open the list" dl_has_child 566
dl_click 140 136   # it was the second: the first only cleared the flag
dl_until "the list to close" dl_no_child 566
xdotool key Escape
second_done() { [ "$(sed -n 2p "$OUT")" = "IDCANCEL" ]; }
dl_until "the second run to answer" second_done
wait "$DL_RUNNER_PID" 2>/dev/null || true
DL_RUNNER_PID=""
dl_log "ok: the open list flag outlives an opening"

# --- fire key fields ---------------------------------------------------------
dl_open fire
dl_click 120 111
xdotool key End BackSpace type 128
dl_until "times 128 to become 1" dl_field_is 575 1
xdotool key End BackSpace type 0
dl_until "times 0" dl_field_is 575 0
dl_click 120 145
xdotool key End BackSpace BackSpace type 4
dl_until "make time 4 typed" dl_field_is 576 4
dl_click 120 179   # make time loses the focus
dl_until "make time 4 to become 5" dl_field_is 576 5
xdotool key End BackSpace BackSpace type 255
dl_until "break time 255 typed" dl_field_is 577 255
dl_open_list 150 77 573   # the list opens over the fields
dl_no_child 575 || dl_fail "fields under the open list"
dl_move 300 150
for _ in $(seq 17); do xdotool click 5; done
dl_until "the wheel to reach the end of the list" dl_list_is 573 top 48
dl_choose 573 51
dl_until "the label to show F5" dl_field_is 572 F5
dl_until "the fields back with their texts" dl_field_is 577 255
dl_field_is 575 0 && dl_field_is 576 5 || dl_fail "fields back: $(grep Edit "$STATE" | tr '\n' '|')"
dl_click 200 263
dl_expect "IDOK index=51 text=F5 times=0 make=5 break=255"

# A time typed and confirmed at once counts as shown.
dl_open fire
dl_click 120 179
xdotool key End BackSpace BackSpace type 300
dl_until "break time 300 typed" dl_field_is 577 300
xdotool key Return
dl_expect "IDOK index=0 text=L-Button times=1 make=32 break=5"

# --- single key: the keyboard's keys by their key table names --------------
dl_open single
for pair in a:A Return:Enter Escape:Esc Tab:Tab Shift_R:"Right Shift" KP_1:"Num 1" Prior:"Page Up" Super_L:"Left Windows"; do
  xdotool key "${pair%%:*}"
  dl_until "the name of ${pair%%:*}" dl_field_is 502 "${pair#*:}"
done
dl_dialog_open || dl_fail "a key closed the single key dialog"
xdotool key Menu
dl_until "a key without a table name to show Qt's name" dl_field_is 502 Menu
xdotool key Escape
dl_until "Escape named" dl_field_is 502 Esc
dl_click 200 263
dl_expect "IDOK key=Esc"
dl_open single
dl_click 200 263
dl_expect "IDOK key="

# --- a missing background -----------------------------------------------------
rm -f "$STATE" "$OUT"
( cd "$DIR" && exec timeout 120 ./px_dialog_runner_qt hot --skin Missing --state "$STATE" >"$OUT" 2>/dev/null ) &
DL_RUNNER_PID=$!
failure_box() { grep -q '^window .* title=HotKey Dialog Load background image failed!!!$' "$STATE"; }
dl_until "the failure box" failure_box
grep -A1 'title=HotKey Dialog' "$STATE" | grep -q 'text=error$' || dl_fail "box text: $(cat "$STATE")"
xdotool key Return
dl_expect "IDCANCEL"

# --- skin chooser ------------------------------------------------------------
dl_ini_set Path Default
dl_ini_set RColor 1
before="$(md5sum <"$DIR/str.ini")"

# Cancel after a pick leaves everything as it was.
dl_open skins --color 226,232,240
dl_open_list 140 136 562
dl_choose 562 0
dl_click 320 263
dl_expect "IDCANCEL"
[ "$(md5sum <"$DIR/str.ini")" = "$before" ] || dl_fail "str.ini changed after Cancel"

# Picking Light proposes its own colour; OK writes the four keys.
pick() {
  local i count
  count=$(dl_list_value 562 count)
  for i in $(seq 0 $((count - 1))); do
    [ "$i" = 0 ] || dl_open_list 140 136 562
    dl_choose 562 "$i"
    [ "$(dl_field 560)" = "$1" ] && return 0
  done
  dl_fail "$1 not in the skins list"
}
dl_open skins --color 226,232,240
dl_open_list 140 136 562
pick Light
dl_click 200 263
dl_until "an answer" dl_answered
grep -q "^IDOK name=Light folder=.*/Skins/Light color=32,36,44$" "$OUT" || dl_fail "after OK: $(cat "$OUT")"
[ "$(dl_ini_value Path)" = Light ] && [ "$(dl_ini_value RColor)" = 32 ] && [ "$(dl_ini_value GColor)" = 36 ] &&
  [ "$(dl_ini_value BColor)" = 44 ] || dl_fail "str.ini after OK: $(iconv -f UTF-16 -t UTF-8 "$DIR/str.ini")"
dl_log "ok: Light and its colour"

# Only the colour, through QColorDialog: one of its basic colours.
chooser_open() { grep -q '^window .* title=Select Color$' "$STATE"; }
chooser_gone() { ! chooser_open; }
dl_open skins --skin Light --color 32,36,44
dl_click 90 101
dl_until "the colour chooser" chooser_open
read -r cx cy < <(grep -m1 '^window .* title=Select Color$' "$STATE" | awk '{print $2, $3}')
read -r wl wt wr wb < <(awk '/title=Select Color$/{f=1;next} /^window/{f=0} f && $3 ~ /QWellArray/' "$STATE" |
  head -n1 | awk '{print $5, $6, $7, $8}')
[ -n "${wl:-}" ] || dl_fail "no basic colours in the chooser: $(cat "$STATE")"
xdotool mousemove $((cx + wl + (wr - wl) * 9 / 16)) $((cy + wt + (wb - wt) * 7 / 12)) click 1
xdotool key Return
dl_until "the colour chooser to close" chooser_gone
swatch="$(dl_pixel 96 102)"
[ "$swatch" != "#20242C" ] || dl_fail "the swatch kept Light's colour"
dl_click 200 263
dl_until "an answer" dl_answered
got="$(cat "$OUT")"
grep -q '^IDOK name=Light .* color=' <<<"$got" || dl_fail "colour only: $got"
[ "${got##* color=}" != "32,36,44" ] || dl_fail "colour unchanged: $got"
[ "$(dl_ini_value Path)" = Light ] || dl_fail "skin name changed with the colour"
dl_log "ok: colour only: $got"
