#!/usr/bin/env bash
# The skins button of the running utility, with real clicks: another shipped
# skin chosen in the chooser's list, then another text colour through the
# system's colour chooser. Each OK writes the four "Skins" keys of str.ini
# and draws the page again from the new skin in the new colour; Cancel and
# close change nothing; the next start keeps the skin and the colour.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine

dir="$(e2e_make_folder skins 1)"
cd "$dir"
e2e_ini_set str.ini Lan EN
e2e_ini_set str.ini Path Default
e2e_ini_set str.ini RColor 230
e2e_ini_set str.ini GColor 230
e2e_ini_set str.ini BColor 230

cx=0 cy=0
start_shown() { e2e_start_shown "$dir/PX6410-3-4.exe" "$1"; }

# The chooser and the colour chooser as the helper lists the process's windows.
CHOOSER='^window [-0-9]+ [-0-9]+ [0-9]+ [0-9]+ class=(?!PX6410GMClass).* title=$'
COLOUR='^window .* title=Color$'
chooser_child() { helper windows | tr -d '\r' | awk -v id="$1" '/^window/ {m = !/class=PX6410GMClass/ && /title=$/} m && $1 == "child" && $2 == id' | head -n1; }
label() { chooser_child 560 | sed 's/.* text=//'; }

open_chooser() {
  local line
  e2e_origin
  xdotool mousemove $((ox + 710)) $((oy + 14)) click 1
  e2e_wait_line '^child 560 ' >/dev/null || { e2e_shot skins-no-chooser >/dev/null; e2e_fail "the skins button opened no chooser"; }
  line="$(e2e_wait_line "$CHOOSER")"
  read -r cx cy < <(awk '{print $2, $3}' <<<"$line")
  # Drawn completely before anything is read off it.
  e2e_until 30 steady_chooser || e2e_fail "the chooser is not drawn steadily"
}
steady_chooser() {
  local a b
  a="$(import -window root -crop "380x280+$cx+$cy" +repage -depth 8 rgb:- | md5sum)"
  b="$(import -window root -crop "380x280+$cx+$cy" +repage -depth 8 rgb:- | md5sum)"
  [ "$a" = "$b" ]
}
chooser_click() { xdotool mousemove $((cx + $1)) $((cy + $2)) click 1; }
chooser_gone() {
  e2e_wait_line '!^child 560 ' >/dev/null || e2e_fail "the chooser is still open"
  e2e_settle
}

# Picks NAME in the chooser's list (in the order the file system gives).
pick_skin() {
  local name=$1 list left top itemh count i
  for i in 0 1 2 3 4 5; do
    chooser_click 140 136
    list="$(e2e_wait_line '^child 562 ')" || e2e_fail "the skins list did not open"
    read -r left top < <(awk '{print $4, $5}' <<<"$list")
    itemh="$(grep -o 'itemh=[0-9]*' <<<"$list" | cut -d= -f2)"
    count="$(grep -o 'count=[0-9]*' <<<"$list" | cut -d= -f2)"
    [ "$i" -lt "$count" ] || e2e_fail "$name is not in the skins list"
    chooser_click $((left + 20)) $((top + 2 + i * itemh + itemh / 2))
    e2e_wait_line '!^child 562 ' >/dev/null || e2e_fail "the skins list stayed open after a choice"
    [ "$(label)" = "$name" ] && return 0
  done
  e2e_fail "$name is not in the skins list"
}

ini_value() { iconv -f UTF-16 -t UTF-8 str.ini | tr -d '\r' | grep "^$1=" | cut -d= -f2; }
ini_colour() { echo "$(ini_value RColor),$(ini_value GColor),$(ini_value BColor)"; }
# After OK the chooser is gone before the owner writes (Wine without a window
# manager waits up to two seconds for the window to be withdrawn).
ini_is() { [ "$(ini_value Path)" = "$1" ] && [ "$(ini_colour)" = "$2" ]; }
wait_ini() {
  e2e_until 60 ini_is "$1" "$2" && return 0
  e2e_fail "str.ini after OK: Path=$(ini_value Path), colour $(ini_colour); expected $1 in $2"
}

# The colour of one screen pixel as R,G,B.
pixel() {
  local hex
  hex="$(import -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- | grep -o -m1 '#[0-9A-F]\{6\}')"
  printf '%d,%d,%d' "0x${hex:1:2}" "0x${hex:3:2}" "0x${hex:5:2}"
}
swatch_colour() { pixel $((cx + 96)) $((cy + 102)); }

# The page's texts: pixels of exactly the colour R,G,B in the headings, the
# row captions and the push button captions, less those the skin's own page
# picture has there (so a colour the skin happens to use is not counted).
text_areas=("105x21+259+160" "105x21+504+161" "105x21+504+275" "105x21+704+275" "105x21+253+518" "105x21+562+623")
hex_of() { IFS=, read -r r g b <<<"$1"; printf '#%02X%02X%02X' "$r" "$g" "$b"; }
count_in() {
  local image=$1 hex=$2 area sum=0 n
  for area in "${text_areas[@]}"; do
    n="$(convert "$image" -crop "$area" +repage -depth 8 txt:- | grep -c "$hex" || true)"
    sum=$((sum + n))
  done
  echo "$sum"
}
text_pixels() {
  local colour=$1 skin=$2 shot="$E2E_ROOT/client.png" hex
  e2e_origin
  hex="$(hex_of "$colour")"
  import -window root -crop "878x658+$ox+$oy" +repage "$shot"
  echo $(($(count_in "$shot" "$hex") - $(count_in "Skins/$skin/BasicSet2.png" "$hex")))
}
expect_text_colour() {
  local n
  n="$(text_pixels "$1" "$2")"
  [ "$n" -ge 40 ] || { e2e_shot "skins-wrong-text-$3" >/dev/null; e2e_fail "$3: the page's texts are not in $1 ($n pixels); open windows: $(helper windows | tr '\n' ';')"; }
  e2e_log "ok: $3: texts in $1 ($n pixels)"
}
# Share of the client area that is the page picture of SKIN, in percent.
page_share() {
  local shot="$E2E_ROOT/client.png" differ
  import -window root -crop "878x658+$ox+$oy" +repage "$shot"
  convert "Skins/$1/BasicSet2.png" -crop 878x658+0+0 +repage "$E2E_ROOT/picture.png"
  differ="$(compare -metric AE -fuzz 2% "$shot" "$E2E_ROOT/picture.png" null: 2>&1 || true)"
  echo $(((878 * 658 - ${differ%% *}) * 100 / (878 * 658)))
}
page_is_of() { [ "$(page_share "$1")" -ge 70 ]; }
expect_page_of() {
  e2e_origin
  e2e_until 30 page_is_of "$1" || { e2e_shot "skins-wrong-page-$2" >/dev/null; e2e_fail "$2: the page is not drawn from $1 ($(page_share "$1") %)"; }
  e2e_log "ok: $2: the page is drawn from $1 ($(page_share "$1") %)"
}
# The click's tail asks for a window drag; once the chooser has ended, the
# button is long up and the window must stay where it is as the pointer moves.
expect_window_stays() {
  local before="$ox $oy"
  xdotool mousemove_relative 60 40 mousemove_relative 60 40
  helper settle 30000 >/dev/null || e2e_fail "$1: the window is in a drag"
  e2e_origin
  [ "$ox $oy" = "$before" ] || e2e_fail "$1: the window follows the pointer (from $before to $ox $oy)"
}

# --- the first start: Default, light grey texts ------------------------------------
start_shown first
expect_page_of Default "at start"
expect_text_colour 230,230,230 Default "at start"

# --- another skin: Light proposes its own colour --------------------------------
open_chooser
[ "$(label)" = Default ] || e2e_fail "the chooser opened with '$(label)', not the skin in force"
[ "$(swatch_colour)" = 230,230,230 ] || e2e_fail "the swatch shows $(swatch_colour), not the colour in force"
pick_skin Light
proposed="$(swatch_colour)"
[ "$proposed" = "$(tr -d ' \r\n' <Skins/Light/text-color.txt)" ] || e2e_fail "Light proposed $proposed"
e2e_shot skins-button-chooser >/dev/null
chooser_click 200 263  # OK
chooser_gone
wait_ini Light "$proposed"
helper state | grep -q '^visible' || e2e_fail "the window is not shown after OK"
expect_window_stays "after the skin change"
expect_page_of Light "after the skin change"
expect_text_colour "$proposed" Light "after the skin change"
e2e_shot skins-button-light >/dev/null

# --- another colour through the system's colour chooser --------------------------
open_chooser
[ "$(label)" = Light ] || e2e_fail "the chooser shows '$(label)' after the change"
chooser_click 96 102  # the swatch
colour_window="$(e2e_wait_line "$COLOUR")" || e2e_fail "no colour chooser: $(helper windows)"
read -r kx ky < <(awk '{print $2, $3}' <<<"$colour_window")
grid="$(helper windows | tr -d '\r' | awk '/title=Color$/{f=1;next} /^window/{f=0} f && $2==720')"
read -r gl gt gr gb < <(awk '{print $4, $5, $6, $7}' <<<"$grid")
# A cell of the basic colours; whichever colour the system chooser then
# answers on OK, it must differ from Light's and reach the swatch, str.ini
# and the page. The swatch must show it once the chooser is gone.
swatch_before="$(swatch_colour)"
xdotool mousemove $((kx + gl + (gr - gl) * 9 / 16)) $((ky + gt + (gb - gt) * 7 / 12)) click 1
e2e_shot skins-button-colour-chooser >/dev/null
# Its OK is the default button; Wine's chooser may take a moment to listen.
colour_gone() { xdotool key Return; e2e_wait_line "!$COLOUR" 3 >/dev/null; }
e2e_until 60 colour_gone || e2e_fail "the colour chooser is still open"
swatch_changed() { [ "$(swatch_colour)" != "$swatch_before" ]; }
e2e_until 30 swatch_changed || e2e_fail "the swatch did not take the picked colour"
picked="$(swatch_colour)"
[ "$picked" != "$proposed" ] || e2e_fail "the swatch did not take the picked colour"
chooser_click 200 263  # OK
chooser_gone
wait_ini Light "$picked"
expect_window_stays "after the colour change"
expect_page_of Light "after the colour change"
expect_text_colour "$picked" Light "after the colour change"
e2e_shot skins-button-colour >/dev/null

# --- Cancel and close change nothing --------------------------------------------
# The pointer rests where nothing lights up under it for both pictures.
page_picture() { import -window root -crop "878x658+$ox+$oy" +repage "$E2E_ROOT/$1.png"; }
e2e_origin
xdotool mousemove $((ox + 20)) $((oy + 400))
e2e_until 30 e2e_region_steady 0 0 878 658 || e2e_fail "the page is not drawn steadily"
cp str.ini str-before.ini
page_picture page-before
open_chooser
pick_skin Crimson
[ "$(swatch_colour)" != "$picked" ] || e2e_fail "Crimson proposed no colour of its own"
chooser_click 320 263  # Cancel
chooser_gone
cmp -s str.ini str-before.ini || e2e_fail "Cancel changed str.ini"
# The page shows again as it was where the chooser lay (Wine without a window
# manager may take two seconds to let the owner repaint).
xdotool mousemove $((ox + 20)) $((oy + 400))
page_as_before() {
  page_picture page-after
  changed="$(compare -metric AE "$E2E_ROOT/page-before.png" "$E2E_ROOT/page-after.png" null: 2>&1 || true)"
  [ "$changed" = 0 ]
}
e2e_until 30 page_as_before || { cp "$E2E_ROOT/page-before.png" "$E2E_ROOT/page-after.png" "$E2E_SHOTS/"; e2e_fail "Cancel changed $changed pixels of the page"; }
open_chooser
[ "$(label)" = Light ] && [ "$(swatch_colour)" = "$picked" ] ||
  e2e_fail "after Cancel the chooser opens with $(label) in $(swatch_colour)"
chooser_click 360 14  # close
chooser_gone
cmp -s str.ini str-before.ini || e2e_fail "closing the chooser changed str.ini"
e2e_log "ok: Cancel and close change nothing"

# --- the next start keeps the skin and the colour ---------------------------------
helper post 0x111 1028 0
e2e_exits_with first 0 || e2e_fail "the exit command did not end the program with 0"
cmp -s str.ini str-before.ini || e2e_fail "the exit changed str.ini"
start_shown second
expect_page_of Light "after a new start"
expect_text_colour "$picked" Light "after a new start"
e2e_shot skins-button-restart >/dev/null
open_chooser
[ "$(label)" = Light ] && [ "$(swatch_colour)" = "$picked" ] ||
  e2e_fail "after a new start the chooser opens with $(label) in $(swatch_colour)"
# OK without a change writes the keys in force again, over whatever another
# hand left in str.ini meanwhile; the page stays as it was.
e2e_ini_set str.ini Path Crimson
e2e_ini_set str.ini GColor 7
chooser_click 200 263
chooser_gone
wait_ini Light "$picked"
expect_page_of Light "after OK without a change"
expect_text_colour "$picked" Light "after OK without a change"
helper post 0x111 1028 0
e2e_exits_with second 0 || e2e_fail "the second run did not end with 0"
e2e_log "pass"
