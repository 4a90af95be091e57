#!/usr/bin/env bash
# Screenshots of the settings page rebuilt in another skin, the way the skin
# chooser's OK rebuilds it (Wine, virtual display): the old page, the screen
# at each copy made while the new page is prepared, right after the
# rebuild's copy to the screen, and once everything has painted. A rebuild
# shows nothing before the whole new page: every shot during it is the old
# page, and the one right after its copy is the settled page, pixel for
# pixel. Leaves rebuild-*.png in build/windows/e2e-screenshots.
#   scripts/rebuild-shot.sh [FROM_SKIN TO_SKIN]     (default Default Crimson)
set -euo pipefail
SOURCE_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="$SOURCE_DIR/build/windows"
FROM="${1:-Default}" TO="${2:-Crimson}"
cmake --preset windows >/dev/null
cmake --build --preset windows --target px_rebuild_shot px_skins >/dev/null
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display >/dev/null
e2e_start_wine >/dev/null

signals="$E2E_ROOT/signals"
mkdir -p "$signals"
size="$(identify -format '%wx%h' "$BUILD_DIR/dist/Skins/$FROM/main.png")"
( cd "$BUILD_DIR/dist" &&
  wine "$BUILD_DIR/px_rebuild_shot.exe" "Skins\\$FROM" "Skins\\$TO" "$(winepath -w "$signals" 2>/dev/null)" \
    >/dev/null 2>&1; echo $? >"$E2E_ROOT/shot.exit.part" && mv "$E2E_ROOT/shot.exit.part" "$E2E_ROOT/shot.exit" ) &

# Each stop: the window at the top left corner, as it stands.
shots=()
until [ -f "$signals/settled.taken" ]; do
  if [ -f "$E2E_ROOT/shot.exit" ]; then e2e_fail "px_rebuild_shot ended early ($(cat "$E2E_ROOT/shot.exit"))"; fi
  for ready in "$signals"/*.ready; do
    [ -e "$ready" ] || continue
    name="$(basename "$ready" .ready)"
    [ -f "$signals/$name.taken" ] && continue
    import -window root -crop "$size+0+0" +repage "$E2E_SHOTS/rebuild-$name.png"
    shots+=("$name")
    touch "$signals/$name.taken"
  done
  sleep 0.05
done
for _ in $(seq 200); do [ -f "$E2E_ROOT/shot.exit" ] && break; sleep 0.05; done

differ() { compare -metric AE "$E2E_SHOTS/rebuild-$1.png" "$E2E_SHOTS/rebuild-$2.png" null: 2>&1 || true; }
status=0
for name in "${shots[@]}"; do
  case $name in
    copy-*) d="$(differ old "$name")"; echo "$name: $d pixels differ from the old page"; [ "$d" = 0 ] || status=1 ;;
    end) d="$(differ settled end)"; echo "end: $d pixels differ from the settled page"; [ "$d" = 0 ] || status=1
         echo "end: $(differ old end) pixels differ from the old page" ;;
  esac
done
echo "screenshots: $E2E_SHOTS/rebuild-*.png"
[ "$status" = 0 ] || e2e_fail "the screen showed a page that was not whole"
