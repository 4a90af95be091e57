#!/usr/bin/env bash
# Skin drawing from an executable deep in the file system: the failure box of
# a missing image still names the program, even when the path to it is longer
# than a thousand characters.
set -euo pipefail
BUILD_DIR="$1"
SOURCE_DIR="$2"

WORK="$(mktemp -d "${TMPDIR:-/tmp}/px-skin-long.XXXXXX")"
trap 'rm -rf "$WORK"' EXIT
deep="$WORK"
for _ in 1 2 3 4 5; do deep="$deep/$(printf 'f%.0s' $(seq 1 230))"; done
mkdir -p "$deep"
cp "$BUILD_DIR/px_win_tests.exe" "$deep/"
cd "$deep"
"$SOURCE_DIR/scripts/wine-env.sh" ./px_win_tests.exe \
  --gtest_filter='SkinDraw.DialogVariantReportsEachFailedLoadWithTheExecutablesName'
