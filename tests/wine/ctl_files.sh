#!/usr/bin/env bash
# px6410ctl and its files: names outside ASCII, an output that is replaced
# only by a complete new file, and folders or oversized files given as input.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/ctl_common.sh.inc"

mkdir 鼠标设置
cp "$BUILD_DIR"/dist/config.bin 鼠标设置/配置.bin
make_state 鼠标设置/图像.bin
head -c 100 /dev/zero > short.bin
printf 'old' > 鼠标设置/结果.bin

# A failed compose leaves the old output as it was.
expect_exit 2 compose 鼠标设置/配置.bin short.bin 鼠标设置/结果.bin
grep -q 'short.bin: not a device image: 100 bytes, expected 322' err.txt || { cat err.txt >&2; fail "no size message"; }
[ "$(cat 鼠标设置/结果.bin)" = old ] || fail "a failed compose touched the output"

# A successful one replaces it whole.
expect_exit 0 compose 鼠标设置/配置.bin 鼠标设置/图像.bin 鼠标设置/结果.bin
[ "$(stat -c %s 鼠标设置/结果.bin)" = 322 ] || fail "the output was not replaced by the composed image"
[ ! -e 鼠标设置/结果.bin.tmp ] || fail "temporary file left behind"

expect_exit 0 show 鼠标设置/配置.bin
grep -q '配置.bin' out.txt || { cat out.txt >&2; fail "show did not name the file"; }
grep -q '1000 Hz' out.txt || { cat out.txt >&2; fail "show did not read the file"; }

# Folders are refused with one line, not a crash.
expect_exit 2 show 鼠标设置
grep -q '鼠标设置: cannot open: is a folder' err.txt || { cat err.txt >&2; fail "no folder message"; }
[ "$(wc -l < err.txt)" = 1 ] || fail "more than one line on stderr"
echo ok
