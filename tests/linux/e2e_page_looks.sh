#!/usr/bin/env bash
# Screenshots of the edited page in every language with every shipped skin,
# with the same clicks as the Windows run (tests/wine/e2e_page_looks.sh): a
# report rate chosen, levels lit, a stage out of use, the swatch colours, the
# lighting labels, a row under the pointer and the Parameter list open. Each
# run also checks that the edits reached config.bin on Apply. Where the
# Windows screenshots exist (build/windows/e2e-screenshots), each Linux one
# is put beside its Windows twin (side-by-side-SKIN-LANG.png: Windows left).
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/linux/lib.sh"
WINDOWS_SHOTS="${WINDOWS_SHOTS:-$SOURCE_DIR/build/windows/e2e-screenshots}"
lx_start_display
lx_start_tray
lx_start_bus

dir="$(lx_make_folder looks 0)"  # the twelve-level sensor
cd "$dir"
byte() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }
# The Windows screenshot (the whole screen) cut to its window's client area,
# found by the skins button's picture, left of the Linux one.
side_by_side() {
  local tag=$1 shot=$2 out=$3 origin
  [ -f "$WINDOWS_SHOTS/$tag.png" ] || return 0
  convert "$shot" -crop 18x18+701+5 +repage "$LX_ROOT/patch.png"
  # Wine places every run's window alike: the place found last is tried first.
  if [ -z "${wx:-}" ] || [ "$(convert "$WINDOWS_SHOTS/$tag.png" -crop "18x18+$((wx + 701))+$((wy + 5))" +repage \
    "$LX_ROOT/patch.png" -fuzz 5% -compose difference -composite -format '%[fx:maxima]' info: 2>/dev/null)" != 0 ]; then
    origin="$(python3 "$SOURCE_DIR/tests/linux/client_origin.py" "$WINDOWS_SHOTS/$tag.png" "$LX_ROOT/patch.png" 701 5)" ||
      { lx_log "no Windows window in $WINDOWS_SHOTS/$tag.png"; return 0; }
    read -r wx wy <<<"$origin"
  fi
  convert "$WINDOWS_SHOTS/$tag.png" -crop "${OW}x${OH}+$wx+$wy" +repage "$LX_ROOT/windows.png"
  convert "$LX_ROOT/windows.png" "$shot" +append "$out"
}
for skin_dir in "$dir"/Skins/*/; do
  skin="$(basename "$skin_dir")"
  case "$skin" in
    Light) rgb=(32 36 44) ;;
    *) rgb=(230 232 240) ;;
  esac
  lx_ini_set str.ini RColor "${rgb[0]}"
  lx_ini_set str.ini GColor "${rgb[1]}"
  lx_ini_set str.ini BColor "${rgb[2]}"
  lx_ini_set str.ini Path "$skin"
  for lan in EN CHS CHT; do
    lx_ini_set str.ini Lan "$lan"
    cp "$BUILD_DIR/dist/config.bin" config.bin
    tag="page-$skin-$lan"
    lx_start_app "$tag" "$dir/px6410" --sim mouse.bin
    lx_wait_tray || lx_fail "no tray icon ($tag)"
    lx_tray_click 1
    lx_wait_visible || lx_fail "no window ($tag)"
    lx_origin
    lx_click 705 208  # 500 Hz
    lx_click 562 345  # stage 1, level 10
    lx_click 616 549  # stage 3 out of use
    lx_click 643 507  # stage 4, level 1
    lx_click 800 336; lx_click 800 383  # Respiration
    cp config.bin before.bin
    lx_click 700 633  # Apply
    lx_wait 20 bash -c '! cmp -s config.bin before.bin' || lx_fail "Apply wrote nothing ($tag)"
    [ "$(byte config.bin 6)" = 2 ] || lx_fail "500 Hz not saved ($tag)"
    [ "$(byte config.bin 8)" = 9 ] || lx_fail "level 10 not saved ($tag)"
    [ "$(byte config.bin 28)" = 2 ] || lx_fail "Respiration not saved ($tag)"
    lx_region 252 245 211 21 row-normal
    xdotool mousemove $((OX + 300)) $((OY + 250))
    lx_wait_region_change row-normal 252 245 211 21 || lx_fail "row 3 shows no over look ($tag)"
    lx_region 767 377 84 90 list-closed
    lx_click 800 366  # the Parameter list stays open
    xdotool mousemove $((OX + 800)) $((OY + 400))
    lx_wait_region_change list-closed 767 377 84 90 || lx_fail "the Parameter list did not open ($tag)"
    shot="$(lx_shot "$tag")"
    side_by_side "$tag" "$shot" "$LX_SHOTS/side-by-side-$skin-$lan.png"
    lx_click 859 14
    lx_exited_with "$tag" 20 0 || lx_fail "the close button did not end the program ($tag)"
  done
done
lx_log "pass"
