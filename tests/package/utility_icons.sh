#!/usr/bin/env bash
# The Linux utility's desktop icon: every picture of the Windows icon as a PNG
# of its own size, in the icon theme's folder of that size.
#   utility_icons.sh SOURCE_DIR
set -euo pipefail
SOURCE_DIR="$(cd "$1" && pwd)"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

ico="$SOURCE_DIR/src/app/win32/res/app.ico"
cmake -DICO="$ico" -DNAME=px6410 -DOUT="$WORK/icons" -P "$SOURCE_DIR/cmake/packaging/icon_pngs.cmake"
made="$(cd "$WORK/icons" && find . -type f | sort | tr '\n' ' ')"
want=""
for size in $(identify -format '%w\n' "$ico" | sort -n); do want+="./${size}x${size}/apps/px6410.png "; done
[ "$made" = "$want" ] || fail "icons made: $made; wanted: $want"
for png in "$WORK"/icons/*/apps/px6410.png; do
  folder="$(basename "$(dirname "$(dirname "$png")")")"
  read -r format size alpha < <(identify -format '%m %wx%h %A\n' "$png")
  [ "$format $size" = "PNG $folder" ] || fail "$folder holds a $format of $size"
  [ "$alpha" != False ] && [ "$alpha" != Undefined ] || fail "$folder: no transparency"
done
echo ok
