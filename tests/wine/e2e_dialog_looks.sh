#!/usr/bin/env bash
# Every small dialog in every shipped skin, in English and Simplified
# Chinese, with the skin's recommended text colour: each must open at its
# picture's size. Leaves one contact sheet per skin and language in the
# screenshots folder (dialogs-SKIN-LANG.png), closed and with the list open.
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)"
source "$SOURCE_DIR/tests/e2e/lib.sh"
e2e_start_display
e2e_start_wine

DIR="$E2E_ROOT/runner"
mkdir -p "$DIR" "$E2E_ROOT/shots"
cp "$BUILD_DIR/px_dialog_runner.exe" "$DIR/"
cp -r "$BUILD_DIR/dist/Skins" "$DIR/"
STATE="$DIR/state.txt"

shoot() {  # NAME: the dialog's window only
  local x y w h
  read -r x y w h < <(grep '^window .* title=$' "$STATE" | head -n1 | awk '{print $2, $3, $6, $7}')
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$E2E_ROOT/shots/$1.png"
}

for skin_dir in "$DIR"/Skins/*/; do
  skin="$(basename "$skin_dir")"
  color="$(tr -d ' \r\n' <"$skin_dir/text-color.txt" 2>/dev/null || echo 230,230,230)"
  for lang in EN CHS; do
    sheet=()
    for kind in fire hot media windows snipe single skins; do
      rm -f "$STATE"
      ( cd "$DIR" && timeout 60 wine ./px_dialog_runner.exe "$kind" --lang "$lang" --skin "$skin" --color "$color" \
          --variant 0 --state "$(winepath -w "$STATE" 2>/dev/null)" >/dev/null 2>&1 ) &
      pid=$!
      for _ in $(seq 300); do
        [ -f "$STATE" ] && grep -q '^window .* title=$' "$STATE" && break
        sleep 0.1
      done
      grep -q '^window .* title=$' "$STATE" || e2e_fail "$kind did not open in $skin ($lang)"
      read -r ox oy w h < <(grep '^window .* title=$' "$STATE" | head -n1 | awk '{print $2, $3, $6, $7}')
      expected="$(identify -format '%wx%h' "$skin_dir/$(case $kind in fire) echo fire-key;; hot) echo hot-key;;
        media) echo media-key;; windows) echo windows-key;; snipe) echo snipe-key;; single) echo single-key;;
        skins) echo skins;; esac).png")"
      [ "${w}x${h}" = "$expected" ] || e2e_fail "$kind in $skin: window ${w}x${h}, picture $expected"
      sleep 0.5
      shoot "$kind-closed"
      sheet+=("$E2E_ROOT/shots/$kind-closed.png")
      if [ "$kind" != single ]; then
        case $kind in fire) dx=150 dy=77;; snipe) dx=140 dy=113;; *) dx=140 dy=136;; esac
        xdotool mousemove $((ox + dx)) $((oy + dy)); sleep 0.2; xdotool click 1; sleep 0.5
        # The pointer rests on an entry, as a user would see it.
        xdotool mousemove $((ox + dx - 40)) $((oy + dy + 40)); sleep 0.1
        xdotool mousemove $((ox + dx - 41)) $((oy + dy + 41)); sleep 0.4
        shoot "$kind-open"
        sheet+=("$E2E_ROOT/shots/$kind-open.png")
      else
        xdotool key a; sleep 0.4
        shoot "$kind-key"
        sheet+=("$E2E_ROOT/shots/$kind-key.png")
      fi
      # Over OK, so that its pointer-over look is seen too.
      xdotool mousemove $((ox + 200)) $((oy + 262)); sleep 0.1; xdotool mousemove $((ox + 201)) $((oy + 263)); sleep 0.4
      shoot "$kind-hover"
      sheet+=("$E2E_ROOT/shots/$kind-hover.png")
      xdotool mousemove $((ox + 360)) $((oy + 14)); sleep 0.2; xdotool click 1
      wait "$pid" 2>/dev/null || true
    done
    montage "${sheet[@]}" -tile 3x -geometry +4+4 -background '#606060' "$E2E_SHOTS/dialogs-$skin-$lang.png"
    e2e_log "ok: $skin $lang: $E2E_SHOTS/dialogs-$skin-$lang.png"
  done
done
