#!/usr/bin/env bash
# End to end on a Wayland desktop (weston, Qt's Wayland platform), which has
# no notification area and lets no program raise or restore its own window:
# the page shows at start and is drawn; a row's list opens; a quick click
# changes the report rate; Single Key's dialog captures a key; after Escape,
# after the mouse is unplugged and plugged in again, and under another
# window, a second start ends with 0 and brings the page back on top.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/linux/lib.sh"
# Weston manages the page; its output window alone on the X display, at its
# corner, where the pictures below expect it.
LX_BARE_X=1 lx_start_display
lx_start_bus
lx_start_weston
LX_WL_PAGE_SIZE="$(identify -format '%w %h' "$BUILD_DIR/dist/Skins/Default/main.png")"

dir="$(lx_make_folder wayland 1)"
cd "$dir"
lx_wl_still desktop || lx_fail "the desktop does not settle"
lx_log "start: the page shows, drawn"
lx_start_app first "$dir/px6410" --sim mouse.bin
lx_wl_wait_page desktop 60 || lx_fail "no page on the Wayland desktop: $(cat "$LX_ROOT/first.out")"
# Weston's opening animation over.
lx_wl_still started || lx_fail "the page does not settle"
page_drawn() { [ "$(import -window root -crop "${OW}x${OH}+$OX+$OY" -format '%[fx:maxima]' info:)" != 0 ]; }
lx_wait 10 page_drawn || lx_fail "the page is not drawn"
lx_screen wayland-start
lx_log "the page at $OX,$OY"

# Each second start ends with 0 and the page comes back on top of BASE.
second_start() {
  local name=$1 base=$2
  lx_start_app "$name" "$dir/px6410" --sim mouse.bin
  lx_exited_with "$name" 60 0 || lx_fail "the second start ($name) did not end with 0"
  lx_wl_wait_page "$base" || { lx_screen "failed-wayland-$name"; lx_fail "the second start ($name) did not bring the page back"; }
}

lx_log "a quick click on 125 Hz; row 2's list opens"
lx_region 540 200 300 20 rate-before
lx_click 560 208
lx_wait_region_change rate-before 540 200 300 20 20 || lx_fail "a quick click did not change the report rate"
lx_region 252 222 211 21 row2-before
lx_region 252 300 211 140 lists-closed
lx_click 330 232
lx_wait_region_change lists-closed 252 300 211 140 || lx_fail "row 2's list did not open"

lx_log "Single Key's dialog takes a key"
# The pointer rests on the entry (its highlight drawn) before the click; the
# pictures compared are all taken with the pointer parked.
entry_x=$((OX + 282)) entry_y=$((OY + 245 + 14 * 10 + 7))
xdotool mousemove "$entry_x" "$entry_y"
lx_wl_park
lx_wl_still list-pointed || lx_fail "the list does not settle"
xdotool mousemove "$entry_x" "$entry_y" click 1
lx_wl_park
dialog_on() {
  local box
  box="$(lx_wl_box list-pointed)"
  [ -n "$box" ] || return 1
  read -r DW DH DX DY <<<"$box"
  [ "$DW $DH" = "$(identify -format '%w %h' "$dir/Skins/Default/single-key.png")" ]
}
lx_wait 30 dialog_on || { lx_screen failed-wayland-dialog; lx_fail "no Single Key dialog"; }
dialog_on
lx_wait 10 lx_dialog_drawn || lx_fail "the dialog is not drawn"
lx_dregion 73 128 78 16 key-before
xdotool key a
lx_wait_dregion_change key-before 73 128 78 16 || lx_fail "the dialog shows no key after a press"
lx_screen wayland-single-key
lx_dclick 200 263
row2_changed() { lx_region 252 222 211 21 row2-now && lx_differs row2-before row2-now; }
lx_wl_park
lx_wait 20 row2_changed || lx_fail "OK in the dialog did not change row 2"
lx_wl_wait_page desktop || lx_fail "the dialog stayed"

lx_log "Escape, then a second start"
# The key goes where weston's keyboard focus is, which comes back to the
# page some time after the dialog ends: pressed again until the page goes.
escape_takes_it() {
  xdotool key Escape
  lx_wait 3 lx_wl_gone desktop
}
lx_wl_park
lx_wait 30 escape_takes_it || lx_fail "Escape did not take the page away"
lx_running first || lx_fail "Escape ended the program"
second_start after-escape desktop

lx_log "unplug and plug the mouse, then a second start"
from=$(($(lx_notes_seen) + 1))
mv mouse.bin mouse.away
lx_wait_note "Warning|The system did not detect the gaming mouse!" "$from" || lx_fail "no not-detected notification"
lx_wl_wait_gone desktop || lx_fail "the unplug did not take the page away"
from=$(($(lx_notes_seen) + 1))
mv mouse.away mouse.bin
lx_wait_note "Info|The system detect the gaming mouse." "$from" || lx_fail "no detected notification"
second_start after-plug desktop

lx_log "a page covered by another window, then a second start"
# A maximised terminal (running cat: nothing moves in it) over the whole desktop.
weston-terminal --maximized --shell=/bin/cat >/dev/null 2>&1 &
terminal=$!
LX_PIDS+=($terminal)
lx_wl_park
covered() {
  local w h x y
  read -r w h x y <<<"$(lx_wl_box desktop)"
  [ "${w:-0}" -ge 1200 ] && [ "${h:-0}" -ge 700 ]
}
lx_wait 30 covered || lx_fail "the other window does not cover the page: $(lx_wl_box desktop)"
lx_wl_still covered || lx_fail "the covered desktop does not settle"
# The page comes up over it. The terminal, no longer active, changes its
# frame and cursor: only its inside below the cursor's line counts, where
# the page shows (nearly) all its width and most of its height.
page_over_cover() {
  local w h x y page_w page_h
  read -r page_w page_h <<<"$LX_WL_PAGE_SIZE"
  read -r w h x y <<<"$(lx_wl_box covered 60 10)"
  [ "${w:-0}" -ge $((page_w - 20)) ] && [ "${w:-0}" -le "$page_w" ] && [ "${h:-0}" -ge $((page_h - 160)) ]
}
lx_start_app after-cover "$dir/px6410" --sim mouse.bin
lx_exited_with after-cover 60 0 || lx_fail "the second start (after-cover) did not end with 0"
lx_wl_park
lx_wait 30 page_over_cover || {
  lx_screen failed-wayland-after-cover
  lx_fail "the second start did not bring the page over the other window: $(lx_wl_box covered 60 10)"
}
lx_screen wayland-uncovered
# The terminal gone, the page is found whole again.
kill "$terminal"
lx_wl_wait_page desktop || lx_fail "no page once the other window has gone"

lx_log "the close button ends the program with 0"
lx_click 859 14
lx_exited_with first 20 0 || lx_fail "the close button did not end the program with 0"
lx_log "pass"
