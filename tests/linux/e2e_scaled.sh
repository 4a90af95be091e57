#!/usr/bin/env bash
# The Linux utility on scaled screens (QT_SCALE_FACTOR 2 and 1.5, on a screen
# large enough for the page at twice its size): the window and the skin
# chooser open at their pictures' logical size times the scale; the page's
# edits of tests/flows/page.flow, clicked at the scaled points, then Apply,
# leave config.bin and the simulated mouse exactly as at scale 1; and at
# twice the scale each shipped skin's page is measurably sharper than its
# unscaled page enlarged twice, by the energy of its edges (the three shots
# of each skin are kept in the screenshot folder).
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
export PX_SCREEN=2000x1500
source "$SOURCE_DIR/tests/linux/lib.sh"
source "$SOURCE_DIR/tests/linux/flow_steps/page.sh"
lx_start_display
lx_start_tray
lx_start_bus

# Starts the utility of folder NAME at SCALE (a factor, as Qt takes it).
start_scaled() {
  local name=$1 factor=$2
  LX_SCALE=$(awk -v f="$factor" 'BEGIN { printf "%d", f * 100 + 0.5 }')
  QT_SCALE_FACTOR=$factor lx_start_shown "$name"
  lx_origin
  [ "$OW $OH" = "$(lx_dev 880) $(lx_dev 660)" ] || lx_fail "at $factor the window is ${OW}x$OH"
}
quit() {
  lx_click 859 14
  lx_exited_with "$1" 20 0 || lx_fail "the close button did not end $1 with 0"
}
# The skin chooser opens at its picture's size times the scale, drawn, and
# its close button (at the scaled point) closes it.
chooser_drawn() { [ "$(lx_pixel $((DX + $(lx_dev 190))) $((DY + $(lx_dev 263))))" != "#000000" ]; }
check_chooser() {
  lx_click 710 14
  lx_wait_dialog "$1" || lx_fail "the skins button opened no chooser at scale $LX_SCALE %"
  eval "$(lx_geometry "$(lx_dialog "$1")")"
  [ "$WIDTH $HEIGHT" = "$(lx_dev 384) $(lx_dev 280)" ] || lx_fail "at scale $LX_SCALE % the chooser is ${WIDTH}x$HEIGHT"
  lx_wait 10 chooser_drawn || lx_fail "the chooser is not drawn at scale $LX_SCALE %"
  [ "$LX_SCALE" != 200 ] || import -window root -crop "${WIDTH}x$HEIGHT+$DX+$DY" +repage "$LX_SHOTS/scaled-chooser-2x.png"
  xdotool mousemove $((DX + $(lx_dev 360))) $((DY + $(lx_dev 14))) click 1
  lx_wait_no_dialog "$1" || lx_fail "the chooser's close button did not close it at scale $LX_SCALE %"
}
# The edits of page.flow (tests/flows/scaled_edits.flow), then Apply.
edit_and_apply() {
  flow_play scaled_edits linux
  lx_click 700 633
  lx_wait 20 written || lx_fail "Apply at scale $LX_SCALE % wrote neither config.bin nor the mouse"
}

for factor in 1 2 1.5; do
  lx_log "the page at scale $factor"
  dir="$(lx_make_folder "page-$factor" 1)"
  cd "$dir"
  start_scaled "page-$factor" "$factor"
  lx_shot "scaled-page-$factor" >/dev/null
  check_chooser "page-$factor"
  edit_and_apply
  quit "page-$factor"
  if [ "$factor" != 1 ]; then
    cmp -s config.bin "$LX_ROOT/page-1/config.bin" || lx_fail "config.bin at scale $factor differs from scale 1's"
    cmp -s mouse.bin "$LX_ROOT/page-1/mouse.bin" || lx_fail "the mouse at scale $factor differs from scale 1's"
  fi
done

for skin_dir in "$BUILD_DIR"/dist/Skins/*/; do
  skin="$(basename "$skin_dir")"
  for factor in 1 2; do
    dir="$(lx_make_folder "looks-$skin-$factor" 1)"
    cd "$dir"
    lx_ini_set str.ini Path "$skin"
    start_scaled "looks-$skin-$factor" "$factor"
    # The pointer off the window: no over look in the shots.
    xdotool mousemove 1990 1490
    lx_shot "scaled-$skin-${factor}x" >/dev/null
    quit "looks-$skin-$factor"
  done
  # The whole window, and the DPI columns alone: pictures without text (the
  # texts are drawn at the scaled font size whatever the pictures).
  for area in "0,0,880,660 1.5" "550,300,100,240 2.6"; do
    read -r box least <<<"$area"
    measured="$(/usr/bin/python3 "$SOURCE_DIR/tests/linux/sharpness.py" "$LX_SHOTS/scaled-$skin-1x.png" \
      "$LX_SHOTS/scaled-$skin-2x.png" "$LX_SHOTS/scaled-$skin-1x-enlarged.png" "$least" "$box")" ||
      lx_fail "$skin at twice the scale is not sharper than its plain page enlarged ($box): $measured"
    lx_log "$skin, area $box: $measured"
  done
done
lx_log "pass"
