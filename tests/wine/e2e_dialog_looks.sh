#!/usr/bin/env bash
# Every small dialog in every shipped skin, in English and Simplified
# Chinese, with the skin's recommended text colour, all opened by one
# px_dialog_runner: each must open at its picture's size, and its labels,
# lists and fire key fields must show white text on dark grey. Leaves one
# contact sheet per skin and language in the screenshots folder
# (dialogs-SKIN-LANG.png): closed, with the list open and the pointer on an
# entry (the single key dialog: after a key), and with the pointer over OK.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
source "$SOURCE_DIR/tests/e2e/dialog_runner.sh"
runner_begin
source "$SOURCE_DIR/tests/flows/flow.sh"
SHOTS="$E2E_ROOT/shots"
mkdir -p "$SHOTS"

# The dialogs' controls: white text on 0x282828, whatever the skin's text
# colour, in each control's area inside its border; in a list, on the
# entries off the selection and left of a scroll bar.
DARK_FAULT=""
dark_control() {  # PICTURE ID
  local line x y w h
  line="$(state_child "$2")"
  [ -n "$line" ] || { DARK_FAULT="control $2 is not there"; return 1; }
  case $line in
    *' ListBox '*) read -r x y w h < <(e2e_unselected_rows "$line"); w=$((w * 3 / 5)) ;;
    *) read -r x y w h < <(awk '{print $5 + 2, $6 + 2, $7 - $5 - 4, $8 - $6 - 4}' <<<"$line") ;;
  esac
  e2e_white_text_on "$1" "$x" "$y" "$w" "$h" 282828 && return 0
  DARK_FAULT="control $2: $E2E_COLOUR_FAULT"
  return 1
}
# The dialog's picture NAME, taken again until every control ID in it passes.
shoot_dark() {  # NAME ID...
  local name=$1 id
  shift
  shot_passes() {
    dialog_picture "$SHOTS/$name.png"
    for id in "$@"; do dark_control "$SHOTS/$name.png" "$id" || return 1; done
  }
  e2e_until 30 shot_passes "$@" || {
    cp "$SHOTS/$name.png" "$E2E_SHOTS/dialogs-fault-$skin-$lang-$name.png"
    e2e_fail "$name in $skin ($lang): $DARK_FAULT (dialogs-fault-$skin-$lang-$name.png)"
  }
  SHEET+=("$SHOTS/$name.png")
}

# One dialog KIND in LANG and SKIN (its folder SKIN_DIR) with the text
# COLOUR: its pictures closed, open (or after a key) and with OK's over look.
look_dialog() {
  local kind=$1 lang=$2 skin=$3 color=$4 skin_dir=$5 label list dx dy expected
  read -r _ label list <<<"${FLOW_DIALOG[$kind]}"
  [ "$list" = - ] || read -r dx dy < <(flow_point "drop_$kind")
  open_dialog "$kind" --lang "$lang" --skin "$skin" --color "$color" --variant 0
  expected="$(flow_dialog_size "$kind" "$skin_dir")"
  [ "${DW}x${DH}" = "$expected" ] || e2e_fail "$kind in $skin: window ${DW}x${DH}, picture $expected"
  rest_on 300 100                            # off the buttons
  runner_settle
  dialog_drawn
  case $kind in
    fire) shoot_dark "$kind-closed" "$label" 575 576 577 ;;
    single) dialog_picture "$SHOTS/$kind-closed.png"; SHEET+=("$SHOTS/$kind-closed.png") ;;  # no key yet
    *) shoot_dark "$kind-closed" "$label" ;;
  esac
  if [ "$list" != - ]; then
    click "$dx" "$dy"
    # The pointer rests on an entry, as a user would see it.
    rest_on $((dx - 40)) $((dy + 40))
    runner_settle
    [ "$(list_value "$list" sel)" -ge 0 ] || e2e_fail "$kind in $skin ($lang): no entry under the pointer: $(state_child "$list")"
    dialog_drawn
    shoot_dark "$kind-open" "$list"
  else
    keys a
    [ "$(field "$label")" = A ] || e2e_fail "$kind in $skin ($lang): the key shows as '$(field "$label")'"
    dialog_drawn
    shoot_dark "$kind-key" "$label"
  fi
  # Over OK, so that its pointer-over look is seen too.
  ok_normal="$(colours_at 170,256)"
  rest_on 200 262
  ok_over() { [ "$(colours_at 170,256)" != "$ok_normal" ]; }
  e2e_until 30 ok_over || e2e_fail "$kind in $skin ($lang): OK shows no over look"
  dialog_drawn
  dialog_picture "$SHOTS/$kind-hover.png"
  SHEET+=("$SHOTS/$kind-hover.png")
  click_to_end 360 14
  expect_answer IDCANCEL
}
look_sheet() {
  local skin=$1 lang=$2
  montage "${SHEET[@]}" -tile 3x -geometry +4+4 -background '#606060' "$E2E_SHOTS/dialogs-$skin-$lang.png"
  e2e_log "ok: $skin $lang: $E2E_SHOTS/dialogs-$skin-$lang.png"
}
flow_dialog_looks "$RUNNER_DIR"
runner_stop
e2e_log "pass"
