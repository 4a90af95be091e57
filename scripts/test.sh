#!/usr/bin/env bash
# Every test: native unit tests (plain and with ASan/UBSan), the fuzz
# targets for a few seconds each from their seed corpora, the Windows build
# with its tests under Wine. Installs what it needs first.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh

for preset in native native-asan fuzz windows; do
  echo "=== $preset ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
