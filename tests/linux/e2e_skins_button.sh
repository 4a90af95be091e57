#!/usr/bin/env bash
# The skins button of the running Linux utility, with real clicks: another
# shipped skin chosen in the chooser's list (it proposes its own colour),
# then another text colour typed into Qt's colour chooser. Each OK writes the
# four "Skins" keys of str.ini and draws the page again from the new skin in
# the new colour, the window in front; Cancel and close change nothing; the
# next start keeps the skin and the colour.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/linux/lib.sh"
lx_start_display
lx_start_tray
lx_start_bus

dir="$(lx_make_folder skins 1)"
cd "$dir"
lx_ini_set str.ini Lan EN
lx_ini_set str.ini Path Default
lx_ini_set str.ini RColor 230
lx_ini_set str.ini GColor 230
lx_ini_set str.ini BColor 230

run=""
start_shown() {
  run=$1
  lx_start_app "$run" "$dir/px6410" --sim mouse.bin
  lx_wait_tray || lx_fail "no tray icon ($run)"
  lx_tray_click 1
  lx_wait_visible || lx_fail "no window ($run)"
  lx_wait_painted || lx_fail "the window is not painted ($run)"
}

# The chooser: its list's entries are as high as the dialog font (14 pixels
# in English) below a one-pixel border; its swatch shows the chosen colour.
ENTRY=14
open_chooser() {
  lx_origin
  lx_click 710 14
  lx_wait_dialog "$run" || { lx_shot skins-no-chooser >/dev/null; lx_fail "the skins button opened no chooser"; }
  lx_wait 10 lx_dialog_drawn || lx_fail "the chooser is not drawn"
}
chooser_gone() { lx_wait_no_dialog "$run" || lx_fail "the chooser is still open"; }
rgb_of() { printf '%d,%d,%d' "0x${1:1:2}" "0x${1:3:2}" "0x${1:5:2}"; }
swatch_colour() { rgb_of "$(lx_pixel $((DX + 96)) $((DY + 102)))"; }
skin_colour() { tr -d ' \r\n' <"Skins/$1/text-color.txt"; }
# Picks NAME in the list: the entry whose own colour the swatch then shows
# (the shipped skins' colours differ from each other and from the one in force).
pick_skin() {
  local name=$1 i
  for i in 0 1 2 3 4 5; do
    lx_dregion 42 146 100 40 skins-list-closed
    lx_dclick 140 136
    lx_wait_dregion_change skins-list-closed 42 146 100 40 || lx_fail "the skins list did not open"
    lx_dclick 62 $((146 + 1 + ENTRY * i + ENTRY / 2))
    lx_wait 10 swatch_settled || lx_fail "the swatch does not settle"
    [ "$(swatch_colour)" = "$(skin_colour "$name")" ] && return 0
  done
  lx_fail "$name is not in the skins list"
}
swatch_settled() { local a; a="$(swatch_colour)"; [ "$a" = "$(swatch_colour)" ]; }

ini_value() { iconv -f UTF-16 -t UTF-8 str.ini | tr -d '\r' | grep "^$1=" | cut -d= -f2; }
ini_colour() { echo "$(ini_value RColor),$(ini_value GColor),$(ini_value BColor)"; }
ini_is() { [ "$(ini_value Path)" = "$1" ] && [ "$(ini_colour)" = "$2" ]; }
wait_ini() {
  lx_wait 20 ini_is "$1" "$2" ||
    lx_fail "str.ini after OK: Path=$(ini_value Path), colour $(ini_colour); expected $1 in $2"
}

# The page's texts: pixels of exactly the colour R,G,B in the headings, the
# row captions and the push button captions, less those the skin's own page
# picture has there (so a colour the skin happens to use is not counted).
text_areas=("105x21+259+160" "105x21+504+161" "105x21+504+275" "105x21+704+275" "105x21+253+518" "105x21+562+623")
hex_of() { IFS=, read -r r g b <<<"$1"; printf '#%02X%02X%02X' "$r" "$g" "$b"; }
# The text areas of IMAGE side by side, as pixels in text, in one pass.
areas_txt() {
  local crops=() area
  for area in "${text_areas[@]}"; do crops+=("(" -clone 0 -crop "$area" +repage ")"); done
  convert "$1" "${crops[@]}" -delete 0 +append -depth 8 txt:-
}
count_in() { grep -c "$2" <(areas_txt "$1") || true; }
client() { lx_origin; import -window root -crop "878x658+$OX+$OY" +repage "$LX_ROOT/$1.png"; }
# The page as it shows now against SKIN's page picture and the colour R,G,B:
# SHARE, the part of the client area that is the picture, in percent, and
# TEXTS, the pixels of the texts in the colour.
SHARE=0 TEXTS=0
measure_page() {
  local colour=$1 skin=$2 hex differ
  hex="$(hex_of "$colour")"
  [ -f "$LX_ROOT/picture-$skin.png" ] ||
    convert "Skins/$skin/BasicSet2.png" -crop 878x658+0+0 +repage "$LX_ROOT/picture-$skin.png"
  client page
  differ="$(compare -metric AE -fuzz 2% "$LX_ROOT/page.png" "$LX_ROOT/picture-$skin.png" null: 2>&1 || true)"
  SHARE=$(((878 * 658 - ${differ%% *}) * 100 / (878 * 658)))
  TEXTS=$(($(count_in "$LX_ROOT/page.png" "$hex") - $(count_in "$LX_ROOT/picture-$skin.png" "$hex")))
}
page_is() { measure_page "$1" "$2" && [ "$SHARE" -ge 70 ] && [ "$TEXTS" -ge 40 ]; }
# The page drawn from SKIN with its texts in R,G,B.
expect_page() {
  local colour=$1 skin=$2 when=$3
  lx_wait 10 page_is "$colour" "$skin" && { lx_log "ok: $when: $skin, texts in $colour"; return 0; }
  measure_page "$colour" "$skin"
  lx_shot skins-wrong-page >/dev/null
  lx_fail "$when: the page is not drawn from $skin in $colour ($SHARE % of the picture, $TEXTS text pixels)"
}
# After OK the window is in front and stays where it is as the pointer moves
# (the click that opened the chooser asks for no drag once it has ended).
expect_front_and_still() {
  local before
  lx_visible || lx_fail "$1: the window is not shown"
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(lx_window)" ] || lx_fail "$1: the window has not the focus ($(xdotool getwindowfocus 2>/dev/null), not $(lx_window))"
  lx_origin
  before="$OX $OY"
  xdotool mousemove_relative 60 40 mousemove_relative 60 40
  lx_origin
  [ "$OX $OY" = "$before" ] || lx_fail "$1: the window follows the pointer (from $before to $OX $OY)"
}

# --- the first start: Default, light grey texts ----------------------------------
start_shown first
expect_page 230,230,230 Default "at start"

# --- another skin: Light proposes its own colour -----------------------------------
open_chooser
[ "$(swatch_colour)" = 230,230,230 ] || lx_fail "the swatch shows $(swatch_colour), not the colour in force"
pick_skin Light
lx_screen skins-chooser-over-page
lx_dclick 200 263  # OK
chooser_gone
wait_ini Light "$(skin_colour Light)"
expect_front_and_still "after the skin change"
expect_page "$(skin_colour Light)" Light "after the skin change"
lx_shot skins-button-light >/dev/null

# --- another colour through Qt's colour chooser: typed as HTML --------------------
colour_window() { xdotool search --onlyvisible --name '^Select Color$' 2>/dev/null | head -n1; }
has_colour_window() { [ -n "$(colour_window)" ]; }
open_chooser
lx_dclick 96 102  # the swatch
lx_wait 20 has_colour_window || lx_fail "no colour chooser"
eval "$(lx_geometry "$(colour_window)")"
# The HTML field, at the lower right of Qt's colour dialog.
xdotool mousemove $((X + 418)) $((Y + 346)) click --repeat 3 1
xdotool key ctrl+a type '#4080c0'
xdotool key Return
lx_wait 20 bash -c "! xdotool search --onlyvisible --name '^Select Color\$'" || lx_fail "the colour chooser is still open"
picked=64,128,192
swatch_is() { [ "$(swatch_colour)" = "$1" ]; }
lx_wait 10 swatch_is "$picked" || lx_fail "the swatch shows $(swatch_colour), not the typed $picked"
lx_dclick 200 263  # OK
chooser_gone
wait_ini Light "$picked"
expect_front_and_still "after the colour change"
expect_page "$picked" Light "after the colour change"
lx_shot skins-button-colour >/dev/null

# --- Cancel and close change nothing -------------------------------------------------
# The pointer rests where nothing lights up under it.
lx_origin
xdotool mousemove $((OX + 20)) $((OY + 400))
cp str.ini str-before.ini
client page-before
open_chooser
pick_skin Crimson
lx_dclick 320 263  # Cancel
chooser_gone
cmp -s str.ini str-before.ini || lx_fail "Cancel changed str.ini"
xdotool mousemove $((OX + 20)) $((OY + 400))
page_as_before() {
  client page-after
  [ "$(compare -metric AE "$LX_ROOT/page-before.png" "$LX_ROOT/page-after.png" null: 2>&1 || true)" = 0 ]
}
lx_wait 10 page_as_before || { cp "$LX_ROOT/page-before.png" "$LX_ROOT/page-after.png" "$LX_SHOTS/"; lx_fail "Cancel changed the page"; }
open_chooser
[ "$(swatch_colour)" = "$picked" ] || lx_fail "after Cancel the chooser opens in $(swatch_colour)"
lx_dclick 360 14  # close
chooser_gone
cmp -s str.ini str-before.ini || lx_fail "closing the chooser changed str.ini"
xdotool mousemove $((OX + 20)) $((OY + 400))
lx_wait 10 page_as_before || lx_fail "closing the chooser changed the page"
lx_log "ok: Cancel and close change nothing"

# --- the next start keeps the skin and the colour ----------------------------------
lx_click 859 14
lx_exited_with first 20 0 || lx_fail "the close button did not end the program with 0"
cmp -s str.ini str-before.ini || lx_fail "the exit changed str.ini"
start_shown second
expect_page "$picked" Light "after a new start"
# OK without a change writes the keys in force again, over whatever another
# hand left in str.ini meanwhile: the chooser opened with Light in the colour.
open_chooser
lx_ini_set str.ini Path Crimson
lx_ini_set str.ini GColor 7
lx_dclick 200 263
chooser_gone
wait_ini Light "$picked"
expect_page "$picked" Light "after OK without a change"
lx_click 859 14
lx_exited_with second 20 0 || lx_fail "the second run did not end with 0"
lx_log "pass"
