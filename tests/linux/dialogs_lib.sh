# Shared by the Linux dialog tests (tests/linux/dialogs_*.sh). Source it
# after setting BUILD_DIR and SOURCE_DIR.
#
# Each test gets its own virtual display (Xvfb picks a free number) and its
# own folder holding px_dialog_runner_qt, the shipped skins and str.ini; all
# is removed when the test ends. Every step waits for a condition (the state
# file the runner rewrites every 100 ms, a pixel, the answer), never for a
# fixed time.

set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/common.sh"

DL_ROOT="$(mktemp -d "${TMPDIR:-/tmp}/px6410-dialogs.XXXXXX")"
DL_SHOTS="${DL_SHOTS:-$BUILD_DIR/e2e-screenshots}"
DL_XVFB_PID=""
DL_RUNNER_PID=""
DIR="$DL_ROOT/runner"
STATE="$DIR/state.txt"
OUT="$DIR/out.txt"
OX=0 OY=0
mkdir -p "$DL_SHOTS" "$DIR"
cp "$BUILD_DIR/px_dialog_runner_qt" "$DIR/"
cp -r "$BUILD_DIR/dist/Skins" "$DIR/"
if [ -f "$BUILD_DIR/dist/str.ini" ]; then cp "$BUILD_DIR/dist/str.ini" "$DIR/"; fi
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$DL_ROOT"

dl_log() { echo "[$(date +%H:%M:%S)] $*"; }
dl_fail() {
  echo "FAIL: $*" >&2
  if [ -n "${DISPLAY:-}" ]; then import -window root "$DL_SHOTS/dialogs-linux-failure.png" 2>/dev/null || true; fi
  [ -f "$STATE" ] && cat "$STATE" >&2
  [ -f "$DL_ROOT/xvfb.log" ] && tail -5 "$DL_ROOT/xvfb.log" >&2
  exit 1
}

dl_cleanup() {
  local status=$?
  set +e
  if [ "$status" != 0 ] && [ -n "$DL_XVFB_PID" ]; then
    kill -0 "$DL_XVFB_PID" 2>/dev/null || echo "the display's server has ended" >&2
    echo "its log: $(tail -3 "$DL_ROOT/xvfb.log" 2>/dev/null | tr '\n' ' ')" >&2
  fi
  if [ -n "$DL_RUNNER_PID" ]; then kill "$DL_RUNNER_PID" 2>/dev/null; wait "$DL_RUNNER_PID" 2>/dev/null; fi
  if [ -n "$DL_XVFB_PID" ]; then kill "$DL_XVFB_PID" 2>/dev/null; wait "$DL_XVFB_PID" 2>/dev/null; fi
  rm -rf "$DL_ROOT"
  exit $status
}
trap dl_cleanup EXIT

# On a loaded machine a client now and then finds the display not taking
# connections for a moment: xdotool and import try again until it does.
dl_x_client() {
  local tool=$1 end=$((SECONDS + 10))
  shift
  until command "$tool" "$@" 2>"$DL_ROOT/x-client.err"; do
    if ! grep -qiE "open display|unable to open X server" "$DL_ROOT/x-client.err" || [ "$SECONDS" -ge "$end" ]; then
      cat "$DL_ROOT/x-client.err" >&2
      return 1
    fi
  done
}
xdotool() { dl_x_client xdotool "$@"; }
import() { dl_x_client import "$@"; }

# A display of our own, on a number far from those that scripts name
# outright, reached through its abstract socket only: a socket file under
# /tmp/.X11-unix can be swept away by another hand while the test runs.
dl_start_display() {
  local n=$((300 + $$ % 500)) tries
  for tries in $(seq 20); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -nolisten unix >"$DL_ROOT/xvfb.log" 2>&1 &
      DL_XVFB_PID=$!
      export DISPLAY=":$n"
      dl_until "the display to take clients" dl_display_up
      if kill -0 "$DL_XVFB_PID" 2>/dev/null; then
        dl_log "display $DISPLAY"
        return 0
      fi
    fi
    n=$((n + 1))
  done
  dl_fail "no free display"
}
dl_display_up() { xdotool getmouselocation || ! kill -0 "$DL_XVFB_PID"; }

# Runs CMD... until it succeeds, at most 30 s; fails naming WHAT otherwise.
dl_until() {
  local what=$1
  shift
  local end=$((SECONDS + 30))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$end" ] || dl_fail "waited in vain for $what"
    sleep 0.05
  done
}

dl_dialog_open() { [ -f "$STATE" ] && grep -q '^window .* title=$' "$STATE"; }

# Opens a dialog; waits until it shows and sets OX / OY to its client origin.
dl_open() {
  rm -f "$STATE" "$OUT"
  ( cd "$DIR" && exec timeout 120 ./px_dialog_runner_qt "$@" --state "$STATE" >"$OUT" 2>"$DIR/err.txt" ) &
  DL_RUNNER_PID=$!
  dl_until "the dialog $* to open" dl_dialog_open
  read -r OX OY < <(grep -m1 '^window .* title=$' "$STATE" | awk '{print $2, $3}')
  # Drawn once OK and Cancel show the same normal look.
  dl_until "the dialog to be drawn" dl_same_pixel 170 256 274 256
}

# Client coordinates of the dialog.
dl_move() { xdotool mousemove $((OX + $1)) $((OY + $2)); }
dl_click() { xdotool mousemove $((OX + $1)) $((OY + $2)) click 1; }
dl_child() { grep -m1 "^child $1 " "$STATE" || true; }
dl_field() { dl_child "$1" | sed 's/.* text=//'; }
dl_list_value() { dl_child "$1" | grep -o "$2=[-0-9]*" | cut -d= -f2; }
dl_has_child() { [ -n "$(dl_child "$1")" ]; }
dl_no_child() { dl_dialog_open && [ -z "$(dl_child "$1")" ]; }
dl_field_is() { [ "$(dl_field "$1")" = "$2" ]; }
dl_list_is() { [ "$(dl_list_value "$1" "$2")" = "$3" ]; }

# Opens the drop-down at X Y and waits for LIST.
dl_open_list() {
  dl_click "$1" "$2"
  dl_until "list $3 to open" dl_has_child "$3"
}

# Picks the entry INDEX of the open list LIST (scrolled into view before).
dl_choose() {
  local list=$1 index=$2 left listtop itemh top
  read -r left listtop < <(dl_child "$list" | awk '{print $5, $6}')
  itemh=$(dl_list_value "$list" itemh)
  top=$(dl_list_value "$list" top)
  dl_click $((left + 20)) $((listtop + 1 + (index - top) * itemh + itemh / 2))
  dl_until "list $list to close after a choice" dl_no_child "$list"
}

# The colour of a client pixel as #RRGGBB.
dl_pixel() {
  import -window root -crop "1x1+$((OX + $1))+$((OY + $2))" -depth 8 txt:- | grep -o -m1 '#[0-9A-Fa-f]\{6\}'
}
dl_same_pixel() { [ "$(dl_pixel "$1" "$2")" = "$(dl_pixel "$3" "$4")" ]; }
dl_pixel_is() { [ "$(dl_pixel "$1" "$2")" = "$3" ]; }
dl_pixel_is_not() { [ "$(dl_pixel "$1" "$2")" != "$3" ]; }

# The answer the runner printed once the dialog ended.
dl_answered() { [ -s "$OUT" ]; }
dl_expect() {
  local got
  dl_until "an answer from the dialog" dl_answered
  wait "$DL_RUNNER_PID" 2>/dev/null || true
  DL_RUNNER_PID=""
  got="$(cat "$OUT")"
  [ "$got" = "$1" ] || dl_fail "expected '$1', got '$got'"
  dl_log "ok: $1"
}

# str.ini is UTF-16LE with a byte-order mark; edits go through UTF-8.
dl_ini_value() { iconv -f UTF-16 -t UTF-8 "$DIR/str.ini" | tr -d '\r' | grep "^$1=" | cut -d= -f2; }
dl_ini_set() { px_ini_set "$DIR/str.ini" "$@"; }
