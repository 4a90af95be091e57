#!/usr/bin/env bash
# Every test: native unit tests (plain and with ASan/UBSan), the fuzz
# targets for a few seconds each from their seed corpora, the Windows build
# with its tests under Wine. Installs what it needs first.
#
# The Windows build comes first: its tests, mostly programs under Wine on
# virtual displays that wait for what they look for, run in the background
# while the other builds keep the processors busy (they are written to pass on
# a busy machine). Their log is shown at the end.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh
started=$SECONDS
stage() { echo "=== $* ($((SECONDS - started)) s) ==="; }

stage "windows: build"
cmake --preset windows
cmake --build --preset windows
log=build/windows/test.log
stage "windows: tests in the background ($log)"
# A session of its own, so that a failure below ends its programs too.
setsid -w ctest --preset windows >"$log" 2>&1 &
windows_tests=$!
trap 'kill -- -"$windows_tests" 2>/dev/null || true' EXIT

for preset in native native-asan fuzz; do
  stage "$preset"
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

stage "windows: tests"
status=0
wait "$windows_tests" || status=$?
trap - EXIT
cat "$log"
stage "done"
exit "$status"
