# The steps of tests/flows/skins_button.flow on Linux (px6410 under X11): the
# chooser found as the program's untitled window, Qt's colour chooser by its
# title, the rest read off the screen. Sourced by
# tests/linux/e2e_skins_button.sh after tests/linux/lib.sh, in the folder
# of the utility.
source "$SOURCE_DIR/tests/flows/flow.sh"

run=""
step_start() { run=$1; lx_start_shown "$run"; }
step_quit() {
  lx_origin
  flow_click close "$OX" "$OY"
  lx_exited_with "$1" 20 0 || lx_fail "the close button did not end $1 with 0"
}

# The chooser: its list's entries are as high as the dialog font (14 pixels
# in English) below a one-pixel border; its swatch shows the chosen colour.
ENTRY=14
step_chooser() {
  lx_origin
  flow_click skins_button "$OX" "$OY"
  lx_wait_dialog "$run" || { lx_shot skins-no-chooser >/dev/null; lx_fail "the skins button opened no chooser"; }
  lx_wait 10 lx_dialog_drawn || lx_fail "the chooser is not drawn"
}
chooser_end() {
  flow_click "$1" "$DX" "$DY"
  lx_wait_no_dialog "$run" || lx_fail "the chooser is still open"
}
step_chooser_ok() { chooser_end dialog_ok; }
step_chooser_cancel() { chooser_end dialog_cancel; }
step_chooser_close() { chooser_end chooser_close; }

rgb_of() { printf '%d,%d,%d' "0x${1:1:2}" "0x${1:3:2}" "0x${1:5:2}"; }
swatch_colour() { rgb_of "$(lx_pixel $((DX + 96)) $((DY + 102)))"; }
swatch_settled() { local a; a="$(swatch_colour)"; [ "$a" = "$(swatch_colour)" ]; }
swatch_is() { [ "$(swatch_colour)" = "$1" ]; }
step_swatch() { [ "$(swatch_colour)" = "$(flow_colour "$1")" ] || lx_fail "the swatch shows $(swatch_colour), not $1"; }
step_swatch_not() { [ "$(swatch_colour)" != "$(flow_colour "$1")" ] || lx_fail "the swatch shows $1"; }
# Picks NAME in the list: the entry whose own colour the swatch then shows
# (the shipped skins' colours differ from each other and from the one in force).
step_pick() {
  local name=$1 i
  for i in 0 1 2 3 4 5; do
    lx_dregion 42 146 100 40 skins-list-closed
    flow_click drop_skins "$DX" "$DY"
    lx_wait_dregion_change skins-list-closed 42 146 100 40 || lx_fail "the skins list did not open"
    lx_dclick 62 $((146 + 1 + ENTRY * i + ENTRY / 2))
    lx_wait 10 swatch_settled || lx_fail "the swatch does not settle"
    swatch_is "$(flow_colour "skin:$name")" && return 0
  done
  lx_fail "$name is not in the skins list"
}

# Another colour through Qt's colour chooser: typed as HTML.
colour_window() { xdotool search --onlyvisible --name '^Select Color$' 2>/dev/null | head -n1; }
has_colour_window() { [ -n "$(colour_window)" ]; }
step_colour() {
  flow_click swatch "$DX" "$DY"
  lx_wait 20 has_colour_window || lx_fail "no colour chooser"
  eval "$(lx_geometry "$(colour_window)")"
  # The HTML field, at the lower right of Qt's colour dialog.
  xdotool mousemove $((X + 418)) $((Y + 346)) click --repeat 3 1
  xdotool key ctrl+a type '#4080c0'
  xdotool key Return
  lx_wait 20 bash -c "! xdotool search --onlyvisible --name '^Select Color\$'" || lx_fail "the colour chooser is still open"
  FLOW_PICKED=64,128,192
  lx_wait 10 swatch_is "$FLOW_PICKED" || lx_fail "the swatch shows $(swatch_colour), not the typed $FLOW_PICKED"
}

step_ini() {
  local colour
  colour="$(flow_colour "$2")"
  lx_wait 20 flow_ini_is "$1" "$colour" || step_ini_is "$1" "$colour"
}

client() { lx_origin; import -window root -crop "878x658+$OX+$OY" +repage "$LX_ROOT/$1.png"; }
page_is() { client page && flow_measure_page "$LX_ROOT/page.png" "$1" "$2" "$LX_ROOT" && flow_page_ok; }
step_page() {
  local skin=$1 colour when=$3
  colour="$(flow_colour "$2")"
  lx_wait 10 page_is "$skin" "$colour" && { lx_log "ok: $when: $skin, texts in $colour"; return 0; }
  page_is "$skin" "$colour" || true
  lx_shot skins-wrong-page >/dev/null
  lx_fail "$when: the page is not drawn from $skin in $colour ($SHARE % of the picture, $TEXTS text pixels)"
}
# After OK the window is in front and stays where it is as the pointer moves
# (the click that opened the chooser asks for no drag once it has ended).
flow_fail() { lx_fail "$@"; }
flow_origin() { lx_origin; echo "$OX $OY"; }
flow_settle() { :; }
step_front() {
  lx_visible || lx_fail "$1: the window is not shown"
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(lx_window)" ] || lx_fail "$1: the window has not the focus ($(xdotool getwindowfocus 2>/dev/null), not $(lx_window))"
  flow_stays_as_pointer_moves "$1"
  lx_origin
}

# The pointer rests where nothing lights up under it.
rest() { xdotool mousemove $((OX + 20)) $((OY + 400)); }
step_remember() {
  lx_origin
  rest
  step_remember_ini
  client page-before
}
page_as_before() {
  client page-after
  [ "$(compare -metric AE "$LX_ROOT/page-before.png" "$LX_ROOT/page-after.png" null: 2>&1 || true)" = 0 ]
}
step_same_page() {
  rest
  lx_wait 10 page_as_before || { cp "$LX_ROOT/page-before.png" "$LX_ROOT/page-after.png" "$LX_SHOTS/"; lx_fail "$1 changed the page"; }
}
step_shot() { lx_shot "$1" >/dev/null; }
step_screen() { lx_screen "$1"; }
