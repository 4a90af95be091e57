#!/usr/bin/env bash
# px6410ctl against the simulated mouse: status, read, write, the trace, the
# failures and their exit codes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/ctl_common.sh.inc"

make_state state.bin
cp state.bin original.bin

expect_exit 0 --sim state.bin status
grep -qx 'report rate: 500 Hz (code 2)' out.txt || fail "status: $(cat out.txt)"
grep -qx 'DPI stage: 3' out.txt || fail "status stage: $(cat out.txt)"

# read: the whole memory comes back; the trace holds one line per transfer.
expect_exit 0 --sim state.bin --trace read.log read image.bin
cmp image.bin original.bin || fail "read image differs from the mouse's memory"
[ "$(wc -l <read.log)" = 17 ] || fail "read trace has $(wc -l <read.log) lines"
head -1 read.log | grep -qx 'set control 0152d44fef0d7e4b' || fail "first report: $(head -1 read.log)"
grep -c '^get data ' read.log | grep -qx 5 || fail "read trace without five blocks"

# write: a changed image reaches the mouse's state file, with six pauses.
python3 -c "
import sys
b = bytearray(open('image.bin','rb').read()); b[0] = 8; b[2+64*2+10] = 0x5A
open('changed.bin','wb').write(bytes(b))"
expect_exit 0 --sim state.bin --trace write.log write changed.bin
cmp state.bin changed.bin || fail "write did not store the image"
[ "$(grep -c '^wait 20$' write.log)" = 6 ] || fail "write trace pauses"
[ "$(wc -l <write.log)" = 24 ] || fail "write trace has $(wc -l <write.log) lines"
[ ! -e state.bin.tmp ] || fail "temporary state file left behind"

# --trace appends.
expect_exit 0 --sim state.bin --trace write.log status
[ "$(wc -l <write.log)" = 26 ] || fail "trace not appended"

# Names beyond ASCII reach the file system intact (Windows included).
cp original.bin 鼠标.bin
expect_exit 0 --sim 鼠标.bin --trace 跟踪.log status
[ "$(wc -l <跟踪.log)" = 2 ] || fail "trace under a Chinese name"
cp changed.bin 图像.bin
expect_exit 0 --sim 鼠标.bin write 图像.bin
cmp 鼠标.bin 图像.bin || fail "write from a Chinese file name"
expect_exit 0 --sim 鼠标.bin read 读出.bin
cmp 读出.bin 图像.bin || fail "read into a Chinese file name"
head -c 10 original.bin >坏.bin
expect_exit 2 --sim 坏.bin status
grep -q '坏.bin: not a mouse state file: 10 bytes' err.txt || fail "damaged state name: $(cat err.txt)"

# No state file: no mouse. A damaged one: a clear error, the file untouched.
expect_exit 1 --sim absent.bin status
grep -qx 'Warning: The system did not detect the gaming mouse!' err.txt || fail "absent mouse text"
head -c 100 original.bin >short.bin
expect_exit 2 --sim short.bin read out.bin
grep -q 'short.bin: not a mouse state file: 100 bytes, expected 322' err.txt || fail "damaged state: $(cat err.txt)"
[ "$(stat -c %s short.bin)" = 100 ] || fail "damaged state file changed"
[ ! -e out.bin ] || fail "read wrote a file from a damaged state"
# Folders where files belong: refused, not a crash.
mkdir folder.bin
expect_exit 2 --sim folder.bin status
grep -q 'folder.bin: a folder, not a mouse state file' err.txt || fail "folder as state: $(cat err.txt)"
expect_exit 2 --sim state.bin write folder.bin
grep -q 'folder.bin: cannot open: is a folder' err.txt || fail "folder as image: $(cat err.txt)"
expect_exit 2 --sim state.bin apply folder.bin

# Usage and file errors.
expect_exit 2 --sim state.bin write missing.bin
expect_exit 2 --sim state.bin read
expect_exit 2 --sim state.bin status --lang FR
head -c 321 changed.bin >short-image.bin
expect_exit 2 --sim state.bin write short-image.bin
grep -q 'not a device image: 321 bytes' err.txt || fail "short image: $(cat err.txt)"
cmp state.bin changed.bin || fail "a rejected write touched the mouse"
echo ok
