#!/usr/bin/env bash
# px6410ctl given what a careless or hostile user gives it: outputs beside
# files named like temporary files, links, devices and FIFOs where files
# belong, endless and huge inputs, names that are not UTF-8, a full disk.
# Each command gives a clear exit 2 or works, and no file but its target
# changes. The Linux-only cases (FIFOs, /dev/full, raw byte names) run with
# the native tool only.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/ctl_common.sh.inc"

native=1
[ -f "$BUILD_DIR/px6410ctl.exe" ] && native=0

make_state state.bin
cp state.bin image.bin
cp "$BUILD_DIR"/dist/config.bin config.bin

# --- Files named like the temporary file are never touched or taken.
printf 'keep' > out.bin.tmp
expect_exit 0 --sim state.bin read out.bin
cmp -s out.bin image.bin || fail "read did not write its output"
[ "$(cat out.bin.tmp)" = keep ] || fail "read overwrote a user's out.bin.tmp"
cp image.bin img.tmp
expect_exit 0 compose config.bin img.tmp img
cmp -s img.tmp image.bin || fail "compose destroyed its own input img.tmp"
[ -s img ] || fail "compose wrote no output"
cp image.bin state.bin.tmp
expect_exit 0 --sim state.bin write state.bin.tmp
cmp -s state.bin.tmp image.bin || fail "write destroyed its own input state.bin.tmp"
if [ "$native" = 1 ]; then
  printf 'victim' > victim.txt
  ln -s victim.txt link-out.bin.tmp
  expect_exit 0 --sim state.bin read link-out.bin
  [ "$(cat victim.txt)" = victim ] || fail "a link named like the temporary file was followed"
fi
[ -z "$(find . -name '.*.tmp')" ] || fail "temporary files left behind: $(find . -name '.*.tmp')"

# --- Two writers at once never show a reader an empty or partial state file.
if [ "$native" = 1 ]; then
  for w in 1 2; do
    ( for i in $(seq 25); do ctl --sim state.bin write image.bin >/dev/null 2>&1 || exit 1; done ) &
  done
  for i in $(seq 200); do
    size=$(stat -c %s state.bin)
    [ "$size" = 322 ] || fail "a reader saw a state file of $size bytes"
  done
  wait
  cmp -s state.bin image.bin || fail "concurrent writes left another state"
fi

# --- Outputs that are not regular files are written into, never replaced.
mkdir outdir
expect_exit 2 --sim state.bin read outdir
grep -q 'outdir: cannot write: is a folder' err.txt || fail "folder output: $(cat err.txt)"
if [ "$native" = 1 ]; then
  printf 'old' > real.bin
  ln -s real.bin linked.bin
  expect_exit 0 --sim state.bin read linked.bin
  [ -L linked.bin ] || fail "the output link was replaced by a file"
  cmp -s real.bin image.bin || fail "the file behind the link was not written"

  mkfifo out.fifo
  set +e
  timeout 10 "$BUILD_DIR/px6410ctl" --sim state.bin read out.fifo 2>err.txt
  got=$?
  set -e
  [ "$got" = 2 ] || fail "a FIFO without a reader: exit $got, not a clear refusal"
  grep -q 'out.fifo: cannot write' err.txt || fail "FIFO without a reader: $(cat err.txt)"
  exec 7<>out.fifo  # a reader that is there before the tool opens the FIFO
  expect_exit 0 --sim state.bin read out.fifo
  head -c 322 <&7 > from-fifo.bin
  exec 7<&-
  [ -p out.fifo ] || fail "the FIFO was replaced by a file"
  cmp -s from-fifo.bin image.bin || fail "the FIFO did not carry the image"

  ctl --sim state.bin read /dev/stdout | cat > piped.bin
  cmp -s piped.bin image.bin || fail "read /dev/stdout into a pipe"
  [ -c /dev/null ] && expect_exit 0 --sim state.bin read /dev/null
  [ -c /dev/null ] || fail "/dev/null is no longer a device"

  # --- FIFOs as inputs: refused at once, never waited on.
  mkdir inst
  cp config.bin inst/config.bin
  mkfifo inst/str.ini
  timeout 10 "$BUILD_DIR/px6410ctl" show inst/config.bin >out.txt 2>err.txt || fail "show waits on a FIFO str.ini"
  grep -q 'Report rate' out.txt || fail "show with a FIFO str.ini: $(cat out.txt err.txt)"
  timeout 10 "$BUILD_DIR/px6410ctl" --sim state.bin apply --lang EN inst/config.bin 2>err.txt ||
    fail "apply waits on a FIFO str.ini: $(cat err.txt)"
  mkfifo in.fifo
  for args in "--sim in.fifo status" "--sim state.bin write in.fifo" "show in.fifo" "compose config.bin in.fifo x.bin"; do
    set +e
    timeout 10 "$BUILD_DIR/px6410ctl" $args >out.txt 2>err.txt
    got=$?
    set -e
    [ "$got" = 2 ] || fail "px6410ctl $args on a FIFO exited $got"
    grep -q 'in.fifo: .*not a regular file' err.txt || fail "px6410ctl $args: $(cat err.txt)"
  done

  # --- Endless and huge inputs: refused before they are read.
  set +e
  timeout 10 "$BUILD_DIR/px6410ctl" --sim /dev/zero status >out.txt 2>err.txt
  got=$?
  set -e
  [ "$got" = 2 ] || fail "--sim /dev/zero exited $got"
  truncate -s 3G sparse.bin
  start=$(date +%s%N)
  expect_exit 2 --sim sparse.bin status
  elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
  grep -q 'sparse.bin: not a mouse state file: more than 322 bytes' err.txt || fail "3 GiB state: $(cat err.txt)"
  [ "$elapsed_ms" -lt 2000 ] || fail "a 3 GiB state file took ${elapsed_ms} ms to refuse"
  rm sparse.bin

  # --- Errors are errors: a symlink loop, a full disk for the trace.
  ln -s loop-a loop-b
  ln -s loop-b loop-a
  expect_exit 2 --sim loop-a status
  grep -q 'loop-a: cannot read the mouse state file: Too many levels of symbolic links' err.txt ||
    fail "symlink loop: $(cat err.txt)"
  expect_exit 2 --sim state.bin --trace /dev/full write image.bin
  grep -q '/dev/full: cannot write the trace: No space left on device; the mouse was written' err.txt ||
    fail "trace on a full disk: $(cat err.txt)"
  expect_exit 2 --sim state.bin --trace /dev/full status
  grep -q 'the mouse was read, nothing on it changed' err.txt || fail "status trace on a full disk: $(cat err.txt)"
  expect_exit 2 --sim state.bin read /dev/full
  grep -q '/dev/full: cannot write: No space left on device (the mouse was read' err.txt ||
    fail "read into a full disk: $(cat err.txt)"

  # --- A folder whose name is not UTF-8: the tool installed there, and
  # state and trace files named with such a byte.
  odd=$'inst\xff'
  mkdir "$odd"
  cp "$BUILD_DIR/px6410ctl" config.bin "$odd"/
  printf '[Skins]\r\nLan=EN\r\n' > "$odd"/str.ini
  oddtool() {
    set +e
    "$WORK/$odd/px6410ctl" "$@" >out.txt 2>err.txt
    got=$?
    set -e
  }
  oddtool show; [ "$got" = 0 ] || fail "show in a non-UTF-8 folder exited $got: $(cat err.txt)"
  grep -q $'Settings: .*inst\xff/config.bin' out.txt || fail "show did not name the raw folder: $(cat out.txt)"
  oddtool --sim absent.bin status; [ "$got" = 1 ] || fail "status in a non-UTF-8 folder exited $got"
  oddtool --sim absent.bin read x.bin; [ "$got" = 1 ] || fail "read in a non-UTF-8 folder exited $got"
  oddtool --sim absent.bin write image.bin; [ "$got" = 1 ] || fail "write in a non-UTF-8 folder exited $got"
  oddtool --sim absent.bin apply; [ "$got" = 1 ] || fail "apply in a non-UTF-8 folder exited $got"
  cp state.bin $'state\xfe.bin'
  oddtool --sim $'state\xfe.bin' --trace $'trace\xfd.log' status
  [ "$got" = 0 ] || fail "a state file named with a raw byte: $(cat err.txt)"
  [ "$(wc -l < $'trace\xfd.log')" = 2 ] || fail "the trace went elsewhere: $(ls)"
fi
echo ok
