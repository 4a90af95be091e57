# Shared by the end-to-end tests (tests/wine/e2e_*.sh), scripts/run.sh and
# scripts/measure-startup.sh. Source it after setting BUILD_DIR and SOURCE_DIR.
#
# Each test gets its own virtual display (Xvfb picks a free number), its own
# throw-away Wine prefix with the Chinese font faces mapped, and its own copy
# of the installed folder; everything is removed when the test ends.

set -euo pipefail

E2E_ROOT="$(mktemp -d "${TMPDIR:-/tmp}/px6410-e2e.XXXXXX")"
E2E_SHOTS="${E2E_SHOTS:-$BUILD_DIR/e2e-screenshots}"
E2E_XVFB_PID=""
E2E_APP_PIDS=()
mkdir -p "$E2E_SHOTS"

export WINEPREFIX="$E2E_ROOT/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

e2e_log() { echo "[$(date +%H:%M:%S)] $*"; }
e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

e2e_cleanup() {
  local status=$?
  set +e
  for pid in "${E2E_APP_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  # The server must be gone before the prefix is: a later prefix that gets
  # the same inode would otherwise reach this server and its running instance.
  if [ -d "$WINEPREFIX" ]; then
    timeout 20 wineserver -k 2>/dev/null
    timeout 30 wineserver -w 2>/dev/null
  fi
  if [ -n "$E2E_XVFB_PID" ]; then kill "$E2E_XVFB_PID" 2>/dev/null; wait "$E2E_XVFB_PID" 2>/dev/null; fi
  rm -rf "$E2E_ROOT"
  exit $status
}
trap e2e_cleanup EXIT

# A virtual display on a free number (Xvfb chooses it).
e2e_start_display() {
  local fd_file="$E2E_ROOT/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  E2E_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  [ -s "$fd_file" ] || e2e_fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$fd_file")"
  e2e_log "display $DISPLAY"
}

# A fresh prefix, fonts mapped.
e2e_start_wine() {
  mkdir -p "$WINEPREFIX"
  timeout 120 wineboot -i >/dev/null 2>&1 || true
  timeout 60 wine regedit "$SOURCE_DIR/scripts/wine-fonts.reg" >/dev/null 2>&1 || true
  timeout 60 wineserver -w || true
  e2e_log "prefix $WINEPREFIX ready"
}

# Writes a simulated mouse's memory: 322 bytes, report rate 1000 Hz, stage 1,
# and the DPI table variant in block 4 byte 1 (offset 2 + 3 * 64 + 1).
e2e_make_mouse() {
  local file=$1 variant=${2:-1}
  head -c 322 /dev/zero >"$file"
  printf '\001' | dd of="$file" bs=1 seek=0 conv=notrunc status=none
  printf "\\$(printf '%03o' "$variant")" | dd of="$file" bs=1 seek=195 conv=notrunc status=none
}

# str.ini is UTF-16LE with a byte-order mark; edits go through UTF-8.
e2e_ini_set() {
  local file=$1 key=$2 value=$3
  local text
  text="$(iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r')"
  if grep -q "^$key=" <<<"$text"; then
    text="$(sed "s|^$key=.*|$key=$value|" <<<"$text")"
  else
    text="$(sed "s|^\[Skins\]\$|[Skins]\n$key=$value|" <<<"$text")"
  fi
  { printf '\xff\xfe'; printf '%s\n' "$text" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$file"
}

# Stand-ins for installed files that are not in the build yet.
e2e_fallback_files() {
  local dir=$1
  if [ ! -f "$dir/str.ini" ]; then
    { printf '\xff\xfe'
      printf '[Skins]\r\nLan=EN\r\nPath=Default\r\nRColor=230\r\nGColor=230\r\nBColor=230\r\n' | iconv -f UTF-8 -t UTF-16LE
    } >"$dir/str.ini"
  fi
  [ -f "$dir/config.bin" ] || head -c 200 /dev/zero >"$dir/config.bin"
  if [ ! -d "$dir/Skins" ]; then
    mkdir -p "$dir/Skins/Default"
    convert -size 880x660 gradient:'#2a3140-#0e1016' "$dir/Skins/Default/main.png"
    convert -size 880x660 xc:none -fill '#ffffff20' -draw 'roundrectangle 30,40 850,640 12,12' "$dir/Skins/Default/BasicSet2.png"
  fi
}

# An installed folder of the simulator build: exe, files, skins, helper.
# Prints the folder. With a variant, a simulated mouse is plugged in.
e2e_make_folder() {
  local name=$1 variant=${2:-}
  local dir="$E2E_ROOT/$name"
  mkdir -p "$dir"
  cp "$BUILD_DIR/dist-sim/PX6410-3-4.exe" "$dir/"
  for f in config.bin str.ini; do
    if [ -f "$BUILD_DIR/dist/$f" ]; then cp "$BUILD_DIR/dist/$f" "$dir/"; fi
  done
  if [ -d "$BUILD_DIR/dist/Skins" ]; then cp -r "$BUILD_DIR/dist/Skins" "$dir/"; fi
  e2e_fallback_files "$dir"
  if [ -n "$variant" ]; then e2e_make_mouse "$dir/simulated-mouse.bin" "$variant"; fi
  echo "$dir"
}

# Starts an executable in the background; its exit code lands in FILE.exit.
e2e_start_app() {
  local exe=$1 tag=$2
  ( cd "$(dirname "$exe")" && wine "./$(basename "$exe")" >/dev/null 2>&1; echo $? >"$E2E_ROOT/$tag.exit" ) &
  E2E_APP_PIDS+=($!)
}

# Waits up to SECONDS for the app tagged TAG to end; prints its exit code.
e2e_wait_exit() {
  local tag=$1 seconds=${2:-20}
  for _ in $(seq $((seconds * 10))); do
    if [ -f "$E2E_ROOT/$tag.exit" ]; then cat "$E2E_ROOT/$tag.exit"; return 0; fi
    sleep 0.1
  done
  return 1
}

e2e_running() { [ ! -f "$E2E_ROOT/$1.exit" ]; }

helper() { timeout 30 wine "$BUILD_DIR/px_e2e_helper.exe" "$@"; }

# Wine's tray: a small window at the top left; its first icon is ours.
e2e_tray_window() { xdotool search --name '^Wine System Tray$' 2>/dev/null | head -n1; }

e2e_wait_tray() {
  for _ in $(seq 300); do
    [ -n "$(e2e_tray_window)" ] && return 0
    sleep 0.1
  done
  return 1
}

e2e_tray_click() {
  local button=${1:-1}
  local win x y
  win="$(e2e_tray_window)"
  [ -n "$win" ] || e2e_fail "no tray window"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  x=$((X + 10)); y=$((Y + 10))
  xdotool mousemove "$x" "$y" click "$button"
}

# Saves a screenshot of the whole display; prints its path.
e2e_shot() {
  local path="$E2E_SHOTS/$1.png"
  import -window root "$path"
  echo "$path"
}

# Waits up to SECONDS for a balloon reading exactly TEXT (Wine shows balloons
# a few seconds after the request).
e2e_wait_balloon() {
  local text=$1 seconds=${2:-12} end
  end=$(($(date +%s) + seconds))
  while [ "$(date +%s)" -lt "$end" ]; do
    if helper balloons | tr -d '\r' | grep -Fxq -- "$text"; then return 0; fi
    sleep 0.3
  done
  echo "balloons shown: $(helper balloons | tr -d '\r' | tr '\n' '|')" >&2
  return 1
}

# Sets byte OFFSET of FILE to VALUE (decimal).
e2e_poke() {
  printf "\\$(printf '%03o' "$3")" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# Starts the utility (EXE, log TAG), waits for its window and tray icon, shows
# the window from the tray, and sets ox / oy to the client area's screen origin.
e2e_start_shown() {
  e2e_start_app "$1" "$2"
  helper wait-window 30000 || e2e_fail "no main window ($2)"
  e2e_wait_tray || e2e_fail "no tray icon ($2)"
  sleep 1
  e2e_tray_click 1
  helper wait-visible 10000 || e2e_fail "the tray click did not show the window ($2)"
  sleep 1
  read -r ox oy < <(helper client-origin | tr -d '\r')
}
