#!/usr/bin/env bash
# Without --sim, px6410ctl walks the machine's own HID devices. Under Wine
# those are Wine's virtual mouse and keyboard (vendor 845e): discovery reads
# their attributes, passes them over, and the tool reports the missing mouse.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/ctl_common.sh.inc"

for command in status "read out.bin"; do
  # shellcheck disable=SC2086
  expect_exit 1 $command
  grep -qx 'Warning: The system did not detect the gaming mouse!' err.txt || { cat err.txt >&2; fail "$command: no not-detected text"; }
  [ ! -s out.txt ] || fail "$command printed on stdout"
done
[ ! -e out.bin ] || fail "read wrote a file without a mouse"

expect_exit 1 status --lang CHS
grep -qx 'Warning: 系统没有检测到游戏鼠标！' err.txt || { cat err.txt >&2; fail "no Simplified Chinese text"; }

if [ -f "$BUILD_DIR/px6410ctl.exe" ]; then
  # hid.dll's own trace shows the walk: the attributes of every HID device
  # were read, and no preparsed data was asked of a foreign one.
  set +e
  WINEDEBUG=trace+hid "$SOURCE_DIR/scripts/wine-env.sh" "$BUILD_DIR/px6410ctl.exe" status >/dev/null 2>wine.txt
  set -e
  seen=$(grep -c 'HidD_GetAttributes' wine.txt || true)
  asked=$(grep -c 'HidD_GetPreparsedData' wine.txt || true)
  echo "HID devices examined under Wine: $seen"
  [ "$seen" -ge 1 ] || fail "discovery did not walk Wine's HID devices"
  [ "$asked" -eq 0 ] || fail "discovery went past the identity check of a foreign device"
fi
echo ok
