#!/usr/bin/env bash
# px6410ctl autostart: off until asked; on writes the user's entry (the XDG
# autostart file on Linux, the Run value under Wine) pointing at the utility
# beside the tool; off removes it and nothing else.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/ctl_common.sh.inc"

mkdir inst
if [ -f "$BUILD_DIR/dist/px6410ctl.exe" ]; then
  # A prefix of the test's own: a Run value left in the shared one would
  # start the utility with every later Wine program.
  export WINEPREFIX="$WORK/prefix"
  cp "$BUILD_DIR/dist/px6410ctl.exe" inst/
  tool() { "$SOURCE_DIR/scripts/wine-env.sh" "$WORK/inst/px6410ctl.exe" "$@"; }
  run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
  entry() { "$SOURCE_DIR/scripts/wine-env.sh" wine reg query "$run_key" /v PX6410 2>/dev/null | tr -d '\r' | grep PX6410 || true; }
  other() { "$SOURCE_DIR/scripts/wine-env.sh" wine reg add "$run_key" /v Other /d other.exe /f >/dev/null 2>&1; }
  other_kept() { "$SOURCE_DIR/scripts/wine-env.sh" wine reg query "$run_key" /v Other 2>/dev/null | grep -q other.exe; }
  utility=PX6410-3-4.exe
else
  export XDG_CONFIG_HOME="$WORK/config"
  cp "$BUILD_DIR/dist/px6410ctl" inst/
  tool() { "$WORK/inst/px6410ctl" "$@"; }
  entry() { cat "$XDG_CONFIG_HOME/autostart/px6410.desktop" 2>/dev/null || true; }
  other() { mkdir -p "$XDG_CONFIG_HOME/autostart" && echo '[Desktop Entry]' > "$XDG_CONFIG_HOME/autostart/other.desktop"; }
  other_kept() { [ -f "$XDG_CONFIG_HOME/autostart/other.desktop" ]; }
  utility=px6410
fi

run() {
  local want="$1"; shift
  set +e
  tool "$@" >out.txt 2>err.txt
  local got=$?
  set -e
  sed -i 's/\r$//' out.txt err.txt
  [ "$got" = "$want" ] || { cat out.txt err.txt >&2; fail "px6410ctl $* exited $got, expected $want"; }
}

run 0 autostart status
grep -q '^off ' out.txt || fail "autostart is on before anyone asked: $(cat out.txt)"
other

# No utility beside the tool: Windows refuses (nothing to start); Linux
# falls back to the installed one.
if [ "$utility" = PX6410-3-4.exe ]; then
  run 2 autostart on
  [ -z "$(entry)" ] || fail "a Run value was written without a utility to start"
fi
touch "inst/$utility"
run 0 autostart on
entry | grep -qF "$WORK/inst/$utility" || entry | grep -qiF "inst\\$utility\"" ||
  { entry >&2; fail "the entry does not start the utility beside the tool"; }
run 0 autostart status
grep -q '^on ' out.txt || fail "status after on: $(cat out.txt)"

run 0 autostart off
[ -z "$(entry)" ] || { entry >&2; fail "off left the entry"; }
other_kept || fail "off removed another program's entry"
run 0 autostart status
grep -q '^off ' out.txt || fail "status after off: $(cat out.txt)"
run 2 autostart maybe
echo ok
