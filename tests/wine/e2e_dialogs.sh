#!/usr/bin/env bash
# The seven small dialogs, each opened over a window of its own by
# px_dialog_runner and driven with the pointer and the keyboard: lists,
# fields, results on OK and nothing otherwise, the shared OK / Cancel column,
# the wheel, the single key capture, a missing background, and the skin
# chooser writing str.ini.
BUILD_DIR=$1 SOURCE_DIR=$2
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine

DIR="$E2E_ROOT/runner"
mkdir -p "$DIR"
cp "$BUILD_DIR/px_dialog_runner.exe" "$DIR/"
cp -r "$BUILD_DIR/dist/Skins" "$DIR/"
cp "$BUILD_DIR/dist/str.ini" "$DIR/"
STATE="$DIR/state.txt"
OUT="$DIR/out.txt"
OX=0 OY=0
RUNNER_PID=""

# Opens a dialog; waits until it shows (a window without title).
open_dialog() {
  rm -f "$STATE" "$OUT"
  ( cd "$DIR" && timeout 120 wine ./px_dialog_runner.exe "$@" --state "$(winepath -w "$STATE" 2>/dev/null)" >"$OUT" 2>/dev/null ) &
  RUNNER_PID=$!
  E2E_APP_PIDS+=("$RUNNER_PID")
  for _ in $(seq 300); do
    if [ -f "$STATE" ] && grep -q '^window .* title=$' "$STATE"; then
      read -r OX OY < <(grep '^window .* title=$' "$STATE" | head -n1 | awk '{print $2, $3}')
      sleep 0.3
      return 0
    fi
    sleep 0.1
  done
  e2e_fail "dialog $* did not open"
}

# Client coordinates of the dialog.
click() { xdotool mousemove $((OX + $1)) $((OY + $2)); sleep 0.15; xdotool click 1; sleep 0.4; }
wheel_down() { xdotool click 5; sleep 0.3; }
state_child() { sleep 0.3; grep "^child $1 " "$STATE" | head -n1; }
field() { state_child "$1" | sed 's/.* text=//'; }
list_value() { state_child "$1" | grep -o "$2=[-0-9]*" | cut -d= -f2; }

# The answer the runner printed once the dialog ended.
result() {
  for _ in $(seq 150); do
    if [ -s "$OUT" ]; then tr -d '\r' <"$OUT"; return 0; fi
    sleep 0.1
  done
  e2e_fail "no answer from the dialog"
}
expect_result() {
  local got
  got="$(result)"
  wait "$RUNNER_PID" 2>/dev/null || true
  [ "$got" = "$1" ] || e2e_fail "expected '$1', got '$got'"
  e2e_log "ok: $1"
}

# Picks the entry INDEX of the open list LIST_ID, scrolled into view by the wheel.
choose() {
  local list=$1 index=$2 top itemh left listtop
  read -r left listtop < <(state_child "$list" | awk '{print $5, $6}')
  itemh=$(list_value "$list" itemh)
  top=$(list_value "$list" top)
  click $((left + 20)) $((listtop + 2 + (index - top) * itemh + itemh / 2))
}

# --- OK at the defaults, Cancel, close, the shared column, the keys ---------
open_dialog fire
click 200 263
expect_result "IDOK index=0 text=L-Button times=1 make=32 break=32"
open_dialog hot
click 320 263
expect_result "IDCANCEL"
open_dialog media
click 360 14
expect_result "IDCANCEL"
open_dialog windows
click 270 263
expect_result "IDCANCEL"
open_dialog hot --lang CHS
xdotool key Return
expect_result "IDOK index=0 text=复制"
open_dialog snipe --variant 0
xdotool key Escape
expect_result "IDCANCEL"

# --- pointer-over looks: OK, then Cancel, then close, then away ----------------
pixel() { import -window root -crop "1x1+$((OX + $1))+$((OY + $2))" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -n1; }
rest_on() { xdotool mousemove $((OX + $1)) $((OY + $2)); sleep 0.1; xdotool mousemove $((OX + $1 + 1)) $((OY + $2 + 1)); sleep 0.5; }
looks() { echo "OK $(pixel 170 256) Cancel $(pixel 274 256) close $(pixel 355 9)"; }
open_dialog hot
xdotool mousemove $((OX + 300)) $((OY + 100)); sleep 0.5   # away from where the last test left it
ok_normal="$(pixel 170 256)" close_normal="$(pixel 355 9)"
[ "$(pixel 274 256)" = "$ok_normal" ] || e2e_fail "OK and Cancel differ at opening: $(looks)"
rest_on 200 262
button_over="$(pixel 170 256)"
[ "$button_over" != "$ok_normal" ] && [ "$(pixel 274 256)" = "$ok_normal" ] || e2e_fail "resting on OK: $(looks)"
rest_on 320 262                                  # Cancel takes the look, OK gives it back
[ "$(pixel 170 256)" = "$ok_normal" ] && [ "$(pixel 274 256)" = "$button_over" ] || e2e_fail "resting on Cancel: $(looks)"
rest_on 358 12                                   # close: Cancel keeps its look until all three are left
[ "$(pixel 355 9)" != "$close_normal" ] && [ "$(pixel 274 256)" = "$button_over" ] || e2e_fail "resting on close: $(looks)"
xdotool mousemove $((OX + 300)) $((OY + 100)); sleep 0.5
[ "$(pixel 355 9)" = "$close_normal" ] && [ "$(pixel 274 256)" = "$ok_normal" ] || e2e_fail "pointer away: $(looks)"
click 320 263
expect_result "IDCANCEL"

# --- choosing in each list -------------------------------------------------
open_dialog hot
click 140 136
[ "$(list_value 566 count)" = 8 ] || e2e_fail "hot key list: $(state_child 566)"
choose 566 7
[ "$(field 565)" = "Undo" ] || e2e_fail "label after the choice: $(field 565)"
[ -z "$(state_child 566)" ] || e2e_fail "list still open after a choice"
click 200 263
expect_result "IDOK index=7 text=Undo"

open_dialog media --lang CHS
click 140 136
choose 553 6
click 200 263
expect_result "IDOK index=6 text=音量-"

open_dialog windows --lang CHT
click 140 136
[ "$(list_value 533 count)" = 9 ] || e2e_fail "Windows list: $(state_child 533)"
choose 533 8
click 200 263
expect_result "IDOK index=8 text=瀏覽器-刷新"

open_dialog snipe --variant 1
click 140 113
[ "$(list_value 564 count)" = 8 ] || e2e_fail "snipe list, variant 1: $(state_child 564)"
choose 564 7
click 200 263
expect_result "IDOK index=7 text=3200"

# Variant 0: twelve values, three lines per wheel notification; a choice and
# then Cancel answers nothing.
open_dialog snipe --variant 0
click 140 113
[ "$(list_value 564 count)" = 12 ] || e2e_fail "snipe list, variant 0: $(state_child 564)"
xdotool mousemove $((OX + 300)) $((OY + 150)); sleep 0.2
wheel_down
[ "$(list_value 564 top)" = 3 ] || e2e_fail "one wheel notification: $(state_child 564)"
choose 564 11
[ "$(field 563)" = "4000" ] || e2e_fail "snipe label: $(field 563)"
click 320 263
expect_result "IDCANCEL"

# Pointing at an entry selects it without choosing; a click outside closes.
open_dialog media
click 140 136
read -r left listtop < <(state_child 553 | awk '{print $5, $6}')
itemh=$(list_value 553 itemh)
xdotool mousemove $((OX + left + 20)) $((OY + listtop + 2 + 2 * itemh + itemh / 2)); sleep 0.2
xdotool mousemove $((OX + left + 21)) $((OY + listtop + 3 + 2 * itemh + itemh / 2))
[ "$(list_value 553 sel)" = 2 ] || e2e_fail "pointer over entry 2: $(state_child 553)"
[ "$(field 552)" = "Next" ] || e2e_fail "pointing chose: $(field 552)"
click 300 60
[ -z "$(state_child 553)" ] || e2e_fail "list open after an outside click"
click 200 263
expect_result "IDOK index=0 text=Next"

# A dialog ended by a key while its list is open keeps that for its kind's
# next opening: there the first click on the drop-down only clears it.
open_dialog hot --runs 2
click 140 136
xdotool key Return
for _ in $(seq 50); do [ -s "$OUT" ] && break; sleep 0.1; done
[ "$(head -n1 "$OUT" | tr -d '\r')" = "IDOK index=0 text=Copy" ] || e2e_fail "first run: $(cat "$OUT")"
sleep 1
click 140 136
[ -z "$(state_child 566)" ] || e2e_fail "the first click opened the list: $(state_child 566)"
click 140 136
[ -n "$(state_child 566)" ] || e2e_fail "the second click did not open the list"
xdotool key Escape
for _ in $(seq 50); do [ "$(grep -c . "$OUT")" = 2 ] && break; sleep 0.1; done
[ "$(sed -n 2p "$OUT" | tr -d '\r')" = "IDCANCEL" ] || e2e_fail "second run: $(cat "$OUT")"
wait "$RUNNER_PID" 2>/dev/null || true
e2e_log "ok: the open list flag outlives an opening"

# --- fire key fields ---------------------------------------------------------
open_dialog fire
click 120 111
xdotool key End BackSpace; xdotool type 128
[ "$(field 575)" = "1" ] || e2e_fail "times 128 kept: $(field 575)"
xdotool key End BackSpace; xdotool type 0
click 120 145
xdotool key End BackSpace BackSpace; xdotool type 4
click 120 179                                   # make time loses the focus
[ "$(field 576)" = "5" ] || e2e_fail "make time 4 kept: $(field 576)"
xdotool key End BackSpace BackSpace; xdotool type 255
click 150 77                                    # the list opens over the fields
[ -z "$(state_child 575)" ] || e2e_fail "fields under the open list: $(grep Edit "$STATE")"
xdotool mousemove $((OX + 300)) $((OY + 150)); sleep 0.2
for _ in $(seq 17); do wheel_down; done
choose 573 51
[ "$(field 572)" = "F5" ] || e2e_fail "fire key label: $(field 572)"
[ "$(field 575)" = "0" ] && [ "$(field 576)" = "5" ] && [ "$(field 577)" = "255" ] ||
  e2e_fail "fields back with their texts: $(grep Edit "$STATE" | tr '\n' '|')"
click 200 263
expect_result "IDOK index=51 text=F5 times=0 make=5 break=255"

# A time typed and confirmed at once counts as shown.
open_dialog fire
click 120 179
xdotool key End BackSpace BackSpace; xdotool type 300
xdotool key Return
expect_result "IDOK index=0 text=L-Button times=1 make=32 break=5"

# Texts drawn on the picture look the same however often it is redrawn: the
# list opening and closing over the notes must not thicken them.
notes() { import -window root -crop "410x42+$((OX + 23))+$((OY + 198))" +repage "$DIR/$1.png"; }
open_dialog fire --lang CHS
xdotool mousemove $((OX + 300)) $((OY + 100)); sleep 0.4
notes notes-before
for _ in $(seq 8); do click 150 77; done
xdotool mousemove $((OX + 300)) $((OY + 100)); sleep 0.4
notes notes-after
changed="$(compare -metric AE "$DIR/notes-before.png" "$DIR/notes-after.png" null: 2>&1 || true)"
[ "$changed" = 0 ] || e2e_fail "the notes changed after the list opened and closed four times: $changed pixels"
click 320 263
expect_result "IDCANCEL"

# --- single key ------------------------------------------------------------
open_dialog single
xdotool key a
[ "$(field 502)" = "A" ] || e2e_fail "captured name of A: '$(field 502)'"
xdotool key Return
return_name="$(field 502)"
[ -n "$return_name" ] && [ "$return_name" != "A" ] || e2e_fail "Enter not captured: '$return_name'"
xdotool key Escape
escape_name="$(field 502)"
grep -q '^window .* title=$' "$STATE" || e2e_fail "Enter or Escape closed the single key dialog"
click 200 263
expect_result "IDOK key=$escape_name"
e2e_log "key names: Enter '$return_name', Escape '$escape_name'"
open_dialog single
click 200 263
expect_result "IDOK key="

# --- a missing background -----------------------------------------------------
open_dialog_box() {
  rm -f "$STATE" "$OUT"
  ( cd "$DIR" && timeout 120 wine ./px_dialog_runner.exe "$@" --state "$(winepath -w "$STATE" 2>/dev/null)" >"$OUT" 2>/dev/null ) &
  RUNNER_PID=$!
  E2E_APP_PIDS+=("$RUNNER_PID")
}
open_dialog_box hot --skin Missing
for _ in $(seq 300); do
  grep -q 'title=HotKey Dialog Load background image failed!!!' "$STATE" 2>/dev/null && break
  sleep 0.1
done
grep -q 'title=HotKey Dialog Load background image failed!!!' "$STATE" || e2e_fail "no failure box"
grep -A3 'title=HotKey Dialog' "$STATE" | grep -q 'text=error' || e2e_fail "box text: $(cat "$STATE")"
xdotool key Return
expect_result "IDCANCEL"

# --- skin chooser ------------------------------------------------------------
ini_value() { iconv -f UTF-16 -t UTF-8 "$DIR/str.ini" | tr -d '\r' | grep "^$1=" | cut -d= -f2; }
e2e_ini_set "$DIR/str.ini" Path Default
e2e_ini_set "$DIR/str.ini" RColor 1
before="$(md5sum <"$DIR/str.ini")"

# Cancel after a pick leaves everything as it was.
open_dialog skins --color 226,232,240
click 140 136
choose 562 0
click 320 263
expect_result "IDCANCEL"
[ "$(md5sum <"$DIR/str.ini")" = "$before" ] || e2e_fail "str.ini changed after Cancel"

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
click 200 263
expect_result "IDOK name=Light folder=$(winepath -w "$DIR/Skins" 2>/dev/null | tr -d '\r')\\Light color=32,36,44"
[ "$(ini_value Path)" = Light ] && [ "$(ini_value RColor)" = 32 ] && [ "$(ini_value GColor)" = 36 ] &&
  [ "$(ini_value BColor)" = 44 ] || e2e_fail "str.ini after OK: $(iconv -f UTF-16 -t UTF-8 "$DIR/str.ini")"

# Only the colour, through the system's colour chooser: its first basic colour.
open_dialog skins --skin Light --color 32,36,44
click 90 101
for _ in $(seq 100); do grep -q '^window .* title=Color' "$STATE" && break; sleep 0.1; done
grep -q '^window .* title=Color' "$STATE" || e2e_fail "no colour chooser: $(cat "$STATE")"
read -r CX CY < <(grep '^window .* title=Color' "$STATE" | awk '{print $2, $3}')
read -r bl bt < <(awk '/title=Color/{f=1;next} /^window/{f=0} f && $2==720 {print $5, $6}' "$STATE")
xdotool mousemove $((CX + bl + 8)) $((CY + bt + 6)); sleep 0.3; xdotool click 1; sleep 0.3
e2e_shot dialogs-colour-chooser >/dev/null
# Its OK is the default button; Wine's chooser may take a moment to listen.
for _ in 1 2 3; do
  grep -q '^window .* title=Color' "$STATE" || break
  xdotool key Return; sleep 0.8
done
grep -q '^window .* title=Color' "$STATE" && e2e_fail "colour chooser still open"
e2e_shot dialogs-colour-swatch >/dev/null
click 200 263
got="$(result)"
wait "$RUNNER_PID" 2>/dev/null || true
grep -q '^IDOK name=Light .* color=' <<<"$got" || e2e_fail "colour only: $got"
[ "${got##* color=}" != "32,36,44" ] || e2e_fail "colour unchanged: $got"
[ "$(ini_value Path)" = Light ] || e2e_fail "skin name changed with the colour"
e2e_log "ok: colour only: $got"
