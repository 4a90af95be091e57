#!/usr/bin/env bash
# End to end, with real clicks at page coordinates: tests/flows/page.flow
# (the over look, edits then Cancel, which writes nothing, and the saved page
# shown again from the tray where it was; the same edits then Apply, read
# back from config.bin and the simulated mouse; the web link and a drag),
# played on Windows.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
# The web link must not start a browser on the test display: the desktop's
# opener, which Wine's browser launcher calls, only notes the address.
mkdir -p "$E2E_ROOT/bin"
cat >"$E2E_ROOT/bin/xdg-open" <<EOF
#!/bin/sh
echo "\$@" >>"$E2E_ROOT/opened.txt"
EOF
chmod +x "$E2E_ROOT/bin/xdg-open"
export PATH="$E2E_ROOT/bin:$PATH" BROWSER=true
e2e_start_display
e2e_start_wine

dir="$(e2e_make_folder page 1)"
cd "$dir"
e2e_start_shown "$dir/PX6410-3-4.exe" page
source "$SOURCE_DIR/tests/wine/flow_steps/page.sh"
flow_play page wine

helper post 0x111 1028 0
e2e_exits_with page 0 || e2e_fail "the exit command did not end the program with 0"
e2e_log "pass"
