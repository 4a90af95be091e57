# Shared by the dialog tests (tests/wine/e2e_dialog*.sh): one px_dialog_runner
# for the whole test, fed one opening a line, and the waits on what it reports.
# Source it after tests/e2e/lib.sh, with the display and the prefix started.
#
# The runner's state file (RUNNER_STATE) lists the dialog's windows and
# controls; `runner_settle` waits until the runner has handled every click and
# key sent so far, so that the listing read next shows what they did. Every
# wait is for a condition, bounded only to end a failing test clearly.

RUNNER_DIR="$E2E_ROOT/runner"
RUNNER_STATE="$RUNNER_DIR/state.txt"
RUNNER_OUT="$RUNNER_DIR/answers.txt"
RUNNER_OPENED=0  # openings asked for
RUNNER_PINGS=0
DX="" DY=""      # the open dialog's client origin on the screen
DW="" DH=""      # its outer size

# Starts the runner in a folder of its own with the shipped skins and str.ini.
runner_start() {
  mkdir -p "$RUNNER_DIR"
  cp "$BUILD_DIR/px_dialog_runner.exe" "$RUNNER_DIR/"
  cp -r "$BUILD_DIR/dist/Skins" "$RUNNER_DIR/"
  cp "$BUILD_DIR/dist/str.ini" "$RUNNER_DIR/"
  mkfifo "$RUNNER_DIR/openings"
  local state
  state="$(e2e_winpath "$RUNNER_STATE")"
  ( cd "$RUNNER_DIR" && wine ./px_dialog_runner.exe - --state "$state" <openings >"$RUNNER_OUT" 2>"$RUNNER_DIR/errors.txt"
    echo $? >"$RUNNER_DIR/exit" ) &
  E2E_APP_PIDS+=($!)
  exec 7>"$RUNNER_DIR/openings"
  e2e_until 120 grep -q '^idle 0$' "$RUNNER_STATE" 2>/dev/null || e2e_fail "the dialog runner did not start"
}

# A display without a window manager, a Wine prefix, and the runner in it.
runner_begin() {
  e2e_start_display
  e2e_start_wine --unmanaged
  runner_start
}

# Ends the runner's input; it must end with 0 once its last dialog has ended.
runner_stop() {
  exec 7>&-
  e2e_until 60 test -s "$RUNNER_DIR/exit" || e2e_fail "the dialog runner did not end"
  [ "$(cat "$RUNNER_DIR/exit")" = 0 ] || e2e_fail "the dialog runner ended with $(cat "$RUNNER_DIR/exit"): $(cat "$RUNNER_DIR/errors.txt")"
}

runner_state() { cat "$RUNNER_STATE" 2>/dev/null; }
state_has() { runner_state | grep -q -- "$1"; }

# The window lines of the state: the dialog is the one without a title.
dialog_line() { runner_state | grep -m1 '^window .* title=$' || true; }

# Asks for the next opening (KIND [options]) without waiting for it.
runner_send() {
  [ ! -s "$RUNNER_DIR/exit" ] || e2e_fail "the dialog runner has ended ($(cat "$RUNNER_DIR/exit")): $(cat "$RUNNER_DIR/errors.txt")"
  RUNNER_OPENED=$((RUNNER_OPENED + 1))
  echo "$*" >&7
}

# Opens a dialog and waits until it shows; sets DX DY DW DH.
open_dialog() {
  runner_send "$@"
  opened() {
    local state
    state="$(runner_state)"
    grep -q "^run $RUNNER_OPENED " <<<"$state" && grep -q '^window .* title=$' <<<"$state"
  }
  e2e_until 60 opened || e2e_fail "dialog $* did not open: $(runner_state)"
  read -r DX DY DW DH < <(dialog_line | awk '{print $2, $3, $6, $7}')
  e2e_log "opened $* at $DX,$DY"
}

# Where the dialog is now; says so when it moved since it was last read.
dialog_where() {
  local x y
  read -r x y < <(dialog_line | awk '{print $2, $3}')
  [ -n "$x" ] || e2e_fail "no dialog shows: $(runner_state)"
  if [ "$x $y" != "$DX $DY" ]; then e2e_log "the dialog moved from $DX,$DY to $x,$y"; fi
  DX=$x DY=$y
}

# Waits until the runner has handled everything sent to it so far. Between
# openings it reads its input and answers nothing: a dialog that ended too
# early fails here at once.
runner_settle() {
  RUNNER_PINGS=$((RUNNER_PINGS + 1))
  echo "$RUNNER_PINGS" >"$RUNNER_STATE.ping.tmp"
  mv "$RUNNER_STATE.ping.tmp" "$RUNNER_STATE.ping"
  answered_or_idle() { runner_state | grep -qx -e "pong $RUNNER_PINGS" -e 'idle .*'; }
  e2e_until 60 answered_or_idle || e2e_fail "the dialog runner does not answer: $(runner_state)"
  state_has '^idle ' && e2e_fail "the dialog ended: $(tail -n1 "$RUNNER_OUT")"
  return 0
}

# The answer to the last opening, once it has ended.
answered() { [ "$(grep -c '' "$RUNNER_OUT" 2>/dev/null)" -ge "$RUNNER_OPENED" ]; }
answer() {
  e2e_until 60 answered ||
    { e2e_shot "no-answer-$RUNNER_OPENED" >/dev/null; e2e_fail "no answer from opening $RUNNER_OPENED: $(runner_state)"; }
  sed -n "${RUNNER_OPENED}p" "$RUNNER_OUT" | tr -d '\r'
}
expect_answer() {
  local got
  got="$(answer)"
  [ "$got" = "$1" ] || e2e_fail "expected '$1', got '$got'"
  e2e_log "ok: $1"
}

# Pointer and keys at dialog client coordinates. A click or key that ends the
# dialog is followed by `answer`, every other by `runner_settle`.
# Each reads where the dialog is first (from the state the last settle left).
point() { dialog_where; xdotool mousemove $((DX + $1)) $((DY + $2)); }
click() { click_to_end "$@"; runner_settle; }
click_to_end() { dialog_where; xdotool mousemove $((DX + $1)) $((DY + $2)) click 1; }
keys() { xdotool key "$@"; runner_settle; }
type_text() { xdotool type "$1"; runner_settle; }
# The pointer rests at X,Y: moved there in two steps, as a hand would.
rest_on() { dialog_where; xdotool mousemove $((DX + $1)) $((DY + $2)) mousemove_relative 1 1; }

# A control's line, its text, a list's value (count, top, sel, itemh); empty
# when the control is not there.
state_child() { runner_state | grep -m1 "^child $1 " || true; }
field() { state_child "$1" | sed 's/.* text=//'; }
list_value() { state_child "$1" | { grep -o "$2=[-0-9]*" || true; } | cut -d= -f2; }

# Clicks the entry INDEX of the open list LIST, which must be in view.
choose() {
  local list=$1 index=$2 left listtop bottom itemh top
  read -r left listtop bottom < <(state_child "$list" | awk '{print $5, $6, $8}')
  [ -n "$left" ] || e2e_fail "list $list is not open"
  itemh=$(list_value "$list" itemh) top=$(list_value "$list" top)
  local y=$((listtop + 2 + (index - top) * itemh + itemh / 2))
  [ "$index" -ge "$top" ] && [ "$y" -lt "$bottom" ] || e2e_fail "entry $index of list $list is out of view: $(state_child "$list")"
  click $((left + 20)) "$y"
}

# The dialog's picture (outer size) into FILE.
dialog_picture() { import -window root -crop "${DW}x${DH}+${DX}+${DY}" +repage "$1"; }

# The dialog's picture reads the same twice in a row: it is drawn completely.
dialog_hash() { import -window root -crop "${DW}x${DH}+${DX}+${DY}" +repage -depth 8 rgb:- 2>/dev/null | md5sum; }
dialog_steady() { [ "$(dialog_hash)" = "$(dialog_hash)" ]; }
dialog_drawn() { e2e_until 30 dialog_steady || e2e_fail "the dialog is not drawn steadily"; }

# Colours (six hex digits) at dialog points "X,Y" of one picture.
colours_at() {
  local format="" p
  for p in "$@"; do format+="%[hex:u.p{$p}] "; done
  dialog_picture "$RUNNER_DIR/colours.miff"
  convert "$RUNNER_DIR/colours.miff" -depth 8 -format "$format" info: | sed 's/ $//'
}
