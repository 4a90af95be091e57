#!/usr/bin/env bash
# End to end on Linux, with real clicks at the page's client coordinates (the
# same as on Windows): tests/flows/page.flow (the over look, edits then
# Cancel, the same edits then Apply read back from config.bin and the
# simulated mouse, double clicks, the web link and a drag, quick clicks),
# played on Linux; then the close button ends the program with 0.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/linux/lib.sh"
lx_start_display
lx_start_tray
lx_start_bus

dir="$(lx_make_folder page 1)"
cd "$dir"
lx_start_shown page
source "$SOURCE_DIR/tests/linux/flow_steps/page.sh"
flow_play page linux

lx_log "the close button ends the program with 0"
lx_click 859 14
lx_exited_with page 20 0 || lx_fail "the close button did not end the program with 0"
lx_log "pass"
