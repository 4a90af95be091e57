#!/usr/bin/env bash
# Drawing cost of the settings page under Wine on a virtual display: BuildPage,
# one hover repaint and one level click, as medians in milliseconds and as
# ratios to one full-client BitBlt measured in the same run.
#   scripts/bench-page.sh [RUNS]        (default 41)
set -euo pipefail
SOURCE_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="$SOURCE_DIR/build/windows"
cmake --preset windows >/dev/null
cmake --build --preset windows --target px_page_bench px_skins >/dev/null
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display >/dev/null
e2e_start_wine >/dev/null
cd "$BUILD_DIR/dist"
wine "$BUILD_DIR/px_page_bench.exe" 'Skins\Default' "${1:-41}" | tr -d '\r'
