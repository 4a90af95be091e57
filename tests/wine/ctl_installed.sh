#!/usr/bin/env bash
# px6410ctl in an installed folder: without a file name, show and apply take
# the config.bin beside the tool, and the texts follow the str.ini's "Lan".
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/ctl_common.sh.inc"

mkdir inst
cp "$BUILD_DIR"/dist/config.bin inst/
if [ -f "$BUILD_DIR/dist/px6410ctl.exe" ]; then
  cp "$BUILD_DIR/dist/px6410ctl.exe" inst/
  tool() { "$SOURCE_DIR/scripts/wine-env.sh" "$WORK/inst/px6410ctl.exe" "$@"; }
else
  cp "$BUILD_DIR/dist/px6410ctl" inst/
  tool() { "$WORK/inst/px6410ctl" "$@"; }
fi
printf '[Skins]\r\nLan=CHS\r\nPath=Default\r\n' > inst/str.ini

run() {
  local want="$1"; shift
  set +e
  tool "$@" >out.txt 2>err.txt
  local got=$?
  set -e
  sed -i 's/\r$//' out.txt err.txt
  [ "$got" = "$want" ] || { cat out.txt err.txt >&2; fail "px6410ctl $* exited $got, expected $want"; }
}

run 0 show
grep -q 'config.bin' out.txt || fail "show did not name the installed config.bin"
grep -q '标准模式' out.txt || { cat out.txt >&2; fail "show did not speak the folder's language"; }

# No mouse: the box text in the folder's language.
run 1 --sim missing.bin apply
grep -qx 'Warning: 系统没有检测到游戏鼠标！' err.txt || { cat err.txt >&2; fail "no Simplified Chinese not-detected text"; }

# With the simulated mouse: the mouse ends up holding what compose makes of
# the installed settings and the image it had.
make_state state.bin
cp state.bin before.bin
run 0 --sim state.bin apply
ctl compose inst/config.bin before.bin expected.bin
cmp -s state.bin expected.bin || fail "apply without a file did not write the installed settings"
echo ok
