#!/usr/bin/env bash
# The skins button of the running utility, with real clicks:
# tests/flows/skins_button.flow (another shipped skin, then another text
# colour through the system's colour chooser; str.ini's four keys and the
# page redrawn after each OK; Cancel and close change nothing; the next start
# keeps both), played on Windows.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine

dir="$(e2e_make_folder skins 1)"
cd "$dir"
for setting in Lan=EN Path=Default RColor=230 GColor=230 BColor=230; do e2e_ini_set str.ini "${setting%%=*}" "${setting#*=}"; done
EXE="$dir/PX6410-3-4.exe"
source "$SOURCE_DIR/tests/wine/flow_steps/skins_button.sh"
flow_play skins_button wine
e2e_log "pass"
