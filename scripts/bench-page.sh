#!/usr/bin/env bash
# Drawing cost of the settings page under Wine on a virtual display: BuildPage,
# one hover repaint and one level click, as medians in milliseconds and as
# ratios to one full-client BitBlt measured in the same run, at 96 DPI and at
# twice the scale (192 DPI, from the @2x pictures).
#   scripts/bench-page.sh [RUNS]        (default 41)
# With --linux, the same for the Linux window (Qt, natively, on Xvfb), as
# ratios to one full-window copy of its canvas, unscaled and at twice the scale:
#   scripts/bench-page.sh --linux [RUNS]
set -euo pipefail
SOURCE_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "${1:-}" = "--linux" ]; then
  BUILD_DIR="$SOURCE_DIR/build/native"
  cmake --preset native >/dev/null
  cmake --build --preset native --target px_page_bench_qt px_skins >/dev/null
  export PX_SCREEN=2000x1500  # room for the page at twice its size
  source "$SOURCE_DIR/tests/linux/lib.sh"
  lx_start_display >/dev/null
  for factor in 1 2; do
    echo "QT_SCALE_FACTOR=$factor"
    QT_SCALE_FACTOR=$factor "$BUILD_DIR/px_page_bench_qt" "$BUILD_DIR/dist/Skins/Default" "${2:-41}"
  done
  exit 0
fi
BUILD_DIR="$SOURCE_DIR/build/windows"
cmake --preset windows >/dev/null
cmake --build --preset windows --target px_page_bench px_skins >/dev/null
export PX_SCREEN=2000x1500  # room for the page at twice its size
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display >/dev/null
e2e_start_wine >/dev/null
cd "$BUILD_DIR/dist"
for scale in 1 2; do
  wine "$BUILD_DIR/px_page_bench.exe" 'Skins\Default' "${1:-41}" "$scale" | tr -d '\r'
done
