#!/usr/bin/env bash
# Compares two folders of screenshots picture by picture, for a change that
# must not move a single pixel: ImageMagick's `compare -metric AE` counts the
# pixels that differ. One line per picture; exits 1 when any picture differs,
# has another size or is missing on one side.
#   scripts/compare-shots.sh BEFORE_DIR AFTER_DIR
# The pictures come from tests/wine/e2e_page_looks.sh and e2e_dialog_looks.sh
# (build/windows/e2e-screenshots), run once on each build.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 BEFORE_DIR AFTER_DIR" >&2; exit 2; }
before=$1 after=$2
status=0 count=0
shopt -s nullglob
for old in "$before"/*.png; do
  name="$(basename "$old")"
  new="$after/$name"
  count=$((count + 1))
  if [ ! -f "$new" ]; then
    echo "$name: missing after"; status=1; continue
  fi
  if [ "$(identify -format '%wx%h' "$old")" != "$(identify -format '%wx%h' "$new")" ]; then
    echo "$name: size $(identify -format '%wx%h' "$old") before, $(identify -format '%wx%h' "$new") after"
    status=1; continue
  fi
  # compare exits 1 when the pictures differ; the count is on stderr.
  differing="$(compare -metric AE "$old" "$new" null: 2>&1 || true)"
  echo "$name: $differing pixels differ"
  [ "$differing" = 0 ] || status=1
done
for new in "$after"/*.png; do
  [ -f "$before/$(basename "$new")" ] || { echo "$(basename "$new"): missing before"; status=1; }
done
[ "$count" -gt 0 ] || { echo "no pictures in $before" >&2; exit 1; }
exit $status
