#!/usr/bin/env bash
# End to end, with real clicks on the button rows of the settings page, in
# one run of the utility: tests/flows/rows.flow (every function in both
# modes, read back from the simulated mouse after each Apply; the left-click
# warning, Shift, a cancelled dialog, Default), played on Windows.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine

dir="$(e2e_make_folder rows 1)"  # a mouse of DPI table variant 1
cd "$dir"
e2e_start_shown "$dir/PX6410-3-4.exe" rows
source "$SOURCE_DIR/tests/wine/flow_steps/rows.sh"
flow_play rows wine

helper post 0x111 1028 0
e2e_exits_with rows 0 || e2e_fail "the exit command did not end the program with 0"
e2e_log "pass"
