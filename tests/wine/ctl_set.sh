#!/usr/bin/env bash
# px6410ctl set, get and JSON profiles: the README's session as printed, then
# a refusal, a profile round trip and the labels, natively and under Wine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/ctl_common.sh.inc"

cp "$SOURCE_DIR/dist/config.bin" "$SOURCE_DIR/dist/str.ini" .
# The README's session.
python3 -c "b = bytearray(322); b[195] = 1; open('mouse.bin', 'wb').write(b)"
cp mouse.bin mouse-before.bin
expect_exit 0 --sim mouse.bin set config.bin dpi.1=800 dpi.2=1600 dpi.3=3200 dpi.4.enabled=no
expect_exit 0 --sim mouse.bin set config.bin button.A.4=media:play-pause
expect_exit 0 --sim mouse.bin set config.bin light.mode=respiration light.param=6s light.effect=rgb-flash --apply
[ ! -s err.txt ] || { cat err.txt >&2; fail "set --apply complained"; }
expect_exit 0 --sim mouse.bin get config.bin dpi.1 dpi.4.enabled button.A.4 light.mode
printf 'dpi.1=800\ndpi.4.enabled=no\nbutton.A.4=media:play-pause\nlight.mode=respiration\n' | diff - out.txt ||
  fail "get does not print what the README shows"

# The mouse holds what compose makes of the file; the utility's row shows the new label.
expect_exit 0 compose config.bin mouse-before.bin expected.bin
cmp mouse.bin expected.bin || fail "the mouse does not hold the composed image"
python3 - <<'PY' || fail "str.ini lacks the label"
text = open("str.ini", "rb").read().decode("utf-16")
assert "Item4=Multimedia-Play/Pause" in text, text
PY

# A refusal writes nothing.
cp config.bin kept.bin
expect_exit 2 --sim mouse.bin set config.bin rate=500 button.A.1=right
grep -q 'button.A.1=right: Mode A would keep no Left Click' err.txt || { cat err.txt >&2; fail "no left-click refusal"; }
cmp config.bin kept.bin || fail "a refused set wrote the file"

# A profile gives the same file back, byte for byte, under a name beyond ASCII.
expect_exit 0 --sim mouse.bin show config.bin --json
cp out.txt 配置.json
cp "$SOURCE_DIR/dist/config.bin" fresh.bin
expect_exit 0 --sim mouse.bin set fresh.bin --from 配置.json
cmp fresh.bin config.bin || fail "set --from did not give the same bytes"

expect_exit 0 set --help
grep -q 'button.A.N, button.B.N' out.txt || fail "set --help lacks the button names"
echo ok
