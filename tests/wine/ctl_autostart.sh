#!/usr/bin/env bash
# px6410ctl autostart: off until asked; on writes the user's entry (the XDG
# autostart file, or the Run value under Wine) starting the utility beside
# the tool; off removes it and nothing else.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/ctl_common.sh.inc"

mkdir inst
if [ -f "$BUILD_DIR/dist/px6410ctl.exe" ]; then
  # A prefix of its own: a Run value left in the shared one would start the
  # utility with every later Wine program.
  export WINEPREFIX="$WORK/prefix"
  exe=.exe utility=PX6410-3-4.exe
  run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
  reg() { "$SOURCE_DIR/scripts/wine-env.sh" wine reg "$@" 2>/dev/null | tr -d '\r'; }
  entry() { reg query "$run_key" /v PX6410 | grep PX6410 || true; }
  reg add "$run_key" /v Other /d other.exe /f >/dev/null
  other_kept() { reg query "$run_key" /v Other | grep -q other.exe; }
else
  export XDG_CONFIG_HOME="$WORK/config"
  exe='' utility=px6410
  entry() { cat "$XDG_CONFIG_HOME/autostart/px6410.desktop" 2>/dev/null || true; }
  mkdir -p "$XDG_CONFIG_HOME/autostart" && touch "$XDG_CONFIG_HOME/autostart/other.desktop"
  other_kept() { [ -f "$XDG_CONFIG_HOME/autostart/other.desktop" ]; }
fi
cp "$BUILD_DIR/dist/px6410ctl$exe" inst/
if [ -n "$exe" ]; then ctl() { "$SOURCE_DIR/scripts/wine-env.sh" "$WORK/inst/px6410ctl.exe" "$@"; }; else ctl() { "$WORK/inst/px6410ctl" "$@"; }; fi

expect_exit 0 autostart status
grep -q '^off ' out.txt || fail "autostart is on before anyone asked: $(cat out.txt)"
if [ -n "$exe" ]; then
  expect_exit 2 autostart on  # no utility beside the tool: nothing to start
  [ -z "$(entry)" ] || fail "a Run value was written without a utility to start"
fi
touch "inst/$utility"
expect_exit 0 autostart on
entry | grep -qiF -e "$WORK/inst/$utility\"" -e "inst\\$utility\"" || { entry >&2; fail "the entry does not start inst/$utility"; }
expect_exit 0 autostart status
grep -q '^on ' out.txt || fail "status after on: $(cat out.txt)"
expect_exit 0 autostart off
[ -z "$(entry)" ] || { entry >&2; fail "off left the entry"; }
other_kept || fail "off removed another program's entry"
expect_exit 2 autostart maybe
echo ok
