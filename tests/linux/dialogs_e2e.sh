#!/usr/bin/env bash
# The seven small dialogs of the Linux utility, each opened over a window of
# its own by px_dialog_runner_qt and driven with the pointer and the
# keyboard: tests/flows/dialogs.flow (lists, fields, results on OK and
# nothing otherwise, the shared OK / Cancel column, hover looks, the wheel,
# the single key capture from the keyboard, a missing background, and the
# skin chooser writing str.ini), played on Linux.
BUILD_DIR=$1 SOURCE_DIR=$2
source "$SOURCE_DIR/tests/linux/dialogs_lib.sh"
dl_start_display
source "$SOURCE_DIR/tests/linux/flow_steps/dialogs.sh"
flow_play dialogs linux
