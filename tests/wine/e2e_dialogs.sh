#!/usr/bin/env bash
# The seven small dialogs, opened one after the other by one px_dialog_runner
# and driven with the pointer and the keyboard: tests/flows/dialogs.flow
# (lists, fields, results on OK and nothing otherwise, the shared OK /
# Cancel column, the wheel, the single key capture, a missing background,
# and the skin chooser writing str.ini), played on Windows. What a kind
# keeps between openings carries over, as in the utility.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
source "$SOURCE_DIR/tests/e2e/dialog_runner.sh"
runner_begin
source "$SOURCE_DIR/tests/wine/flow_steps/dialogs.sh"
flow_play dialogs wine
runner_stop
e2e_log "pass"
