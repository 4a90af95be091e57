#!/usr/bin/env bash
# Runs a command (or a Windows executable) in the project's throw-away Wine
# prefix: quiet, without the Mono/Gecko installers, with the Chinese font
# faces mapped to an installed CJK font so that Chinese text does not draw
# as boxes. Used by ctest as the cross-compiling emulator.
set -euo pipefail

export WINEPREFIX="${WINEPREFIX:-${TMPDIR:-/tmp}/px6410-wine-$(id -u)}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

init_prefix() {
  mkdir -p "$WINEPREFIX"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  # Again whenever the font faces change, for a prefix made before.
  if [ ! -f "$WINEPREFIX/.px6410-ready" ] || [ "$HERE/wine-fonts.reg" -nt "$WINEPREFIX/.px6410-ready" ]; then
    if [ -n "${PX_WINE_TEMPLATE:-}" ] && [ -f "$PX_WINE_TEMPLATE/.px6410-ready" ]; then
      # A prefix the build tree prepared already: copied, not made again.
      rm -rf "$WINEPREFIX"
      cp -a "$PX_WINE_TEMPLATE" "$WINEPREFIX"
    else
      wineboot -i >/dev/null 2>&1 || true
      wine regedit "$HERE/wine-fonts.reg" >/dev/null 2>&1 || true
      wineserver -w || true
    fi
    touch "$WINEPREFIX/.px6410-ready"
  fi
  flock -u 9
}

if [ "${1:-}" = "wineboot" ]; then
  init_prefix
  exit 0
fi

init_prefix
case "${1:-}" in
  *.exe|*.EXE) exec wine "$@" ;;
  *) exec "$@" ;;
esac
