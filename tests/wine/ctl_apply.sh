#!/usr/bin/env bash
# px6410ctl --sim state.bin --trace t.log apply config.bin leaves the composed
# image in the mouse's state file and the exact sequence of reports and
# pauses in the trace. The expected trace is computed here, independently,
# from the scrambling rules.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/ctl_common.sh.inc"

make_state state.bin
cp state.bin before.bin
python3 - <<'PY'
m = bytearray(199)
m[5] = 8                          # 125 Hz
m[7:11] = bytes([1, 4, 2, 7])     # DPI levels
m[11:15] = bytes([1, 0, 1, 0])    # stages 1 and 3 in use
m[15:27] = bytes(range(0x10, 0x1C))
m[27], m[29], m[32] = 2, 3, 2     # respiration, period 3, RGB flash
m[36], m[37], m[38] = 20, 30, 0x05
m[39:43] = bytes([0, 1, 2, 3])    # Mode A buttons 1..4
m[47:51] = bytes([3, 2, 1, 0])    # Mode B buttons 1..4
open("config.bin", "wb").write(bytes([1]) + bytes(m))
PY

# What the utility composes from this settings file over this image.
expect_exit 0 compose config.bin before.bin expected.bin

expect_exit 0 --sim state.bin --trace t.log apply config.bin
cmp state.bin expected.bin || fail "the mouse does not hold the composed image"

python3 - before.bin expected.bin >expected.log <<'PY'
import sys
KEY = bytes([0x3D, 0x91, 0xC4, 0x0E, 0x6B, 0xF2, 0x58])
M = (1 << 56) - 1
rol = lambda x, k: ((x << k) | (x >> (56 - k))) & M
ror = lambda x, k: ((x >> k) | (x << (56 - k))) & M
def scramble(b):
    x = ror(rol(int.from_bytes(b, "big"), 2) ^ int.from_bytes(KEY, "big"), 3)
    return x.to_bytes(7, "big")
def control(cmd, rate=0, stage=0):
    return bytes([1]) + scramble(bytes([0xAA, 0xCC, 0xEE, 0xDD, cmd, rate, stage]))
def block(data):
    r = bytearray([0]) + data
    for g in range(8):
        r[8 * g + 2:8 * g + 9] = scramble(bytes(r[8 * g + 2:8 * g + 9]))
    return bytes(r)
before = open(sys.argv[1], "rb").read()
after = open(sys.argv[2], "rb").read()
blk = lambda img, n: img[2 + 64 * (n - 1):2 + 64 * n]
out = []
def status():
    out.append("set control " + control(0x80).hex())
    out.append("get control " + control(0x80, before[0], before[1]).hex())
status()                                   # ReadOperation
for n in range(1, 6):
    out.append("set control " + control(0x80 | n).hex())
    out.append("get control " + control(0x80 | n).hex())
    out.append("get data " + block(blk(before, n)).hex())
status()                                   # GetDPIStage
status()                                   # WriteOperation
out.append("set control " + control(0x00, after[0], after[1]).hex())
out.append("wait 20")
for n in range(1, 6):
    out.append("set control " + control(n).hex())
    out.append("get control " + control(n).hex())
    out.append("set data " + block(blk(after, n)).hex())
    out.append("wait 20")
print("\n".join(out))
PY
diff expected.log t.log || fail "the trace differs from the expected sequence"

# Spot checks of the composition that reached the mouse.
python3 - state.bin <<'PY' || fail "composed bytes"
import sys
s = open(sys.argv[1], "rb").read()
b4 = s[2 + 64 * 3:2 + 64 * 4]; b5 = s[2 + 64 * 4:2 + 64 * 5]
assert s[0] == 8, "report rate"
assert s[1] == 3, "the mouse's DPI stage is kept"
assert b4[32:36] == bytes([0xB5, 0, 0xB6, 0]), "consumer usage table"
assert b5[48:50] == bytes([0xE0, 0x06]), "hot key table"
assert b4[6] == 2 and b5[24:30] == bytes([0x10, 0x11, 0x12, 0x16, 0x17, 0x18]), "stage colours"
assert b4[24:28] == bytes([0x04, 0x8A, 0x06, 0xAA]), "DPI codes of variant 2"
PY

# A missing settings file or a missing mouse: nothing is written.
expect_exit 2 --sim state.bin apply missing-config.bin
cmp state.bin expected.bin || fail "a failed apply touched the mouse"
expect_exit 1 --sim absent.bin apply config.bin
[ ! -e absent.bin ] || fail "apply created a mouse"
echo ok
