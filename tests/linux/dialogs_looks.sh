#!/usr/bin/env bash
# Every small dialog of the Linux utility in every shipped skin, in English
# and Simplified Chinese, with the skin's recommended text colour: each must
# open at its picture's size. Leaves one contact sheet per skin and language
# in the screenshots folder (dialogs-qt-SKIN-LANG.png: closed, with the list
# open or a key pressed, and with the pointer over OK), laid out as the
# Windows test lays out its sheets; where those exist (the windows build
# beside this one), a side-by-side picture of both (dialogs-compare-SKIN-LANG.png).
BUILD_DIR=$1 SOURCE_DIR=$2
source "$SOURCE_DIR/tests/linux/dialogs_lib.sh"
dl_start_display
source "$SOURCE_DIR/tests/flows/flow.sh"
WINDOWS_SHOTS="${WINDOWS_SHOTS:-$BUILD_DIR/../windows/e2e-screenshots}"
SHOTS="$DL_ROOT/shots"
mkdir -p "$SHOTS"

# The dialog's window as it stands once two pictures in a row agree.
shoot() {
  local w h
  read -r w h < <(grep -m1 '^window .* title=$' "$STATE" | awk '{print $6, $7}')
  grab() { import -window root -crop "${w}x${h}+${OX}+${OY}" +repage "$SHOTS/$1.png"; }
  steady() { grab "$1"; grab "$1-again"; [ "$(compare -metric AE "$SHOTS/$1.png" "$SHOTS/$1-again.png" null: 2>&1)" = 0 ]; }
  dl_until "a steady picture of $1" steady "$1"
  SHEET+=("$SHOTS/$1.png")
}

# One dialog KIND in LANG and SKIN (its folder SKIN_DIR) with the text
# COLOUR: its pictures closed, open (or after a key) and with OK's over look.
look_dialog() {
  local kind=$1 lang=$2 skin=$3 color=$4 skin_dir=$5 label list w h expected ok_normal dx dy top bottom rows
  read -r _ label list <<<"${FLOW_DIALOG[$kind]}"
  xdotool mousemove 5 5   # away from where the dialog opens
  dl_open "$kind" --lang "$lang" --skin "$skin" --color "$color" --variant 0
  read -r w h < <(grep -m1 '^window .* title=$' "$STATE" | awk '{print $6, $7}')
  expected="$(flow_dialog_size "$kind" "$skin_dir")"
  [ "${w}x${h}" = "$expected" ] || dl_fail "$kind in $skin: window ${w}x${h}, picture $expected"
  shoot "$kind-closed"
  ok_normal="$(dl_pixel 170 256)"
  if [ "$list" != - ]; then
    read -r dx dy < <(flow_point "drop_$kind")
    dl_open_list "$dx" "$dy" "$list"
    # As high as whole rows, as a Windows list box: of the template's
    # 16-pixel font, or for the fire key's scrolling list of its own rows.
    read -r top bottom < <(dl_child "$list" | awk '{print $6, $8}')
    rows=16
    [ "$kind" != fire ] || rows=$(dl_list_value "$list" itemh)
    [ $(((bottom - top - 2) % rows)) = 0 ] || dl_fail "$kind list: $(dl_child "$list")"
    # The pointer rests on an entry, as a user would see it.
    dl_move $((dx - 40)) $((dy + 40))
    dl_move $((dx - 41)) $((dy + 41))
    marked() { [ "$(dl_list_value "$list" sel)" -ge 0 ]; }
    dl_until "an entry marked under the pointer" marked
    shoot "$kind-open"
  else
    xdotool key a
    dl_until "the key's name" dl_field_is "$label" A
    shoot "$kind-key"
  fi
  # Over OK, so that its pointer-over look is seen too.
  dl_move 200 262
  dl_move 201 263
  dl_until "OK's over look" dl_pixel_is_not 170 256 "$ok_normal"
  shoot "$kind-hover"
  dl_click 360 14
  dl_until "the dialog to end" dl_answered
  wait "$DL_RUNNER_PID" 2>/dev/null || true
  DL_RUNNER_PID=""
}
look_sheet() {
  local skin=$1 lang=$2 out windows
  out="$DL_SHOTS/dialogs-qt-$skin-$lang.png"
  montage "${SHEET[@]}" -tile 3x -geometry +4+4 -background '#606060' "$out"
  dl_log "ok: $skin $lang: $out"
  windows="$WINDOWS_SHOTS/dialogs-$skin-$lang.png"
  if [ -f "$windows" ]; then
    montage -label Windows "$windows" -label Linux "$out" -tile 2x -geometry +8+8 -pointsize 16 -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf \
      -background '#404040' -fill white "$DL_SHOTS/dialogs-compare-$skin-$lang.png"
    dl_log "side by side: $DL_SHOTS/dialogs-compare-$skin-$lang.png"
  fi
}
flow_dialog_looks "$DIR"
