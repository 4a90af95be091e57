# The steps of tests/flows/dialogs.flow on Linux: each dialog opened by a
# px_dialog_runner_qt of its own (tests/linux/dialogs_lib.sh), every check a
# wait on the state file the runner rewrites or on a pixel. Sourced by
# tests/linux/dialogs_e2e.sh with the display started.
source "$SOURCE_DIR/tests/flows/flow.sh"

SKINS_LIGHT="$DIR/Skins/Light"
FLOW_INI="$DIR/str.ini"
RUNS=1 ANSWERS=0  # openings the runner makes, answers read from it

step_open() {
  local word previous=""
  dl_open "$@"
  RUNS=1 ANSWERS=0
  for word; do
    [ "$previous" != --runs ] || RUNS=$word
    previous=$word
  done
  flow_looks_reset
}
# The runner's next opening (of --runs).
second_open() { dl_dialog_open && grep -q '^child ' "$STATE"; }
step_reopened() {
  rm -f "$STATE"
  dl_until "the next opening" second_open
}
step_end() { dl_click "$@"; }
step_click() { dl_click "$@"; }
step_key() { xdotool key "$@"; }
step_end_key() { xdotool key "$1"; }
step_type() { xdotool type "$1"; }
step_rest() { dl_move "$1" "$2"; dl_move $(($1 + 1)) $(($2 + 1)); }
step_point() { dl_move "$@"; }
step_wheel() { for _ in $(seq "$1"); do xdotool click 5; done; }
# The answer of this opening: the runner's next line; once it has answered
# all its openings, it ends.
answered_line() { [ "$(grep -c '' "$OUT" 2>/dev/null)" -gt "$ANSWERS" ]; }
step_answer() {
  local got
  dl_until "an answer from the dialog" answered_line
  ANSWERS=$((ANSWERS + 1))
  if [ "$ANSWERS" = "$RUNS" ]; then
    wait "$DL_RUNNER_PID" 2>/dev/null || true
    DL_RUNNER_PID=""
  fi
  # The runner names the skins folder with a doubled slash: the same folder.
  got="$(sed -n "${ANSWERS}p" "$OUT" | sed 's#//*#/#g')"
  [ "$got" = "$1" ] || dl_fail "expected '$1', got '$got'"
  dl_log "ok: $1"
}

step_list() { dl_open_list "$@"; }
step_choose() { dl_choose "$@"; }
# The pointer rests on entry INDEX of the open list.
step_hover() {
  local x y
  read -r x y < <(flow_entry_point "$(dl_child "$1")" "$2")
  dl_move "$x" $((y - 1))
  dl_move $((x + 1)) "$y"
}
step_has() { dl_until "control $1 to show" dl_has_child "$1"; }
step_gone() { dl_until "control $1 to go" dl_no_child "$1"; }
step_field() { dl_until "control $1 to show '$2'" dl_field_is "$1" "$2"; }
step_value() { dl_until "list $1's $2 to be $3" dl_list_is "$@"; }

looks_are() { flow_looks_match "$(dl_pixel 170 256) $(dl_pixel 274 256) $(dl_pixel 355 9)" "$@"; }
step_looks() {
  local what=$1
  shift
  dl_until "$what: OK, Cancel, close to look $*" looks_are "$@"
}

# The keyboard's keys by their key table names, whatever the layout; a key
# the table lacks shows Qt's name. None closes the dialog.
step_single_keys() {
  local pair
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
  step_answer "IDOK key=Esc"
}

failure_box() { grep -q '^window .* title=HotKey Dialog Load background image failed!!!$' "$STATE"; }
step_missing() {
  rm -f "$STATE" "$OUT"
  ( cd "$DIR" && exec timeout 120 ./px_dialog_runner_qt "$1" --skin Missing --state "$STATE" >"$OUT" 2>/dev/null ) &
  DL_RUNNER_PID=$! RUNS=1 ANSWERS=0
  dl_until "the failure box" failure_box
  grep -A1 'title=HotKey Dialog' "$STATE" | grep -q 'text=error$' || dl_fail "box text: $(cat "$STATE")"
}

flow_fail() { dl_fail "$@"; }
# Picks NAME in the chooser's list: the entry after which the chooser names it.
step_pick_skin() {
  local i
  for i in 0 1 2 3 4 5; do
    dl_open_list 140 136 562
    [ "$i" -lt "$(dl_list_value 562 count)" ] || break
    dl_choose 562 "$i"
    [ "$(dl_field 560)" = "$1" ] && return 0
  done
  dl_fail "$1 not in the skins list"
}

# QColorDialog: one of its basic colours, then its OK (Enter).
chooser_open() { grep -q '^window .* title=Select Color$' "$STATE"; }
chooser_gone() { ! chooser_open; }
step_colour() {
  local cx cy wl wt wr wb
  dl_until "the colour chooser" chooser_open
  read -r cx cy < <(grep -m1 '^window .* title=Select Color$' "$STATE" | awk '{print $2, $3}')
  read -r wl wt wr wb < <(awk '/title=Select Color$/{f=1;next} /^window/{f=0} f && $3 ~ /QWellArray/' "$STATE" |
    head -n1 | awk '{print $5, $6, $7, $8}')
  [ -n "${wl:-}" ] || dl_fail "no basic colours in the chooser: $(cat "$STATE")"
  xdotool mousemove $((cx + wl + (wr - wl) * 9 / 16)) $((cy + wt + (wb - wt) * 7 / 12)) click 1
  xdotool key Return
  dl_until "the colour chooser to close" chooser_gone
  [ "$(dl_pixel 96 102)" != "#20242C" ] || dl_fail "the swatch kept Light's colour"
}
step_answer_colour() {
  local got
  dl_until "an answer" dl_answered
  got="$(cat "$OUT")"
  flow_colour_answer_is "$got" "$1" || dl_fail "colour only: $got, expected $1"
  dl_log "ok: colour only: $got"
}
