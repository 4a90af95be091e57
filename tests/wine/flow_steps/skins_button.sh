# The steps of tests/flows/skins_button.flow on Windows (the utility under
# Wine): the chooser and Wine's colour chooser found in px_e2e_helper's
# window listing. Sourced by tests/wine/e2e_skins_button.sh after
# tests/e2e/lib.sh; EXE is the utility to start.
source "$SOURCE_DIR/tests/flows/flow.sh"

cx=0 cy=0
# The chooser and the colour chooser as the helper lists the process's windows.
CHOOSER='^window [-0-9]+ [-0-9]+ [0-9]+ [0-9]+ class=(?!PX6410GMClass).* title=$'
COLOUR='^window .* title=Color$'
chooser_child() { helper windows | tr -d '\r' | awk -v id="$1" '/^window/ {m = !/class=PX6410GMClass/ && /title=$/} m && $1 == "child" && $2 == id' | head -n1; }
label() { chooser_child 560 | sed 's/.* text=//'; }

step_start() { e2e_start_shown "$EXE" "$1"; }
step_quit() {
  helper post 0x111 1028 0
  e2e_exits_with "$1" 0 || e2e_fail "the exit command did not end $1 with 0"
}
step_chooser() {
  local line
  e2e_origin
  flow_click skins_button "$ox" "$oy"
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
chooser_end() {
  flow_click "$1" "$cx" "$cy"
  e2e_wait_line '!^child 560 ' >/dev/null || e2e_fail "the chooser is still open"
  e2e_settle
}
step_chooser_ok() { chooser_end dialog_ok; }
step_chooser_cancel() { chooser_end dialog_cancel; }
step_chooser_close() { chooser_end chooser_close; }
step_label() { [ "$(label)" = "$1" ] || e2e_fail "the chooser shows '$(label)', not $1"; }

# Picks NAME in the chooser's list (in the order the file system gives).
step_pick() {
  local name=$1 list left top itemh count i
  for i in 0 1 2 3 4 5; do
    flow_click drop_skins "$cx" "$cy"
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

# The colour of one screen pixel as R,G,B.
pixel() {
  local hex
  hex="$(import -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- | grep -o -m1 '#[0-9A-F]\{6\}')"
  printf '%d,%d,%d' "0x${hex:1:2}" "0x${hex:3:2}" "0x${hex:5:2}"
}
swatch_colour() { pixel $((cx + 96)) $((cy + 102)); }
step_swatch() { [ "$(swatch_colour)" = "$(flow_colour "$1")" ] || e2e_fail "the swatch shows $(swatch_colour), not $1"; }
step_swatch_not() { [ "$(swatch_colour)" != "$(flow_colour "$1")" ] || e2e_fail "the swatch shows $1"; }

# A cell of the basic colours; whichever colour the system chooser then
# answers on OK, it must differ from the one in force and reach the swatch.
step_colour() {
  local window grid kx ky gl gt gr gb before
  before="$(swatch_colour)"
  flow_click swatch "$cx" "$cy"
  window="$(e2e_wait_line "$COLOUR")" || e2e_fail "no colour chooser: $(helper windows)"
  read -r kx ky < <(awk '{print $2, $3}' <<<"$window")
  grid="$(helper windows | tr -d '\r' | awk '/title=Color$/{f=1;next} /^window/{f=0} f && $2==720')"
  read -r gl gt gr gb < <(awk '{print $4, $5, $6, $7}' <<<"$grid")
  xdotool mousemove $((kx + gl + (gr - gl) * 9 / 16)) $((ky + gt + (gb - gt) * 7 / 12)) click 1
  e2e_shot skins-button-colour-chooser >/dev/null
  e2e_until 60 colour_gone || e2e_fail "the colour chooser is still open"
  e2e_until 30 swatch_changed "$before" || e2e_fail "the swatch did not take the picked colour"
  FLOW_PICKED="$(swatch_colour)"
}
# Its OK is the default button; Wine's chooser may take a moment to listen.
colour_gone() { xdotool key Return; e2e_wait_line "!$COLOUR" 3 >/dev/null; }
swatch_changed() { [ "$(swatch_colour)" != "$1" ]; }

# After OK the chooser is gone before the owner writes (Wine without a window
# manager waits up to two seconds for the window to be withdrawn).
step_ini() {
  local colour
  colour="$(flow_colour "$2")"
  e2e_until 60 flow_ini_is "$1" "$colour" || step_ini_is "$1" "$colour"
}

client() { import -window root -crop "878x658+$ox+$oy" +repage "$E2E_ROOT/$1.png"; }
page_is() { client page && flow_measure_page "$E2E_ROOT/page.png" "$1" "$2" "$E2E_ROOT" && flow_page_ok; }
step_page() {
  local skin=$1 colour when=$3
  colour="$(flow_colour "$2")"
  e2e_origin
  e2e_until 30 page_is "$skin" "$colour" && { e2e_log "ok: $when: $skin, texts in $colour ($SHARE %, $TEXTS pixels)"; return 0; }
  e2e_shot "skins-wrong-page" >/dev/null
  e2e_fail "$when: the page is not drawn from $skin in $colour ($SHARE % of the picture, $TEXTS text pixels); open windows: $(helper windows | tr '\n' ';')"
}
flow_fail() { e2e_fail "$@"; }
flow_origin() { e2e_origin; echo "$ox $oy"; }
flow_settle() { helper settle 30000 >/dev/null || e2e_fail "$1: the window is in a drag"; }
step_front() {
  helper state | grep -q '^visible' || e2e_fail "$1: the window is not shown"
  flow_stays_as_pointer_moves "$1"
  e2e_origin
}

# The pointer rests where nothing lights up under it for both pictures.
rest() { xdotool mousemove $((ox + 20)) $((oy + 400)); }
step_remember() {
  e2e_origin
  rest
  e2e_until 30 e2e_region_steady 0 0 878 658 || e2e_fail "the page is not drawn steadily"
  step_remember_ini
  client page-before
}
# The page shows again as it was where the chooser lay (Wine without a window
# manager may take two seconds to let the owner repaint).
page_as_before() {
  client page-after
  changed="$(compare -metric AE "$E2E_ROOT/page-before.png" "$E2E_ROOT/page-after.png" null: 2>&1 || true)"
  [ "$changed" = 0 ]
}
step_same_page() {
  rest
  e2e_until 30 page_as_before ||
    { cp "$E2E_ROOT/page-before.png" "$E2E_ROOT/page-after.png" "$E2E_SHOTS/"; e2e_fail "$1 changed $changed pixels of the page"; }
}
step_shot() { e2e_shot "$1" >/dev/null; }
step_screen() { e2e_shot "$1" >/dev/null; }
