#!/usr/bin/env bash
# Prepares the build tree's Wine prefix that every end-to-end test copies
# (fonts mapped, made once): run by ctest before the Wine tests.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_prepare_template
e2e_log "prepared $E2E_TEMPLATE"
