#!/usr/bin/env bash
# The seven small dialogs, opened one after the other by one px_dialog_runner
# and driven with the pointer and the keyboard: lists, fields, results on OK
# and nothing otherwise, the shared OK / Cancel column, the wheel, the single
# key capture, a missing background, and the skin chooser writing str.ini.
# What a kind keeps between openings carries over, as in the utility.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
source "$SOURCE_DIR/tests/e2e/dialog_runner.sh"
e2e_start_display
e2e_start_wine
e2e_no_window_manager
runner_start

# --- OK at the defaults, Cancel, close, the shared column, the keys ---------
open_dialog fire
click_to_end 200 263
expect_answer "IDOK index=0 text=L-Button times=1 make=32 break=32"
open_dialog hot
click_to_end 320 263
expect_answer "IDCANCEL"
open_dialog media
click_to_end 360 14
expect_answer "IDCANCEL"
open_dialog windows
click_to_end 270 263
expect_answer "IDCANCEL"
open_dialog hot --lang CHS
xdotool key Return
expect_answer "IDOK index=0 text=复制"
open_dialog snipe --variant 0
xdotool key Escape
expect_answer "IDCANCEL"

# --- pointer-over looks: OK, then Cancel, then close, then away ----------------
# The colours at OK, Cancel and close; each expected one is a colour, "!colour"
# for any other, or "-" for any.
LOOKS=""
looks_are() {
  local seen expected i
  LOOKS="$(colours_at 170,256 274,256 355,9)"
  read -r -a seen <<<"$LOOKS"
  expected=("$@")
  for i in 0 1 2; do
    case ${expected[$i]} in
      -) ;;
      !*) [ "${seen[$i]}" != "${expected[$i]#!}" ] || return 1 ;;
      *) [ "${seen[$i]}" = "${expected[$i]}" ] || return 1 ;;
    esac
  done
}
# Waits until OK, Cancel and close look as expected, and still do once the
# runner has handled everything.
expect_looks() {
  local what=$1
  shift
  e2e_until 30 looks_are "$@" && runner_settle && looks_are "$@" ||
    e2e_fail "$what: OK, Cancel, close are $LOOKS, expected $*"
}
open_dialog hot
rest_on 300 100                                  # away from where the last test left it
runner_settle
dialog_drawn
looks_are - - - && read -r ok_normal _ close_normal <<<"$LOOKS"
expect_looks "at opening" "$ok_normal" "$ok_normal" "$close_normal"
rest_on 200 262
expect_looks "resting on OK" "!$ok_normal" "$ok_normal" "$close_normal"
button_over=${LOOKS%% *}
rest_on 320 262                                  # Cancel takes the look, OK gives it back
expect_looks "resting on Cancel" "$ok_normal" "$button_over" "$close_normal"
rest_on 358 12                                   # close: Cancel keeps its look until all three are left
expect_looks "resting on close" "$ok_normal" "$button_over" "!$close_normal"
rest_on 300 100
expect_looks "pointer away" "$ok_normal" "$ok_normal" "$close_normal"
click_to_end 320 263
expect_answer "IDCANCEL"

# --- choosing in each list -------------------------------------------------
open_dialog hot
click 140 136
[ "$(list_value 566 count)" = 8 ] || e2e_fail "hot key list: $(state_child 566)"
choose 566 7
[ "$(field 565)" = "Undo" ] || e2e_fail "label after the choice: $(field 565)"
[ -z "$(state_child 566)" ] || e2e_fail "list still open after a choice"
click_to_end 200 263
expect_answer "IDOK index=7 text=Undo"

open_dialog media --lang CHS
click 140 136
choose 553 6
click_to_end 200 263
expect_answer "IDOK index=6 text=音量-"

open_dialog windows --lang CHT
click 140 136
[ "$(list_value 533 count)" = 9 ] || e2e_fail "Windows list: $(state_child 533)"
choose 533 8
click_to_end 200 263
expect_answer "IDOK index=8 text=瀏覽器-刷新"

open_dialog snipe --variant 1
click 140 113
[ "$(list_value 564 count)" = 8 ] || e2e_fail "snipe list, variant 1: $(state_child 564)"
choose 564 7
click_to_end 200 263
expect_answer "IDOK index=7 text=3200"

# Variant 0: twelve values, three lines per wheel notification; a choice and
# then Cancel answers nothing.
open_dialog snipe --variant 0
click 140 113
[ "$(list_value 564 count)" = 12 ] || e2e_fail "snipe list, variant 0: $(state_child 564)"
point 300 150
xdotool click 5
runner_settle
[ "$(list_value 564 top)" = 3 ] || e2e_fail "one wheel notification: $(state_child 564)"
choose 564 11
[ "$(field 563)" = "4000" ] || e2e_fail "snipe label: $(field 563)"
click_to_end 320 263
expect_answer "IDCANCEL"

# Pointing at an entry selects it without choosing; a click outside closes.
open_dialog media
click 140 136
read -r left listtop < <(state_child 553 | awk '{print $5, $6}')
itemh=$(list_value 553 itemh)
rest_on $((left + 20)) $((listtop + 2 + 2 * itemh + itemh / 2))
runner_settle
[ "$(list_value 553 sel)" = 2 ] || e2e_fail "pointer over entry 2: $(state_child 553)"
[ "$(field 552)" = "Next" ] || e2e_fail "pointing chose: $(field 552)"
click 300 60
[ -z "$(state_child 553)" ] || e2e_fail "list open after an outside click"
click_to_end 200 263
expect_answer "IDOK index=0 text=Next"

# --- fire key fields ---------------------------------------------------------
open_dialog fire
click 120 111
keys End BackSpace
type_text 128
[ "$(field 575)" = "1" ] || e2e_fail "times 128 kept: $(field 575)"
keys End BackSpace
type_text 0
click 120 145
keys End BackSpace BackSpace
type_text 4
click 120 179                                   # make time loses the focus
[ "$(field 576)" = "5" ] || e2e_fail "make time 4 kept: $(field 576)"
keys End BackSpace BackSpace
type_text 255
dialog_where
click 150 77                                    # the list opens over the fields
[ -z "$(state_child 575)" ] || e2e_fail "fields under the open list: $(runner_state | grep Edit)"
point 300 150
xdotool click --repeat 17 --delay 20 5
runner_settle
choose 573 51
[ "$(field 572)" = "F5" ] || e2e_fail "fire key label: $(field 572)"
[ "$(field 575)" = "0" ] && [ "$(field 576)" = "5" ] && [ "$(field 577)" = "255" ] ||
  e2e_fail "fields back with their texts: $(runner_state | grep Edit | tr '\n' '|')"
click_to_end 200 263
expect_answer "IDOK index=51 text=F5 times=0 make=5 break=255"

# A time typed and confirmed at once counts as shown.
open_dialog fire
click 120 179
keys End BackSpace BackSpace
type_text 300
xdotool key Return
expect_answer "IDOK index=0 text=L-Button times=1 make=32 break=5"

# Texts drawn on the picture look the same however often it is redrawn: the
# list opening and closing over the notes must not thicken them.
notes() { import -window root -crop "410x42+$((DX + 23))+$((DY + 198))" +repage "$RUNNER_DIR/$1.png"; }
notes_steady() { notes notes-a && notes notes-b && cmp -s "$RUNNER_DIR/notes-a.png" "$RUNNER_DIR/notes-b.png"; }
notes_as_before() {
  notes notes-after
  changed="$(compare -metric AE "$RUNNER_DIR/notes-before.png" "$RUNNER_DIR/notes-after.png" null: 2>&1 || true)"
  [ "$changed" = 0 ]
}
open_dialog fire --lang CHS
rest_on 300 100
runner_settle
e2e_until 30 notes_steady || e2e_fail "the notes are not drawn steadily"
mv "$RUNNER_DIR/notes-a.png" "$RUNNER_DIR/notes-before.png"
# Clicks at the same place in quick succession would make double clicks.
for x in 150 156 150 156 150 156 150 156; do
  click "$x" 77
done
[ -z "$(state_child 573)" ] || e2e_fail "the list is open after opening and closing four times"
rest_on 300 100
runner_settle
e2e_until 30 notes_as_before || e2e_fail "the notes changed after the list opened and closed four times: $changed pixels"
click_to_end 320 263
expect_answer "IDCANCEL"

# --- single key ------------------------------------------------------------
open_dialog single
keys a
[ "$(field 502)" = "A" ] || e2e_fail "captured name of A: '$(field 502)'"
keys Return
return_name="$(field 502)"
[ -n "$return_name" ] && [ "$return_name" != "A" ] || e2e_fail "Enter not captured: '$return_name'"
keys Escape
escape_name="$(field 502)"
[ -n "$(dialog_line)" ] || e2e_fail "Enter or Escape closed the single key dialog"
[ "$escape_name" != "$return_name" ] || e2e_fail "Escape not captured: '$escape_name'"
click_to_end 200 263
expect_answer "IDOK key=$escape_name"
e2e_log "key names: Enter '$return_name', Escape '$escape_name'"
open_dialog single
click_to_end 200 263
expect_answer "IDOK key="

# --- a missing background -----------------------------------------------------
runner_send hot --skin Missing
e2e_until 60 state_has '^window .* title=HotKey Dialog Load background image failed!!!$' ||
  e2e_fail "no failure box: $(runner_state)"
runner_state | grep -A3 'title=HotKey Dialog' | grep -q 'text=error' || e2e_fail "box text: $(runner_state)"
xdotool key Return
expect_answer "IDCANCEL"

# --- the open list flag ------------------------------------------------------
# A dialog ended by a key while its list is open keeps that for its kind's
# next opening: there the first click on the drop-down only clears it. (Last
# of the hot key openings: it leaves the flag set.)
open_dialog hot
click 140 136
[ -n "$(state_child 566)" ] || e2e_fail "the list did not open"
xdotool key Return
expect_answer "IDOK index=0 text=Copy"
open_dialog hot
click 140 136
[ -z "$(state_child 566)" ] || e2e_fail "the first click opened the list: $(state_child 566)"
click 146 136
[ -n "$(state_child 566)" ] || e2e_fail "the second click did not open the list"
xdotool key Escape
expect_answer "IDCANCEL"
e2e_log "ok: the open list flag outlives an opening"

# --- skin chooser ------------------------------------------------------------
ini_value() { iconv -f UTF-16 -t UTF-8 "$RUNNER_DIR/str.ini" | tr -d '\r' | grep "^$1=" | cut -d= -f2; }
e2e_ini_set "$RUNNER_DIR/str.ini" Path Default
e2e_ini_set "$RUNNER_DIR/str.ini" RColor 1
before="$(md5sum <"$RUNNER_DIR/str.ini")"

# Cancel after a pick leaves everything as it was.
open_dialog skins --color 226,232,240
click 140 136
choose 562 0
click_to_end 320 263
expect_answer "IDCANCEL"
[ "$(md5sum <"$RUNNER_DIR/str.ini")" = "$before" ] || e2e_fail "str.ini changed after Cancel"

# Picking Light proposes its own colour; OK writes the four keys.
open_dialog skins --color 226,232,240
click 140 136
index=-1
for i in 0 1 2; do
  choose 562 "$i"
  if [ "$(field 560)" = "Light" ]; then index=$i; break; fi
  click 140 136
done
[ "$index" -ge 0 ] || e2e_fail "Light not in the skins list"
click_to_end 200 263
expect_answer "IDOK name=Light folder=$(winepath -w "$RUNNER_DIR/Skins" 2>/dev/null | tr -d '\r')\\Light color=32,36,44"
[ "$(ini_value Path)" = Light ] && [ "$(ini_value RColor)" = 32 ] && [ "$(ini_value GColor)" = 36 ] &&
  [ "$(ini_value BColor)" = 44 ] || e2e_fail "str.ini after OK: $(iconv -f UTF-16 -t UTF-8 "$RUNNER_DIR/str.ini")"

# Only the colour, through the system's colour chooser: its first basic
# colour, 255,128,128.
open_dialog skins --skin Light --color 32,36,44
# The system's dialogs show once their loop first finds nothing to do, which
# may come after the runner has answered: the script waits until it shows.
click 90 101
chooser_line() { runner_state | grep -m1 '^window .* title=Color$' || true; }
chooser_shows() { [ -n "$(chooser_line)" ]; }
e2e_until 60 chooser_shows || e2e_fail "no colour chooser: $(runner_state)"
runner_settle
read -r CX CY < <(chooser_line | awk '{print $2, $3}')
read -r bl bt < <(runner_state | awk '/title=Color$/{f=1;next} /^window/{f=0} f && $2==720 {print $5, $6}')
xdotool mousemove $((CX + bl + 8)) $((CY + bt + 6)) click 1
runner_settle
e2e_shot dialogs-colour-chooser >/dev/null
# Its OK is the default button; Wine's chooser may take a moment to listen.
chooser_gone() { [ -z "$(chooser_line)" ] || { keys Return; [ -z "$(chooser_line)" ]; }; }
e2e_until 60 chooser_gone || e2e_fail "colour chooser still open"
e2e_shot dialogs-colour-swatch >/dev/null
click_to_end 200 263
got="$(answer)"
grep -q '^IDOK name=Light .* color=' <<<"$got" || e2e_fail "colour only: $got"
[ "${got##* color=}" = "255,128,128" ] || e2e_fail "colour not the one picked: $got"
[ "$(ini_value Path)" = Light ] || e2e_fail "skin name changed with the colour"
e2e_log "ok: colour only: $got"

runner_stop
e2e_log "pass"
