#!/usr/bin/env bash
# End to end on Linux, with real clicks on the button rows at the same client
# coordinates as on Windows, in one run: tests/flows/rows.flow (every
# function in both modes through the rows' lists, the DPI sub-list and the
# real dialogs, read back from the simulated mouse after each Apply; the
# left-click warning, Shift, a cancelled dialog, Default), played on Linux.
# Single Key takes the real keyboard: Enter sends the key table's "Enter"
# with its code.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/linux/lib.sh"
lx_start_display
lx_start_tray
lx_start_bus

dir="$(lx_make_folder rows 1)"  # a mouse of DPI table variant 1
cd "$dir"
APP=rows
lx_start_shown "$APP"
source "$SOURCE_DIR/tests/linux/flow_steps/rows.sh"
flow_play rows linux

lx_click 859 14
lx_exited_with rows 20 0 || lx_fail "the close button did not end the program with 0"
lx_log "pass"
