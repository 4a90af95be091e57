# Shared by the end-to-end tests (tests/wine/e2e_*.sh), scripts/run.sh and
# scripts/measure-startup.sh. Source it after setting BUILD_DIR and SOURCE_DIR.
#
# Each test gets its own virtual display (Xvfb picks a free number), its own
# Wine prefix (a copy of one prepared once per build tree) and its own copy of
# the installed folder; everything is removed when the test ends.
#
# Nothing here waits for a fixed time: every wait is for a condition (a
# window listed, a picture changed, a file written), bounded only so that a
# failure ends the test with a clear message. The limits are generous because
# they cost nothing when things go well, and a machine whose cores are all
# busy may take many times longer than a quiet one.

set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Absolute, whatever the caller gave: Wine refuses a relative prefix.
BUILD_DIR="$(cd "$BUILD_DIR" && pwd)"
SOURCE_DIR="$(cd "$SOURCE_DIR" && pwd)"
E2E_ROOT="$(mktemp -d "${TMPDIR:-/tmp}/px6410-e2e.XXXXXX")"
E2E_SHOTS="${E2E_SHOTS:-$BUILD_DIR/e2e-screenshots}"
E2E_TEMPLATE="${E2E_TEMPLATE:-$BUILD_DIR/wine-template}"
E2E_XVFB_PID=""
E2E_APP_PIDS=()
mkdir -p "$E2E_SHOTS"

export WINEPREFIX="$E2E_ROOT/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

e2e_log() { echo "[$(date +%H:%M:%S)] $*"; }
e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

# Ends the prefix's Wine session and waits until its server is gone.
e2e_stop_wine() {
  timeout 20 wineserver -k 2>/dev/null || true
  timeout 30 wineserver -w 2>/dev/null || true
}

e2e_cleanup() {
  local status=$?
  set +e
  for pid in "${E2E_APP_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  # The server must be gone before the prefix is: a later prefix that gets
  # the same inode would otherwise reach this server and its running instance.
  if [ -d "$WINEPREFIX" ]; then
    e2e_stop_wine
  fi
  if [ -n "$E2E_XVFB_PID" ]; then kill "$E2E_XVFB_PID" 2>/dev/null; wait "$E2E_XVFB_PID" 2>/dev/null; fi
  rm -rf "$E2E_ROOT"
  exit $status
}
trap e2e_cleanup EXIT

# e2e_until SECONDS COMMAND...: runs COMMAND until it succeeds; fails (1)
# when SECONDS have passed without success.
e2e_until() { px_until "$@"; }

# A virtual display on a free number (Xvfb chooses it).
e2e_start_display() {
  local started=0
  px_start_xvfb "$E2E_ROOT" || started=$?
  E2E_XVFB_PID=$PX_XVFB_PID
  [ "$started" = 0 ] || e2e_fail "Xvfb did not start"
  e2e_log "display $DISPLAY"
}

# The prepared prefix of the build tree (fonts mapped), made once by whichever
# test comes first; later ones, and those running beside it, wait for it.
e2e_prepare_template() {
  mkdir -p "$(dirname "$E2E_TEMPLATE")"
  (
    flock 9
    if [ ! -f "$E2E_TEMPLATE/.px6410-ready" ] || [ "$SOURCE_DIR/scripts/wine-fonts.reg" -nt "$E2E_TEMPLATE/.px6410-ready" ]; then
      rm -rf "$E2E_TEMPLATE"
      mkdir -p "$E2E_TEMPLATE"
      export WINEPREFIX="$E2E_TEMPLATE"
      timeout 300 wineboot -i >/dev/null 2>&1 || true
      timeout 120 wine regedit "$SOURCE_DIR/scripts/wine-fonts.reg" >/dev/null 2>&1 || true
      timeout 120 wineserver -w || true
      # Only a prefix Wine really made is handed on.
      [ -f "$E2E_TEMPLATE/system.reg" ] || exit 1
      touch "$E2E_TEMPLATE/.px6410-ready"
    fi
  ) 9>"$E2E_TEMPLATE.lock" || e2e_fail "Wine could not prepare a prefix in $E2E_TEMPLATE"
}

# The virtual display runs no window manager. Wine, which waits up to two
# seconds at each hide of a managed window for the manager to take note,
# then manages none itself. Clicks on the tray icon then no longer show the
# utility's window (seen, not understood): for tests without the tray. Set
# before the prefix's server starts, which reads the registry once.
e2e_no_window_manager() {
  cat >>"$WINEPREFIX/user.reg" <<'REG'

[Software\\Wine\\X11 Driver] 1700000000
"Managed"="N"
REG
}

# A prefix of the test's own: a copy of the prepared one. With --unmanaged,
# Wine manages no window itself (e2e_no_window_manager).
e2e_start_wine() {
  e2e_prepare_template
  cp -a "$E2E_TEMPLATE" "$WINEPREFIX"
  [ "${1:-}" != --unmanaged ] || e2e_no_window_manager
  # Wine's desktop process comes up with the session's first window; on a
  # busy machine it now and then fails to, and a utility started then ends
  # at once (it cannot make its window). The session is brought up first and
  # started again when its desktop failed.
  local tries
  for tries in 1 2 3; do
    helper desktop && break
    [ "$tries" -lt 3 ] || e2e_fail "Wine's desktop did not come up"
    e2e_log "Wine's desktop did not come up; its session starts again"
    e2e_stop_wine
  done
  e2e_log "prefix $WINEPREFIX ready"
}

# Writes a simulated mouse's memory: 322 bytes, report rate 1000 Hz, stage 1,
# and the DPI table variant in block 4 byte 1 (offset 2 + 3 * 64 + 1).
e2e_make_mouse() { px_make_mouse "$@"; }
e2e_ini_set() { px_ini_set "$@"; }

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
  rm -f "$E2E_ROOT/$tag.exit"
  # The code is written aside and renamed: a reader never sees the file empty.
  ( cd "$(dirname "$exe")" && wine "./$(basename "$exe")" >/dev/null 2>&1
    echo $? >"$E2E_ROOT/$tag.exit.part" && mv "$E2E_ROOT/$tag.exit.part" "$E2E_ROOT/$tag.exit" ) &
  E2E_APP_PIDS+=($!)
}

# Waits up to SECONDS for the app tagged TAG to end; prints its exit code.
e2e_wait_exit() {
  local tag=$1 seconds=${2:-60}
  e2e_until "$seconds" test -f "$E2E_ROOT/$tag.exit" || return 1
  cat "$E2E_ROOT/$tag.exit"
}

# The app tagged TAG ends within SECONDS (default 60) with exit code CODE;
# otherwise says what it saw.
e2e_exits_with() {
  local tag=$1 code=$2 got
  got="$(e2e_wait_exit "$tag" "${3:-60}")" || { echo "$tag did not end within ${3:-60} s" >&2; return 1; }
  [ "$got" = "$code" ] || { echo "$tag ended with $got" >&2; return 1; }
}

e2e_running() { [ ! -f "$E2E_ROOT/$1.exit" ]; }

# The test helper (tests/e2e/px_e2e_helper.cpp) in the test's prefix. Its
# answers: 0 yes / done, 1 no / not in time, 2 usage, 3 still dragging, each
# said last on its standard error ("answered N"). On a busy machine Wine now
# and then loses a process before it answers (it ends with a fault code, or
# with a bare 1): the question is asked again.
helper() {
  local out status tries
  for tries in 1 2 3; do
    status=0
    out="$(timeout 120 wine "$BUILD_DIR/px_e2e_helper.exe" "$@" 2>"$E2E_ROOT/helper.err")" || status=$?
    if grep -qx "answered $status" <(tr -d '\r' <"$E2E_ROOT/helper.err"); then
      [ -z "$out" ] || printf '%s\n' "$out"
      grep -v '^answered ' "$E2E_ROOT/helper.err" >&2 || true
      return "$status"
    fi
    e2e_log "the helper ($1) ended with $status: $(head -c 300 "$E2E_ROOT/helper.err" | tr '\n' ' '); asking again"
  done
  return "$status"
}

# e2e_wait_line PATTERN [SECONDS]: waits until a line of the utility's window
# listing (`px_e2e_helper windows`) matches the regular expression, or with
# "!PATTERN" until none does; prints the matching line.
# A wait that ends without the helper's own "in time" answer was lost by Wine
# on a busy machine (seen once as a bare exit 1): it is asked again.
e2e_wait_line() {
  local out status tries
  for tries in 1 2 3; do
    status=0
    out="$(helper wait $((${2:-30} * 1000)) "$1")" || status=$?
    if [ "$status" = 0 ]; then
      tr -d '\r' <<<"$out"
      return 0
    fi
    grep -q "^no window listing line" "$E2E_ROOT/helper.err" && break
    e2e_log "the wait for '$1' ended with $status and no answer; asking again"
  done
  echo "waiting for a window listing line '$1' ended with $status" >&2
  return "$status"
}

# Wine's tray: a small window at the top left; its first icon is ours.
e2e_tray_window() { xdotool search --name '^Wine System Tray$' 2>/dev/null | head -n1; }

e2e_tray_present() { [ -n "$(e2e_tray_window)" ]; }
e2e_wait_tray() { e2e_until 60 e2e_tray_present; }

e2e_tray_click() {
  local button=${1:-1}
  local win x y
  win="$(e2e_tray_window)"
  [ -n "$win" ] || e2e_fail "no tray window"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  x=$((X + 10)); y=$((Y + 10))
  xdotool mousemove "$x" "$y" click "$button"
}

# Shows the main window from the tray: the icon may not take clicks the
# moment its window appears, so the click is repeated until the window shows.
e2e_show_from_tray() {
  local tries
  for tries in $(seq 20); do
    e2e_tray_click 1
    helper wait-visible 5000 && return 0
  done
  return 1
}

# Where the main window's client area is on the screen (ox, oy). Read again
# before each group of clicks; a window that moved is said so in the log.
ox="" oy=""
e2e_origin() {
  local nx="" ny="" line
  line="$(helper client-origin | tr -d '\r')" || e2e_fail "no main window to read the origin of"
  read -r nx ny <<<"$line"
  if [ -n "$ox" ] && [ "$nx $ny" != "$ox $oy" ]; then e2e_log "the window moved from $ox,$oy to $nx,$ny"; fi
  ox=$nx oy=$ny
}

# The main window's thread has handled what reached it and is in no window
# drag. A click that rightly fell through to a drag (the frame buttons do)
# ends the drag with its button-up; should a busy machine lose that, a second
# click where the pointer rests ends it, and the next origin read says where
# the window went.
e2e_settle() {
  helper settle 30000 >/dev/null 2>&1 && return 0
  e2e_log "a window drag outlived its click: ending it"
  xdotool click 1
  helper settle 30000 >/dev/null 2>&1 || e2e_fail "the main window stays in a window drag"
}

# Client coordinates are the page's layout; on a scaled screen (E2E_SCALE,
# in percent: 200 at 192 DPI) they reach the screen multiplied, rounded as
# the program rounds.
E2E_SCALE=${E2E_SCALE:-100}
e2e_dev() { echo $((($1 * E2E_SCALE + 50) / 100)); }

# The pixels of a region of the client area (X Y W H), as a checksum.
e2e_region_hash() {
  local x y w h
  x=$(e2e_dev "$1") y=$(e2e_dev "$2")
  w=$(($(e2e_dev $(($1 + $3))) - x)) h=$(($(e2e_dev $(($2 + $4))) - y))
  import -window root -crop "${w}x$h+$((ox + x))+$((oy + y))" +repage -depth 8 rgb:- 2>/dev/null | md5sum
}
e2e_region_is_not() { [ "$(e2e_region_hash "${@:2}")" != "$1" ]; }
# Waits until the region X Y W H no longer shows what HASH describes.
e2e_wait_region_changes() {
  local hash=$1
  shift
  e2e_until "${E2E_LOOK_SECONDS:-30}" e2e_region_is_not "$hash" "$@"
}

# A region that looks the same in two readings in a row: drawn completely.
e2e_region_steady() {
  local first
  first="$(e2e_region_hash "$@")"
  [ "$first" = "$(e2e_region_hash "$@")" ]
}

# Clicks at client point X,Y and waits until the region RX RY RW RH shows
# something else: the click reached the window and it redrew.
e2e_click_changes() {
  local x=$1 y=$2 before
  shift 2
  before="$(e2e_region_hash "$@")"
  xdotool mousemove $((ox + $(e2e_dev "$x"))) $((oy + $(e2e_dev "$y"))) click 1
  e2e_wait_region_changes "$before" "$@" || { e2e_shot "no-change-$x-$y" >/dev/null; e2e_fail "a click at $x,$y did not change the region $*"; }
  e2e_settle
}

# Clicks at client point X,Y and waits until the window listing has a line
# matching PATTERN (or, with "!PATTERN", none).
e2e_click_until_line() {
  xdotool mousemove $((ox + $(e2e_dev "$1"))) $((oy + $(e2e_dev "$2"))) click 1
  e2e_wait_line "$3" >/dev/null || { e2e_shot "no-line-$1-$2" >/dev/null; e2e_fail "after a click at $1,$2 the windows do not show '$3'"; }
}

# The pointer rests at client point X,Y: moved there in two steps, as a
# hand would, so that the window sees a move inside the element.
e2e_rest_on() { xdotool mousemove $((ox + $(e2e_dev "$1"))) $((oy + $(e2e_dev "$2"))) mousemove_relative 1 1; }

# Saves a screenshot of the whole display; prints its path.
e2e_shot() {
  local path="$E2E_SHOTS/$1.png"
  import -window root "$path"
  echo "$path"
}

# Waits up to SECONDS for a balloon reading exactly TEXT (Wine shows balloons
# a few seconds after the request).
e2e_balloon_shown() { helper balloons | tr -d '\r' | grep -Fxq -- "$1"; }
e2e_wait_balloon() {
  local text=$1 seconds=${2:-30}
  e2e_until "$seconds" e2e_balloon_shown "$text" && return 0
  echo "balloons shown: $(helper balloons | tr -d '\r' | tr '\n' '|')" >&2
  return 1
}

# Sets byte OFFSET of FILE to VALUE (decimal).
e2e_poke() {
  printf "\\$(printf '%03o' "$3")" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# Byte OFFSET of FILE, in decimal.
e2e_byte() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }

# Starts the utility (EXE, log TAG), waits for its window and tray icon, shows
# the window from the tray, waits until it is placed and drawn, and sets ox /
# oy to the client area's screen origin.
e2e_start_shown() {
  e2e_start_app "$1" "$2"
  helper wait-window 60000 || e2e_fail "no main window ($2)"
  e2e_wait_tray || e2e_fail "no tray icon ($2)"
  e2e_show_from_tray || e2e_fail "the tray click did not show the window ($2)"
  e2e_wait_placed "$2"
}

# After the window shows: its origin reads the same twice in a row and the
# page looks the same twice in a row (it is drawn completely).
e2e_wait_placed() {
  local before=""
  ox="" oy=""
  placed() {
    local now
    now="$(helper client-origin | tr -d '\r')"
    [ "$now" = "$before" ] && return 0
    before="$now"
    return 1
  }
  e2e_until 60 placed || e2e_fail "the window does not stay in one place (${1:-})"
  read -r ox oy <<<"$before"
  e2e_until 60 e2e_region_steady 0 0 878 658 || e2e_fail "the window is not drawn steadily (${1:-})"
}

# The colours of a region of the client area (X Y W H): "COUNT #RRGGBB" a
# line, the most frequent first.
e2e_colours() {
  import -window root -crop "$3x$4+$((ox + $1))+$((oy + $2))" +repage -depth 8 txt:- 2>/dev/null |
    grep -o '#[0-9A-F]\{6\}' | sort | uniq -c | sort -rn | awk '{print $1, $2}'
}
# e2e_expect_colours WHAT BACKGROUND TEXT MIN X Y W H: the region is mostly
# BACKGROUND (#RRGGBB) and holds at least MIN pixels of TEXT, give or take 24
# in each channel (smoothed glyphs, the Chinese ones most, are seldom pure).
e2e_expect_colours() {
  local what=$1 background=$2 text=$3 min=$4 colours top count
  shift 4
  colours="$(e2e_colours "$@")"
  top="$(head -n1 <<<"$colours" | awk '{print $2}')"
  count="$(awk -v c="$text" '
    function digit(d) { return index("0123456789ABCDEF", d) - 1 }
    function channel(h, i) { return 16 * digit(substr(h, i, 1)) + digit(substr(h, i + 1, 1)) }
    function near(a, b) { return (a > b ? a - b : b - a) <= 24 }
    near(channel($2, 2), channel(c, 2)) && near(channel($2, 4), channel(c, 4)) && near(channel($2, 6), channel(c, 6)) { n += $1 }
    END { print n + 0 }' <<<"$colours")"
  [ "$top" = "$background" ] && [ "$count" -ge "$min" ] && return 0
  e2e_shot "colours-$(tr ' /()' '____' <<<"$what")" >/dev/null
  e2e_fail "$what: mostly $top with $count pixels near $text; expected mostly $background with at least $min near $text (colours: $(head -n5 <<<"$colours" | tr '\n' ' '))"
}

# The Windows name of an absolute path: Wine's drive Z: is the root. Made
# here rather than by winepath, a Wine process of its own that a busy machine
# can lose.
e2e_winpath() { printf 'Z:%s\n' "${1//\//\\}"; }

# Whether the region X Y W H of PICTURE ("-": the screen now) is white text
# on the colour HEX (six hex digits, as controls paint their text): HEX fills
# at least half of it, and some pixels are the text's: neutral light greys
# (a font smooths its edges), the brightest at least 0xE0. Otherwise
# E2E_COLOUR_FAULT says what the region shows.
E2E_COLOUR_FAULT=""
e2e_white_text_on() {
  local picture=$1 x=$2 y=$3 w=$4 h=$5 hex=$6 top count total light brightest
  if [ "$picture" = - ]; then
    picture="$E2E_ROOT/colours.png"
    import -window root "$picture"
  fi
  read -r top count total light brightest < <(
    convert "$picture" -crop "${w}x${h}+$x+$y" +repage -depth 8 -format %c histogram:info:- | sort -rn |
      awk '{ n = $1 + 0; total += n; split($2, c, /[(),]/)
             if (NR == 1) { top = sprintf("%02X%02X%02X", c[2], c[3], c[4]); count = n }
             if (c[2] == c[3] && c[3] == c[4] && c[2] >= 200) { light += n; if (c[2] > brightest) brightest = c[2] } }
           END { print top, count + 0, total + 0, light + 0, brightest + 0 }')
  if [ "$top" = "${hex^^}" ] && [ $((count * 2)) -ge "$total" ] && [ "$light" -ge 5 ] && [ "$brightest" -ge 224 ]; then
    return 0
  fi
  E2E_COLOUR_FAULT="mostly #$top ($count of $total pixels), $light white text pixels, the brightest $brightest"
  return 1
}

# The part of a list to test its colours on: the entries shown above or
# below the selected one, whichever are more (the selection has the system's
# colours). LINE is the list's line of a window listing ("... L T R B
# count=N top=N sel=N itemh=N ..."; L T R B are the four numbers before
# count=, a one-pixel border inside them). Prints X Y W H in the same
# coordinates, two pixels in from the sides.
e2e_unselected_rows() {
  local line=$1 l t r b count top sel itemh rows above below
  read -r l t r b < <(sed 's/ count=.*//' <<<"$line" | awk '{print $(NF - 3), $(NF - 2), $(NF - 1), $NF}')
  count=$(grep -o 'count=[-0-9]*' <<<"$line" | cut -d= -f2)
  top=$(grep -o 'top=[-0-9]*' <<<"$line" | cut -d= -f2)
  sel=$(grep -o 'sel=[-0-9]*' <<<"$line" | cut -d= -f2)
  itemh=$(grep -o 'itemh=[-0-9]*' <<<"$line" | cut -d= -f2)
  rows=$(((b - t - 2) / itemh))
  [ $((count - top)) -ge "$rows" ] || rows=$((count - top))
  above=$((sel - top)) below=$((rows - sel + top - 1))
  if [ "$sel" -lt "$top" ] || [ "$above" -ge "$rows" ]; then
    echo $((l + 2)) $((t + 1)) $((r - l - 4)) $((rows * itemh))
  elif [ "$above" -ge "$below" ]; then
    echo $((l + 2)) $((t + 1)) $((r - l - 4)) $((above * itemh))
  else
    echo $((l + 2)) $((t + 1 + (above + 1) * itemh)) $((r - l - 4)) $((below * itemh))
  fi
}
