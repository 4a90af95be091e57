#!/usr/bin/env bash
# The Windows utility on scaled screens (the prefix's display at 192 and 144
# DPI, on a screen large enough for the page at twice its size): the window's
# outer size is the page's layout times the scale; the page's edits of
# tests/flows/page.flow, clicked at the scaled points, then Apply, leave
# config.bin and the simulated mouse exactly as at 96 DPI; the skin chooser
# opens at its picture's size times the scale and its close button, clicked
# at the scaled point, closes it; the page at 192 DPI is measured sharper
# than the 96 DPI page enlarged; a window moved to a monitor of another scale
# is laid out again at it.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
export PX_SCREEN=2000x1500
source "$SOURCE_DIR/tests/e2e/lib.sh"
source "$SOURCE_DIR/tests/wine/flow_steps/page.sh"
e2e_start_display
e2e_start_wine

# The display's DPI for the programs started from now on (the server, which
# keeps the registry, is stopped between runs so that each reads it afresh).
set_dpi() {
  timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
    e2e_fail "could not set the display to $1 DPI"
  timeout 30 wineserver -w
}
# Clicks flow point NAME of a window whose client is at X0,Y0, scaled.
scaled_click() {
  local x y
  read -r x y <<<"$(flow_point "$1")"
  xdotool mousemove $(($2 + $(e2e_dev "$x"))) $(($3 + $(e2e_dev "$y"))) click 1
}
# The chooser's picture is 384 x 280; its thin border takes the same device
# pixels at every scale (measured at 96 DPI, the first run).
CHOOSER='^window [-0-9]+ [-0-9]+ [0-9]+ [0-9]+ class=(?!PX6410GMClass).* title=$'
border=""
# With "moved", the chooser opens at the display's DPI and is then told of
# $dpi as when it is moved to a monitor of that scale.
check_chooser() {
  local x y w h
  scaled_click skins_button "$ox" "$oy"
  read -r x y w h < <(e2e_wait_line "$CHOOSER" | awk '{print $2, $3, $4, $5}') ||
    e2e_fail "the skins button opened no chooser at $dpi DPI"
  if [ "${1:-}" = moved ]; then
    asked="$(helper dpi-changed "$dpi" popup | tr -d '\r')" || e2e_fail "the chooser took no DPI change"
    [ "$asked" = "asked $(e2e_dev 384)x$(e2e_dev 280)" ] || e2e_fail "the chooser gave its size at $dpi DPI as: $asked"
    read -r bw bh <<<"$border"
    read -r x y w h < <(e2e_wait_line "^window [-0-9]+ [-0-9]+ $(($(e2e_dev 384) - bw)) " |
      awk '{print $2, $3, $4, $5}') || e2e_fail "the chooser moved to $dpi DPI was not laid out again"
  fi
  [ -n "$border" ] || border="$((384 - w)) $((280 - h))"
  read -r bw bh <<<"$border"
  [ "$w $h" = "$(($(e2e_dev 384) - bw)) $(($(e2e_dev 280) - bh))" ] || e2e_fail "at $dpi DPI the chooser's client is ${w}x$h"
  # Drawn as one opened at that scale: a moved one compared with the last
  # pass's chooser at the same DPI (a few pixels may differ in their blend).
  local name="chooser-$dpi${1:+-$1}" differing
  convert "$(e2e_shot "scaled-$name")" -crop "${w}x$h+$x+$y" +repage "$E2E_ROOT/$name.png"
  if [ "${1:-}" = moved ]; then
    differing="$(compare -metric AE -fuzz 10% "$E2E_ROOT/chooser-$dpi.png" "$E2E_ROOT/$name.png" null: 2>&1 |
      awk '{printf "%d", $1 + 0}')" || true
    e2e_log "the moved chooser differs from one opened at $dpi DPI in $differing pixels"
    [ "${differing:-0}" -lt $((w * h / 200)) ] ||
      e2e_fail "the chooser moved to $dpi DPI is not drawn as one opened there ($differing pixels differ)"
  fi
  scaled_click chooser_close "$x" "$y"
  e2e_wait_line '!^child 560 ' >/dev/null || e2e_fail "the chooser's close button did not close it at $dpi DPI"
  e2e_settle
}
# The edits of page.flow (tests/flows/scaled_edits.flow), then Apply.
edit_and_apply() {
  flow_play scaled_edits wine
  scaled_click apply "$ox" "$oy"
  e2e_until 60 written || e2e_fail "Apply at $dpi DPI wrote neither config.bin nor the mouse"
  e2e_settle
}

for dpi in 96 192 144; do
  E2E_SCALE=$((dpi * 100 / 96))
  e2e_log "the page at $dpi DPI"
  set_dpi "$dpi"
  dir="$(e2e_make_folder "page-$dpi" 1)"
  cd "$dir"
  e2e_start_shown "$dir/PX6410-3-4.exe" "page-$dpi"
  # The window is the page's picture (its thin border takes a device pixel
  # a side at every scale).
  size="$(helper state | tr -d '\r' | awk '{print $2, $4}')"
  [ "$size" = "$(e2e_dev 880)x$(e2e_dev 660) $(($(e2e_dev 880) - 2))x$(($(e2e_dev 660) - 2))" ] ||
    e2e_fail "at $dpi DPI the window and its client are $size"
  # The window alone, the pointer off it (no over look), for the sharpness below.
  xdotool mousemove 1990 1490
  read -r wx wy < <(helper state | tr -d '\r' | sed -E 's/.* at (-?[0-9]+),(-?[0-9]+) .*/\1 \2/')
  convert "$(e2e_shot "scaled-page-$dpi")" -crop "$(e2e_dev 880)x$(e2e_dev 660)+$wx+$wy" +repage \
    "$E2E_SHOTS/scaled-window-$dpi.png"
  check_chooser
  edit_and_apply
  helper post 0x111 1028 0
  e2e_exits_with "page-$dpi" 0 || e2e_fail "the exit command did not end the program at $dpi DPI"
  if [ "$dpi" != 96 ]; then
    cmp -s config.bin "$E2E_ROOT/page-96/config.bin" || e2e_fail "config.bin at $dpi DPI differs from 96 DPI's"
    cmp -s simulated-mouse.bin "$E2E_ROOT/page-96/simulated-mouse.bin" ||
      e2e_fail "the mouse at $dpi DPI differs from 96 DPI's"
  fi
  timeout 30 wineserver -w
done
# A window moved to a monitor of another scale (the display has one, so the
# message Windows sends then is sent by hand): started at 96 DPI and told of
# 192, the page is laid out again at 192 and its edits write what 96 writes;
# so is the chooser, opened at 96 and then told of 192.
e2e_log "the page moved from a 96 to a 192 DPI monitor"
set_dpi 96
dpi=192 E2E_SCALE=200
dir="$(e2e_make_folder page-moved 1)"
cd "$dir"
e2e_start_shown "$dir/PX6410-3-4.exe" page-moved
asked="$(helper dpi-changed 192 | tr -d '\r')" || e2e_fail "the page took no DPI change"
[ "$asked" = "asked $(e2e_dev 880)x$(e2e_dev 660)" ] || e2e_fail "the page gave its size at 192 DPI as: $asked"
scaled_size() { [ "$(helper state | tr -d '\r' | awk '{print $4}')" = "$(($(e2e_dev 880) - 2))x$(($(e2e_dev 660) - 2))" ]; }
e2e_until 60 scaled_size || e2e_fail "the page moved to 192 DPI was not laid out again: $(helper state)"
e2e_wait_placed page-moved
check_chooser moved
edit_and_apply
helper post 0x111 1028 0
e2e_exits_with page-moved 0 || e2e_fail "the exit command did not end the moved program"
cmp -s config.bin "$E2E_ROOT/page-96/config.bin" || e2e_fail "config.bin after the move differs from 96 DPI's"
cmp -s simulated-mouse.bin "$E2E_ROOT/page-96/simulated-mouse.bin" || e2e_fail "the mouse after the move differs"
timeout 30 wineserver -w
# Sharp at 200 %, by the Linux program's measure against the 96 DPI window
# enlarged twice: the DPI columns (the page's own picture, no text) and the
# mouse (a picture of its own: plain pictures enlarged measure about 1.3).
for area in "550,300,100,240 2.6" "20,200,220,300 2.0"; do
  read -r box least <<<"$area"
  measured="$(/usr/bin/python3 "$SOURCE_DIR/tests/linux/sharpness.py" "$E2E_SHOTS/scaled-window-96.png" \
    "$E2E_SHOTS/scaled-window-192.png" "$E2E_SHOTS/scaled-window-96-enlarged.png" "$least" "$box")" ||
    e2e_fail "the page at 192 DPI is not sharper than its 96 DPI page enlarged ($box): $measured"
  e2e_log "sharpness at 192 DPI, area $box: $measured"
done
e2e_log "pass"
