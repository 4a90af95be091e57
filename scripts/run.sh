#!/usr/bin/env bash
# Builds px6410ctl and shows the installed settings file.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target px6410ctl
exec build/native/px6410ctl show "$@"
