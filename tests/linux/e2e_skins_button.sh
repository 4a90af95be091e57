#!/usr/bin/env bash
# The skins button of the running Linux utility, with real clicks:
# tests/flows/skins_button.flow (another shipped skin, then another text
# colour typed into Qt's colour chooser; str.ini's four keys and the page
# redrawn after each OK, the window in front; Cancel and close change
# nothing; the next start keeps both), played on Linux.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/linux/lib.sh"
lx_start_display
lx_start_tray
lx_start_bus

dir="$(lx_make_folder skins 1)"
cd "$dir"
for setting in Lan=EN Path=Default RColor=230 GColor=230 BColor=230; do lx_ini_set str.ini "${setting%%=*}" "${setting#*=}"; done
source "$SOURCE_DIR/tests/linux/flow_steps/skins_button.sh"
flow_play skins_button linux
lx_log "pass"
