#!/usr/bin/env bash
# Screenshots of the edited page in every language with every shipped skin:
# a report rate chosen, levels lit, a stage out of use, the swatch colours,
# the lighting labels, a row under the pointer and the Parameter list open.
# Each run also checks that the edits reached the model (config.bin on Apply).
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine

dir="$(e2e_make_folder looks 0)"  # the twelve-level sensor
cd "$dir"
for skin_dir in "$dir"/Skins/*/; do
  skin="$(basename "$skin_dir")"
  case "$skin" in
    Light) rgb=(32 36 44) ;;
    *) rgb=(230 232 240) ;;
  esac
  e2e_ini_set str.ini RColor "${rgb[0]}"
  e2e_ini_set str.ini GColor "${rgb[1]}"
  e2e_ini_set str.ini BColor "${rgb[2]}"
  e2e_ini_set str.ini Path "$skin"
  for lan in EN CHS CHT; do
    e2e_ini_set str.ini Lan "$lan"
    cp "$BUILD_DIR/dist/config.bin" config.bin
    tag="page-$skin-$lan"
    e2e_start_shown "$dir/PX6410-3-4.exe" "$tag"
    click() { xdotool mousemove $((ox + $1)) $((oy + $2)) click 1; sleep 0.3; }
    click 705 208  # 500 Hz
    click 562 345  # stage 1, level 10
    click 616 549  # stage 3 out of use
    click 643 507  # stage 4, level 1
    click 800 336; click 800 383  # Respiration
    click 700 633  # Apply
    sleep 1
    [ "$(od -An -tu1 -j 6 -N1 config.bin | tr -d ' ')" = 2 ] || e2e_fail "500 Hz not saved ($tag)"
    [ "$(od -An -tu1 -j 8 -N1 config.bin | tr -d ' ')" = 9 ] || e2e_fail "level 10 not saved ($tag)"
    [ "$(od -An -tu1 -j 28 -N1 config.bin | tr -d ' ')" = 2 ] || e2e_fail "Respiration not saved ($tag)"
    xdotool mousemove $((ox + 300)) $((oy + 250)); sleep 0.2; xdotool mousemove_relative 1 1; sleep 0.5
    click 800 366  # the Parameter list stays open
    xdotool mousemove $((ox + 800)) $((oy + 400)); sleep 0.4
    # The page's lists show white text on black.
    list="$(e2e_wait_line '^child 61 ListBox ')" || e2e_fail "the Parameter list is not open ($tag)"
    read -r x y w h < <(e2e_unselected_rows "$list")
    e2e_until 30 e2e_white_text_on - $((ox + x)) $((oy + y)) "$w" "$h" 000000 ||
      e2e_fail "the Parameter list ($tag): $E2E_COLOUR_FAULT"
    e2e_shot "$tag" >/dev/null
    helper post 0x111 1028 0
    [ "$(e2e_wait_exit "$tag" 20)" = 0 ] || e2e_fail "exit code not 0 ($tag)"
  done
done
e2e_log "pass"
