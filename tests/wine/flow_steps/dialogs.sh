# The steps of tests/flows/dialogs.flow on Windows: one px_dialog_runner.exe
# for the whole flow (tests/e2e/dialog_runner.sh), each click or key followed
# by the runner's settle, so that the state read next shows what it did.
# Sourced by tests/wine/e2e_dialogs.sh with the runner started.
source "$SOURCE_DIR/tests/flows/flow.sh"

SKINS_LIGHT="$(e2e_winpath "$RUNNER_DIR/Skins")\\Light"

step_open() { open_dialog "$@"; flow_looks_reset; }
step_end() { click_to_end "$@"; }
step_click() { click "$@"; }
step_key() { keys "$@"; }
step_end_key() { xdotool key "$1"; }
step_type() { type_text "$1"; }
step_rest() { rest_on "$@"; runner_settle; }
step_point() { point "$@"; }
step_wheel() { xdotool click --repeat "$1" --delay 20 5; runner_settle; }
step_answer() { expect_answer "$1"; }

step_list() {
  click "$1" "$2"
  [ -n "$(state_child "$3")" ] || e2e_fail "list $3 did not open at $1,$2"
}
step_choose() { choose "$@"; }
# The pointer rests on entry INDEX of the open list.
step_hover() {
  local x y
  read -r x y < <(flow_entry_point "$(state_child "$1")" "$2")
  rest_on "$x" "$y"
  runner_settle
}
step_has() { [ -n "$(state_child "$1")" ] || e2e_fail "control $1 does not show: $(runner_state)"; }
step_gone() { [ -z "$(state_child "$1")" ] || e2e_fail "control $1 shows: $(state_child "$1")"; }
step_field() { [ "$(field "$1")" = "$2" ] || e2e_fail "control $1 shows '$(field "$1")', not '$2'"; }
step_value() { [ "$(list_value "$1" "$2")" = "$3" ] || e2e_fail "list $1: $2 is not $3: $(state_child "$1")"; }

# OK, Cancel and close look as expected, and still do once the runner has
# handled everything.
LOOKS=""
looks_are() { LOOKS="$(colours_at 170,256 274,256 355,9)"; flow_looks_match "$LOOKS" "$@"; }
step_looks() {
  local what=$1
  shift
  [ -n "$FLOW_LOOK_NORMAL" ] || { runner_settle; dialog_drawn; }
  e2e_until 30 looks_are "$@" && runner_settle && looks_are "$@" ||
    e2e_fail "$what: OK, Cancel, close are $LOOKS, expected $*"
}

# Wine names keys by X11's names: Enter and Escape are captured under names
# of their own, and the dialog stays open.
step_single_keys() {
  local return_name escape_name
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
}

step_missing() {
  runner_send "$1" --skin Missing
  e2e_until 60 state_has '^window .* title=HotKey Dialog Load background image failed!!!$' ||
    e2e_fail "no failure box: $(runner_state)"
  runner_state | grep -A3 'title=HotKey Dialog' | grep -q 'text=error' || e2e_fail "box text: $(runner_state)"
}

# Texts drawn on the picture look the same however often it is redrawn: the
# list opening and closing over the notes must not thicken them.
notes() { import -window root -crop "410x42+$((DX + 23))+$((DY + 198))" +repage "$RUNNER_DIR/$1.png"; }
notes_steady() { notes notes-a && notes notes-b && cmp -s "$RUNNER_DIR/notes-a.png" "$RUNNER_DIR/notes-b.png"; }
notes_as_before() {
  notes notes-after
  changed="$(compare -metric AE "$RUNNER_DIR/notes-before.png" "$RUNNER_DIR/notes-after.png" null: 2>&1 || true)"
  [ "$changed" = 0 ]
}
step_notes() {
  local x
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
}

FLOW_INI="$RUNNER_DIR/str.ini"
flow_fail() { e2e_fail "$@"; }
# Picks NAME in the chooser's list: the entry after which the chooser names it.
step_pick_skin() {
  local i
  for i in 0 1 2 3 4 5; do
    click 140 136
    [ "$i" -lt "$(list_value 562 count)" ] || break
    choose 562 "$i"
    [ "$(field 560)" = "$1" ] && return 0
  done
  e2e_fail "$1 not in the skins list"
}

# The system's colour chooser: its first basic colour, 255,128,128. The
# system's dialogs show once their loop first finds nothing to do, which may
# come after the runner has answered: the script waits until it shows.
chooser_line() { runner_state | grep -m1 '^window .* title=Color$' || true; }
chooser_shows() { [ -n "$(chooser_line)" ]; }
# Its OK is the default button; Wine's chooser may take a moment to listen.
chooser_gone() { [ -z "$(chooser_line)" ] || { keys Return; [ -z "$(chooser_line)" ]; }; }
step_colour() {
  local cx cy bl bt
  e2e_until 60 chooser_shows || e2e_fail "no colour chooser: $(runner_state)"
  runner_settle
  read -r cx cy < <(chooser_line | awk '{print $2, $3}')
  read -r bl bt < <(runner_state | awk '/title=Color$/{f=1;next} /^window/{f=0} f && $2==720 {print $5, $6}')
  xdotool mousemove $((cx + bl + 8)) $((cy + bt + 6)) click 1
  runner_settle
  e2e_shot dialogs-colour-chooser >/dev/null
  e2e_until 60 chooser_gone || e2e_fail "colour chooser still open"
  e2e_shot dialogs-colour-swatch >/dev/null
}
step_answer_colour() {
  local got
  got="$(answer)"
  flow_colour_answer_is "$got" "$1" || e2e_fail "colour only: $got, expected $1"
  e2e_log "ok: colour only: $got"
}
