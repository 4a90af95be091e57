#!/usr/bin/env bash
# Every shipped skin in every language, one start each. Each start leaves two
# screenshots: the window as the tray first shows it (window-SKIN-LANG.png),
# and the edited page (page-SKIN-LANG.png): a report rate chosen, levels lit,
# a stage out of use, the swatch colours, the lighting labels, a row under
# the pointer and the Parameter list open. Each start also checks that the
# window has the skin's size, that the edits reached config.bin on Apply, and
# the colours of the page's controls by pixel: the swatches in their stages'
# colours, the lighting labels in the text colour (white where that would not
# read) on black, the open list white on black.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine

dir="$(e2e_make_folder looks 0)"  # the twelve-level sensor
cd "$dir"
hex() { printf '#%02X%02X%02X' "$@"; }
for skin_dir in "$dir"/Skins/*/; do
  skin="$(basename "$skin_dir")"
  # The text colour a user picks with the skin.
  case "$skin" in
    Light) rgb=(32 36 44) label_text="#FFFFFF" ;;  # too dark on the labels' black: written white
    *) rgb=(230 232 240) label_text="$(hex 230 232 240)" ;;
  esac
  e2e_ini_set str.ini RColor "${rgb[0]}"
  e2e_ini_set str.ini GColor "${rgb[1]}"
  e2e_ini_set str.ini BColor "${rgb[2]}"
  e2e_ini_set str.ini Path "$skin"
  size="$(identify -format '%wx%h' "$skin_dir/main.png")"
  for lan in EN CHS CHT; do
    e2e_ini_set str.ini Lan "$lan"
    cp "$BUILD_DIR/dist/config.bin" config.bin
    cp config.bin config-before.bin
    tag="$skin-$lan"
    e2e_start_shown "$dir/PX6410-3-4.exe" "$tag"
    helper state | grep -q "^visible ${size} " || e2e_fail "window not sized to the skin ($size, $tag): $(helper state)"
    e2e_shot "window-$tag" >/dev/null

    e2e_click_changes 705 208 542 204 286 11   # 500 Hz
    e2e_click_changes 562 345 554 302 16 214   # stage 1, level 10
    e2e_click_changes 616 549 608 541 16 16    # stage 3 out of use
    e2e_click_changes 643 507 635 302 16 214   # stage 4, level 1
    e2e_click_until_line 800 336 '^child 60 '  # the Mode list, then Respiration
    e2e_click_until_line 800 383 '!^child 60 '
    e2e_settle
    xdotool mousemove $((ox + 700)) $((oy + 633)) click 1  # Apply
    written() { ! cmp -s config.bin config-before.bin; }
    e2e_until 60 written || e2e_fail "Apply did not write config.bin ($tag)"
    e2e_settle
    [ "$(e2e_byte config.bin 6)" = 2 ] || e2e_fail "500 Hz not saved ($tag)"
    [ "$(e2e_byte config.bin 8)" = 9 ] || e2e_fail "level 10 not saved ($tag)"
    [ "$(e2e_byte config.bin 28)" = 2 ] || e2e_fail "Respiration not saved ($tag)"

    e2e_origin
    row="$(e2e_region_hash 252 245 211 21)"
    e2e_rest_on 300 250                        # row 3 takes its over look
    e2e_wait_region_changes "$row" 252 245 211 21 || e2e_fail "row 3 shows no over look ($tag)"
    e2e_click_until_line 800 366 '^child 61 '  # the Parameter list stays open
    xdotool mousemove $((ox + 800)) $((oy + 400))
    e2e_wait_line '^child 61 .* sel=[0-9]' >/dev/null || e2e_fail "the entry under the pointer is not selected ($tag)"
    e2e_shot "page-$tag" >/dev/null

    # Colours of the controls. Swatches: the stages' colours of config.bin.
    for swatch in "1 #FF0000" "2 #00FF00" "3 #0000FF" "4 #FF00FF"; do
      read -r stage colour <<<"$swatch"
      e2e_expect_colours "swatch $stage ($tag)" "$colour" "$colour" 100 $((557 + 27 * (stage - 1))) 526 10 10
    done
    # The lighting labels (Mode shows "Respiration"), inside their sunken edge.
    e2e_expect_colours "Mode label ($tag)" "#000000" "$label_text" 8 769 332 64 10
    # The Parameter list: entries below the one under the pointer, white on black.
    e2e_expect_colours "Parameter list ($tag)" "#000000" "#FFFFFF" 8 769 415 80 40

    helper post 0x111 1028 0
    e2e_exits_with "$tag" 0 || e2e_fail "exit code not 0 ($tag)"
  done
done
e2e_log "pass"
