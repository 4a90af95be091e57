# The end-to-end flows both utilities run, written once (tests/flows/*.flow)
# and played by each system's driver (tests/wine/flow_steps/NAME.sh,
# tests/linux/flow_steps/NAME.sh), which turns a step into that system's
# clicks, keys and condition waits. Sourced after the system's own library.
#
# A flow is one step a line: a verb and its words, quoted as in bash.
# "wine:" or "linux:" before a step keeps it to that system (where the two
# rightly differ, e.g. a key Wine names otherwise). "#" starts a comment line.

# Points of the page and of its dialogs, in client coordinates: the same on
# both systems, as the two utilities draw the same page.
declare -gA FLOW_POINT=(
  [mode_A]="300 528" [mode_B]="410 528" [apply]="700 633" [default]="350 558"
  [dialog_ok]="200 263" [dialog_cancel]="320 263" [fire_times]="120 111"
  [drop_windows]="140 136" [drop_media]="140 136" [drop_hot]="140 136"
  [drop_snipe]="140 113" [drop_fire]="150 77"
  [skins_button]="710 14" [close]="859 14" [cancel]="822 633"
  [drop_skins]="140 136" [swatch]="96 102" [chooser_close]="360 14"
)
# The small dialogs: the picture each opens at the size of, its label's and
# its list's control IDs ("-": none); its drop-down is point drop_KIND.
FLOW_DIALOG_KINDS=(fire hot media windows snipe single skins)
declare -gA FLOW_DIALOG=(
  [fire]="fire-key 572 573" [hot]="hot-key 565 566" [media]="media-key 552 553"
  [windows]="windows-key 532 533" [snipe]="snipe-key 563 564" [single]="single-key 502 -"
  [skins]="skins 560 562"
)
# Every small dialog in every skin of FOLDER/Skins, in English and
# Simplified Chinese, with the skin's own text colour: the driver's
# look_dialog KIND LANG SKIN COLOUR SKIN_DIR adds its pictures to SHEET, then
# look_sheet SKIN LANG lays them out.
flow_dialog_looks() {
  local skin_dir skin colour lang kind
  for skin_dir in "$1"/Skins/*/; do
    skin="$(basename "$skin_dir")"
    colour="$(tr -d ' \r\n' <"$skin_dir/text-color.txt" 2>/dev/null || echo 230,230,230)"
    for lang in EN CHS; do
      SHEET=()
      for kind in "${FLOW_DIALOG_KINDS[@]}"; do look_dialog "$kind" "$lang" "$skin" "$colour" "$skin_dir"; done
      look_sheet "$skin" "$lang"
    done
  done
}
# The middle of entry INDEX of a list as "X Y", from the list's line of a
# dialog runner's listing ("child ID CLASS LEFT TOP RIGHT BOTTOM ...
# itemh=H"), in the listing's coordinates.
flow_entry_point() {
  local left top h
  read -r left top < <(awk '{print $5, $6}' <<<"$1")
  h="$(grep -o 'itemh=[0-9]*' <<<"$1" | cut -d= -f2)"
  echo $((left + 20)) $((top + 2 + $2 * h + h / 2))
}
# The size of the picture a dialog of KIND opens at in SKIN_DIR, as WxH.
flow_dialog_size() { identify -format '%wx%h' "$2/${FLOW_DIALOG[$1]%% *}.png"; }
FLOW_ROW_X=330
# Row ROW of the key panel (1..4).
flow_row_y() { echo $((209 + 23 * ($1 - 1))); }
# The page or dialog point NAME as "X Y".
flow_point() {
  [ -n "${FLOW_POINT[$1]:-}" ] || { echo "FAIL: no point named $1" >&2; exit 1; }
  echo "${FLOW_POINT[$1]}"
}
# Clicks point NAME of a window whose client area is at X0,Y0 on the screen.
flow_click() {
  local x y
  read -r x y <<<"$(flow_point "$1")"
  xdotool mousemove $(($2 + x)) $(($3 + y)) click 1
}

# --- rows: steps made of the driver's own (step_open, step_choose,
# step_closed, wait_dialog, act_ACTION, dialog_end) ---------------------------
step_give() { step_open "$1"; step_choose "$1" "$2"; step_closed "$1"; }
# Row ROW takes function ENTRY whose dialog opens; ACTION ARGS... run in it
# before OK.
step_dialog() {
  local row=$1 entry=$2 action=${3:-}
  step_open "$row"
  step_choose "$row" "$entry"
  wait_dialog
  [ -z "$action" ] || "act_$action" "${@:4}"
  dialog_end dialog_ok
  step_closed "$row"
}
step_cancel() {
  step_open "$1"
  step_choose "$1" "$2"
  wait_dialog
  dialog_end dialog_cancel
  step_closed "$1"
}

# flow_bytes_are FILE "OFFSET VALUE"...: the file's bytes (decimal) are
# those; else FLOW_FAULT says which is not.
FLOW_FAULT=""
flow_bytes_are() {
  local file=$1 pair offset value got
  shift
  for pair; do
    read -r offset value <<<"$pair"
    got="$(od -An -tu1 -j "$offset" -N1 "$file" | tr -d ' ')"
    [ "$got" = "$value" ] || { FLOW_FAULT="$file byte $offset is $got, expected $value"; return 1; }
  done
}

# The eight button labels of str.ini's English section (Mode A rows 1..4,
# then Mode B's), joined by "|".
flow_labels() {
  local text key out=""
  text="$(iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r')"
  for key in Item1 Item2 Item3 Item4 Item13 Item23 Item33 Item43; do
    out+="$(awk -v k="$key" '/^\[/ {s = ($0 == "[Setting-EN]")} s && index($0, k "=") == 1 {print substr($0, length(k) + 2)}' <<<"$text")|"
  done
  echo "${out%|}"
}
# The eight button entries (code and kind bytes, hex) of a device image, in
# the order of flow_labels.
flow_entries() {
  local o got=""
  for o in 130 132 134 140 162 164 166 170; do got+="$(od -An -tx1 -j "$o" -N2 "$1" | tr -d ' \n') "; done
  echo "${got% }"
}

# flow_play NAME SYSTEM: plays tests/flows/NAME.flow with the driver's
# step_VERB functions. Each step is logged with its line before it runs, so
# the line above a failure's message is the step that failed.
flow_play() {
  local file="$FLOW_DIR/$1.flow" system=$2 n=0 first line more verb
  local -a words
  [ -r "$file" ] || { echo "FAIL: no flow $file" >&2; exit 1; }
  while IFS= read -r -u 9 line || [ -n "$line" ]; do
    n=$((n + 1))
    first=$n
    # A line ending in "\" goes on in the next.
    while [[ $line == *\\ ]] && IFS= read -r -u 9 more; do
      n=$((n + 1))
      line="${line%\\} ${more#"${more%%[![:space:]]*}"}"
    done
    [[ $line =~ ^[[:space:]]*(#|$) ]] && continue
    if [[ $line =~ ^(wine|linux):[[:space:]]*(.*)$ ]]; then
      [ "${BASH_REMATCH[1]}" = "$system" ] || continue
      line=${BASH_REMATCH[2]}
    fi
    eval "words=($line)"
    verb=${words[0]}
    declare -F "step_$verb" >/dev/null || { echo "FAIL: $1.flow:$first: no step '$verb' on $system" >&2; exit 1; }
    echo "[$(date +%H:%M:%S)] $1.flow:$first $line"
    "step_$verb" "${words[@]:1}"
  done 9<"$file"
}
FLOW_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# --- the skin's looks ----------------------------------------------------------
FLOW_PICKED=""  # the colour last taken from the system's colour chooser
# A flow's COLOUR as R,G,B: itself, skin:NAME (the skin's own text colour,
# from the folder's Skins/) or picked.
flow_colour() {
  case $1 in
    skin:*) tr -d ' \r\n' <"Skins/${1#skin:}/text-color.txt" ;;
    picked) echo "$FLOW_PICKED" ;;
    *) echo "$1" ;;
  esac
}
# The skin's keys of str.ini (FLOW_INI, else the one of this folder).
flow_ini_value() { iconv -f UTF-16 -t UTF-8 "${FLOW_INI:-str.ini}" | tr -d '\r' | grep "^$1=" | cut -d= -f2; }
flow_ini_colour() { echo "$(flow_ini_value RColor),$(flow_ini_value GColor),$(flow_ini_value BColor)"; }
flow_ini_is() { [ "$(flow_ini_value Path)" = "$1" ] && [ "$(flow_ini_colour)" = "$2" ]; }
# The same, with COLOUR "-" for any colour.
flow_ini_skin_is() { [ "$(flow_ini_value Path)" = "$1" ] && { [ "$2" = - ] || [ "$(flow_ini_colour)" = "$2" ]; }; }
# Steps on str.ini (FLOW_INI, else this folder's), alike on both systems;
# the driver's flow_fail ends the test with its message.
flow_ini() { echo "${FLOW_INI:-str.ini}"; }
step_ini_set() { px_ini_set "$(flow_ini)" "$1" "$2"; }
step_remember_ini() { cp "$(flow_ini)" "$(flow_ini).before"; }
step_same_ini() { cmp -s "$(flow_ini)" "$(flow_ini).before" || flow_fail "$1 changed str.ini"; }
step_ini_is() {
  flow_ini_skin_is "$1" "$2" ||
    flow_fail "str.ini holds $(flow_ini_value Path) in $(flow_ini_colour), expected $1 in $2"
}
# The window stays where it is while the pointer moves on (the tail of a
# click that asked for a drag must not leave one running): the driver's
# flow_origin prints where the window is, flow_settle waits until it has
# handled the moves.
flow_stays_as_pointer_moves() {
  local before after
  before="$(flow_origin)"
  xdotool mousemove_relative 60 40 mousemove_relative 60 40
  flow_settle "$1"
  after="$(flow_origin)"
  [ "$after" = "$before" ] || flow_fail "$1: the window follows the pointer (from $before to $after)"
}

# The chooser's answer to a change of colour only: OK, the skin Light kept,
# and the colour WANT, or with "!COLOUR" any other.
flow_colour_answer_is() {
  local got=$1 want=$2
  grep -q '^IDOK name=Light .* color=' <<<"$got" || return 1
  case $want in
    !*) [ "${got##* color=}" != "${want#!}" ] ;;
    *) [ "${got##* color=}" = "$want" ] ;;
  esac
}

# The page's texts: pixels of exactly the colour R,G,B in the headings, the
# row captions and the push button captions, less those the skin's own page
# picture has there (so a colour the skin happens to use is not counted).
FLOW_TEXT_AREAS=("105x21+259+160" "105x21+504+161" "105x21+504+275" "105x21+704+275" "105x21+253+518" "105x21+562+623")
flow_hex() { local r g b; IFS=, read -r r g b <<<"$1"; printf '#%02X%02X%02X' "$r" "$g" "$b"; }
# The text areas of IMAGE side by side, as pixels in text, in one pass.
flow_areas_txt() {
  local crops=() area
  for area in "${FLOW_TEXT_AREAS[@]}"; do crops+=("(" -clone 0 -crop "$area" +repage ")"); done
  convert "$1" "${crops[@]}" -delete 0 +append -depth 8 txt:-
}
flow_count_in() { grep -c "$2" <(flow_areas_txt "$1") || true; }
# The client area in IMAGE (878x658, taken by the driver) against SKIN's page
# picture and the colour R,G,B, pictures kept in folder TMP: SHARE, the part
# that is the picture, in percent, and TEXTS, the pixels of the texts in the
# colour.
SHARE=0 TEXTS=0
flow_measure_page() {
  local image=$1 skin=$2 colour=$3 tmp=$4 picture hex differ
  picture="$tmp/picture-$skin.png"
  [ -f "$picture" ] || convert "Skins/$skin/BasicSet2.png" -crop 878x658+0+0 +repage "$picture"
  hex="$(flow_hex "$colour")"
  differ="$(compare -metric AE -fuzz 2% "$image" "$picture" null: 2>&1 || true)"
  SHARE=$(((878 * 658 - ${differ%% *}) * 100 / (878 * 658)))
  TEXTS=$(($(flow_count_in "$image" "$hex") - $(flow_count_in "$picture" "$hex")))
}
flow_page_ok() { [ "$SHARE" -ge 70 ] && [ "$TEXTS" -ge 40 ]; }

# --- the dialogs' pointer-over looks ---------------------------------------------
# The colours of OK, Cancel and close as the driver read them ("A B C")
# against what a flow expects of each: normal, over (OK's look when the
# pointer was on it) or !normal. The first reading after flow_looks_reset
# gives the normal looks (OK's, and close's own).
flow_looks_reset() { FLOW_LOOK_NORMAL="" FLOW_LOOK_CLOSE="" FLOW_LOOK_OVER=""; }
flow_looks_reset
flow_looks_match() {
  local -a seen
  read -r -a seen <<<"$1"
  shift
  [ -n "$FLOW_LOOK_NORMAL" ] || FLOW_LOOK_NORMAL=${seen[0]} FLOW_LOOK_CLOSE=${seen[2]}
  local i want normal
  for i in 0 1 2; do
    want=${*:$((i + 1)):1} normal=$FLOW_LOOK_NORMAL
    [ "$i" != 2 ] || normal=$FLOW_LOOK_CLOSE
    case $want in
      normal) [ "${seen[$i]}" = "$normal" ] || return 1 ;;
      !normal) [ "${seen[$i]}" != "$normal" ] || return 1 ;;
      over) [ -n "$FLOW_LOOK_OVER" ] && [ "${seen[$i]}" = "$FLOW_LOOK_OVER" ] || return 1 ;;
      *) echo "FAIL: no look named $want" >&2; exit 1 ;;
    esac
  done
  if [ -z "$FLOW_LOOK_OVER" ] && [ "$1" = "!normal" ]; then FLOW_LOOK_OVER=${seen[0]}; fi
}
