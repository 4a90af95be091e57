#!/usr/bin/env bash
# The dialog layer, the control wrappers, the tray record and the resources,
# tested in a Windows process on a virtual display.
BUILD_DIR=$1 SOURCE_DIR=$2
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine
timeout 120 wine "$BUILD_DIR/px_app_win_tests.exe"
