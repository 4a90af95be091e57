# Shared by the Linux end-to-end tests (tests/linux/e2e_*.sh) and
# scripts/run.sh --linux. Source it after setting BUILD_DIR and SOURCE_DIR.
#
# Each test gets its own virtual display (Xvfb picks a free number), its own
# session bus with a notification sink, its own runtime and config folders
# and its own copy of the installed folder; everything goes when it ends.
# Waits are for conditions, polled, never for fixed times.

set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/common.sh"

LX_ROOT="$(mktemp -d "${TMPDIR:-/tmp}/px6410-linux.XXXXXX")"
LX_SHOTS="${LX_SHOTS:-$BUILD_DIR/linux-screenshots}"
LX_PIDS=()
LX_NOTES="$LX_ROOT/notifications.log"
mkdir -p "$LX_SHOTS" "$LX_ROOT/run" "$LX_ROOT/config"
rm -f "$LX_SHOTS/failed-$(basename "$0" .sh).png"
chmod 700 "$LX_ROOT/run"
: >"$LX_NOTES"
# The single instance and the settings of these runs are the test's own.
export XDG_RUNTIME_DIR="$LX_ROOT/run"
export XDG_CONFIG_HOME="$LX_ROOT/config"
# Nothing reaches a real desktop: the web link goes to a stand-in opener.
mkdir -p "$LX_ROOT/bin"
printf '#!/bin/sh\necho "$*" >>"%s/opened.log"\n' "$LX_ROOT" >"$LX_ROOT/bin/xdg-open"
chmod +x "$LX_ROOT/bin/xdg-open"
export PATH="$LX_ROOT/bin:$PATH"
PX6410="$BUILD_DIR/dist/px6410"
PX6410CTL="$BUILD_DIR/dist/px6410ctl"

lx_log() { echo "[$(date +%H:%M:%S)] $*"; }
lx_fail() {
  echo "FAIL: $*" >&2
  [ -n "${DISPLAY:-}" ] && import -window root "$LX_SHOTS/failed-$(basename "$0" .sh).png" 2>/dev/null || true
  exit 1
}

lx_cleanup() {
  local status=$?
  set +e
  local i
  for ((i = ${#LX_PIDS[@]} - 1; i >= 0; i--)); do kill "${LX_PIDS[i]}" 2>/dev/null; done
  for ((i = ${#LX_PIDS[@]} - 1; i >= 0; i--)); do wait "${LX_PIDS[i]}" 2>/dev/null; done
  # A service the bus started (xfconfd) may still write its files as it goes.
  lx_wait 10 rm -rf "$LX_ROOT" || rm -rf "$LX_ROOT"
  exit $status
}
trap lx_cleanup EXIT

# Polls `command...` every 50 ms until it succeeds; fails after SECONDS.
lx_wait() { px_until "$1" px_quietly "${@:2}"; }

# A virtual display on a free number, managed by a window manager as users'
# desktops are (LX_BARE_X=1: a bare X server).
lx_start_display() {
  local started=0
  px_start_xvfb "$LX_ROOT" || started=$?
  LX_PIDS+=("$PX_XVFB_PID")
  [ "$started" = 0 ] || lx_fail "Xvfb did not start"
  lx_log "display $DISPLAY"
  [ "${LX_BARE_X:-0}" = 1 ] || lx_start_wm
}

# --- Window manager -------------------------------------------------------
# openbox with its default settings (Alt+F4 closes, windows are framed and
# moved by it); ready once it has claimed the screen for the desktop.
# A busy X server may refuse a client for a moment (see dialogs_lib.sh):
# openbox, which then ends at once, is started again.
lx_wm_ready() { grep -q 'window id' <<<"$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)"; }
lx_wm_settled() { lx_wm_ready || ! kill -0 "$1" 2>/dev/null; }
lx_start_wm() {
  local tries pid
  for tries in 1 2 3 4 5; do
    openbox --sm-disable >"$LX_ROOT/openbox.log" 2>&1 &
    pid=$!
    LX_PIDS+=("$pid")
    lx_wait 20 lx_wm_settled "$pid" || break
    lx_wm_ready && return 0
    grep -q 'Failed to open the display' "$LX_ROOT/openbox.log" || break
    lx_log "openbox could not open the display; again"
  done
  lx_fail "openbox did not start: $(cat "$LX_ROOT/openbox.log")"
}
# The window's type as the window manager reads it, the first it knows of
# (NORMAL, or UTILITY: no taskbar button).
lx_window_type() {
  xprop -id "$(lx_window)" _NET_WM_WINDOW_TYPE | cut -d= -f2 | tr ',' '\n' | tr -d ' ' |
    sed -n 's/^_NET_WM_WINDOW_TYPE_//p' | head -n1
}

# A notification area (XEmbed) at the top right of the display.
lx_start_tray() {
  trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
  LX_PIDS+=($!)
  lx_wait 20 xdotool search --name '^panel$' || lx_fail "the tray host did not start"
}

# --- Desktop panel --------------------------------------------------------
# xfce4-panel at the top of the screen with only its notification area
# (XEmbed icons and StatusNotifierItems alike), its settings the test's own.
# Needs the session bus first (its settings come through xfconfd on it).
lx_start_panel() {
  local conf="$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
  mkdir -p "$conf"
  cat >"$conf/xfce4-panel.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="length" type="uint" value="100"/>
      <property name="size" type="uint" value="32"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
XML
  xfce4-panel --disable-wm-check >"$LX_ROOT/panel.log" 2>&1 &
  LX_PIDS+=($!)
  lx_wait 30 xdotool search --onlyvisible --classname '^xfce4-panel$' || lx_fail "xfce4-panel did not start: $(cat "$LX_ROOT/panel.log")"
  # Its notification area takes StatusNotifierItems once it watches for them.
  lx_wait 30 dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.GetNameOwner string:org.kde.StatusNotifierWatcher || lx_fail "the panel hosts no StatusNotifierItems"
}

# A session bus of the test's own and a notification service on it that
# writes every notification to $LX_NOTES (and its icon to $LX_NOTES.icons).
lx_start_bus() {
  lx_start_bare_bus
  lx_start_notify_sink
}
# A session bus of the test's own without any notification service.
lx_start_bare_bus() {
  local out
  out="$(dbus-daemon --session --fork --print-address=1 --print-pid=1 --nopidfile)" || lx_fail "no session bus"
  export DBUS_SESSION_BUS_ADDRESS="$(sed -n 1p <<<"$out")"
  LX_PIDS+=("$(sed -n 2p <<<"$out")")
}
lx_start_notify_sink() {
  "$BUILD_DIR/px_notify_sink" "$LX_NOTES" &
  LX_PIDS+=($!)
  lx_wait 20 dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.GetNameOwner string:org.freedesktop.Notifications || lx_fail "no notification service"
}

# A copy of the installed folder (executable, settings, skins) and, with a
# variant, a simulated mouse of that DPI table variant: 322 bytes, report
# rate 1000 Hz, stage 1, the variant in block 4 byte 1.
lx_make_folder() {
  local dir="$LX_ROOT/$1" variant=${2:-}
  mkdir -p "$dir"
  cp "$PX6410" "$BUILD_DIR/dist/config.bin" "$BUILD_DIR/dist/str.ini" "$dir/"
  cp -r "$BUILD_DIR/dist/Skins" "$dir/"
  if [ -n "$variant" ]; then px_make_mouse "$dir/mouse.bin" "$variant"; fi
  echo "$dir"
}

lx_ini_set() { px_ini_set "$@"; }

# Starts px6410 with the given arguments in the background; NAME names it
# for lx_wait_exit and lx_running.
lx_start_app() {
  local name=$1
  shift
  "$@" >"$LX_ROOT/$name.out" 2>&1 &
  local pid=$!
  LX_PIDS+=($pid)
  echo "$pid" >"$LX_ROOT/$name.pid"
}
# Starts the px6410 of the current folder (NAME) on its simulated mouse and
# shows its window from the tray icon, painted, OX/OY read.
lx_start_shown() {
  lx_start_app "$1" "$PWD/px6410" --sim mouse.bin
  lx_wait_tray || lx_fail "no tray icon ($1)"
  lx_tray_click 1
  lx_wait_visible || lx_fail "a click on the icon did not show the window ($1)"
  lx_wait_painted || lx_fail "the page was not painted ($1)"
}
lx_pid() { cat "$LX_ROOT/$1.pid"; }
lx_running() { kill -0 "$(lx_pid "$1")" 2>/dev/null; }
# NAME ended within SECONDS with exit code CODE (waited for here, in this
# shell: a child's code is not to be had from a subshell).
lx_exited_with() {
  local name=$1 seconds=$2 code=$3 pid got=0
  pid="$(lx_pid "$name")"
  lx_wait "$seconds" bash -c "! kill -0 $pid" || return 1
  wait "$pid" || got=$?
  [ "$got" = "$code" ] || { echo "$name ended with $got" >&2; return 1; }
}

# The main window and the icon.
lx_window() { xdotool search --name '^PX6410 Mouse Settings$' 2>/dev/null | head -n1 || true; }
lx_visible() { [ -n "$(xdotool search --onlyvisible --name '^PX6410 Mouse Settings$' 2>/dev/null | head -n1)" ]; }
lx_hidden() { ! lx_visible; }
lx_wait_visible() { lx_wait "${1:-20}" lx_visible; }
lx_wait_hidden() { lx_wait "${1:-20}" lx_hidden; }
# The icon: an embedded window of the program inside the tray host.
# The icon is 22 high in the tray host's 24; Qt asks for 22 logical pixels of
# width, more on a scaled screen (44 at twice the scale).
lx_is_icon() { [[ "$(xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p')" =~ ^[0-9]+x22$ ]]; }
lx_tray_icon() {
  { xdotool search --onlyvisible --classname '^px6410$' 2>/dev/null || true; } | while read -r w; do
    lx_is_icon "$w" && echo "$w"
  done | head -n1
}
lx_has_tray() { [ -n "$(lx_tray_icon)" ]; }
lx_wait_tray() { lx_wait "${1:-20}" lx_has_tray; }
lx_tray_click() {
  local icon
  icon="$(lx_tray_icon)"
  [ -n "$icon" ] || lx_fail "no tray icon to click"
  xdotool mousemove --window "$icon" 11 11 click "$1"
}
# A notification whose "SUMMARY|BODY" line is exactly this has arrived
# (counting from line FROM, 1 by default).
lx_noted() { tail -n +"${2:-1}" "$LX_NOTES" | grep -qxF "$1"; }
lx_wait_note() { lx_wait "${3:-20}" lx_noted "$1" "${2:-1}"; }
lx_notes_seen() { wc -l <"$LX_NOTES"; }

# A small dialog of the program NAME (a parameter dialog or the skin
# chooser): its untitled window, the only one besides the main window and the
# icon. lx_wait_dialog sets DX DY to its client origin.
lx_dialog() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$(lx_pid "$1")" 2>/dev/null); do
    [ "$(xdotool getwindowname "$w")" = px6410 ] || continue
    lx_is_icon "$w" || { echo "$w"; return 0; }
  done
  return 1
}
lx_no_dialog() { ! lx_dialog "$1"; }
DX=0 DY=0
lx_wait_dialog() {
  lx_wait "${2:-20}" lx_dialog "$1" || return 1
  eval "$(lx_geometry "$(lx_dialog "$1")")"
  DX=$X DY=$Y
}
lx_wait_no_dialog() { lx_wait "${2:-20}" lx_no_dialog "$1"; }
lx_dclick() { xdotool mousemove $((DX + $1)) $((DY + $2)) click 1; }
# A region of the dialog as pixels (see lx_region).
lx_dregion() { import -window root -crop "$3x$4+$((DX + $1))+$((DY + $2))" "$LX_ROOT/$5.png"; }
# The dialog's two buttons look alike once it has been drawn.
lx_pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | grep -o -m1 '#[0-9A-Fa-f]\{6\}'; }
lx_dialog_drawn() {
  local ok
  ok="$(lx_pixel $((DX + 170)) $((DY + 256)))"
  [ "$ok" != "#000000" ] && [ "$ok" = "$(lx_pixel $((DX + 274)) $((DY + 256)))" ]
}

# A window's client area on the screen as X= Y= WIDTH= HEIGHT= lines, for
# eval. xdotool counts a window manager's frame twice; xwininfo does not.
lx_geometry() {
  xwininfo -id "$1" | sed -n 's/^ *Absolute upper-left X: *\(-*[0-9]*\)/X=\1/p; s/^ *Absolute upper-left Y: *\(-*[0-9]*\)/Y=\1/p
    s/^ *Width: *\([0-9]*\)/WIDTH=\1/p; s/^ *Height: *\([0-9]*\)/HEIGHT=\1/p'
}

# The window's client origin, read again after anything that can move it.
lx_origin() {
  local w
  w="$(lx_window)"
  [ -n "$w" ] || lx_fail "no main window"
  eval "$(lx_geometry "$w")"
  OX=$X OY=$Y OW=$WIDTH OH=$HEIGHT
}
# Client coordinates are logical; on a scaled screen (LX_SCALE, in percent
# of the device pixels a logical one takes: 150 for QT_SCALE_FACTOR=1.5)
# they reach the screen multiplied, rounded as the program rounds.
LX_SCALE=${LX_SCALE:-100}
lx_dev() { echo $((($1 * LX_SCALE + 50) / 100)); }
lx_click() { xdotool mousemove $((OX + $(lx_dev "$1"))) $((OY + $(lx_dev "$2"))) click 1; }
# A region of the client area as pixels, for comparing looks.
lx_region() {
  import -window root -crop "$(lx_dev "$3")x$(lx_dev "$4")+$((OX + $(lx_dev "$1")))+$((OY + $(lx_dev "$2")))" "$LX_ROOT/$5.png"
}
lx_differs() { [ "$(compare -metric AE "$LX_ROOT/$1.png" "$LX_ROOT/$2.png" null: 2>&1 || true)" != 0 ]; }
# Waits until the region differs from the saved picture BEFORE.
lx_wait_region_change() {
  local before=$1 x=$2 y=$3 w=$4 h=$5
  lx_wait "${6:-10}" bash -c "import -window root -crop $(lx_dev "$w")x$(lx_dev "$h")+$((OX + $(lx_dev "$x")))+$((OY + $(lx_dev "$y"))) '$LX_ROOT/now.png' &&
    [ \"\$(compare -metric AE '$LX_ROOT/$before.png' '$LX_ROOT/now.png' null: 2>&1 || true)\" != 0 ]"
}
# The same in the dialog's client area.
lx_wait_dregion_change() { OX=$DX OY=$DY lx_wait_region_change "$@"; }
# The window shows more than black: its canvas has been painted.
lx_painted() {
  lx_origin
  [ "$(import -window root -crop "${OW}x${OH}+$OX+$OY" -format '%[fx:maxima]' info: 2>/dev/null)" != 0 ]
}
lx_wait_painted() { lx_wait "${1:-10}" lx_painted; }
# The whole screen, into the screenshot folder.
lx_screen() { import -window root "$LX_SHOTS/$1.png"; }
# The window as it is on the screen, into the screenshot folder.
lx_shot() {
  lx_origin
  import -window root -crop "${OW}x${OH}+$OX+$OY" +repage "$LX_SHOTS/$1.png" 2>/dev/null || true
  echo "$LX_SHOTS/$1.png"
}

# ---------------------------------------------------------------------------
# A Wayland desktop in the test's display: weston's X11 backend draws its
# output in a window over the whole display, so the display's screenshots
# show what weston shows and xdotool's pointer and keys reach its clients.
# Weston has no notification area. Programs started afterwards use Qt's
# Wayland platform. Call after lx_start_display.
LX_WL_PANEL=32   # weston's panel along the top of its output
LX_WL_HEIGHT=776 # its output, short of the display's bottom (see below)
lx_start_weston() {
  weston --backend=x11-backend.so --width=1280 --height=$LX_WL_HEIGHT --socket=px-wayland --idle-time=0 \
    >"$LX_ROOT/weston.log" 2>&1 &
  LX_PIDS+=($!)
  lx_wait 30 test -S "$XDG_RUNTIME_DIR/px-wayland" || lx_fail "weston did not start: $(tail -n3 "$LX_ROOT/weston.log")"
  lx_wait 30 lx_wl_output || lx_fail "weston shows no output"
  export WAYLAND_DISPLAY=px-wayland QT_QPA_PLATFORM=wayland
  lx_wait 30 lx_wl_desktop_drawn || lx_fail "weston drew no desktop"
  # Weston takes the pointer's position when it enters its output and
  # follows it by the moves it sees from there: it enters once the output is
  # drawn (and so input taken), from the strip of the display below it. X
  # keys go to the window under the pointer: weston's, as long as parked.
  xdotool mousemove 640 $((LX_WL_HEIGHT + 10))
  lx_wl_park
  lx_wl_still desktop || lx_fail "weston's desktop does not settle"
}
# Weston's output window is on the display.
lx_wl_output() { xwininfo -root -tree | grep -q '"Weston Compositor'; }
# The pointer where no window of a test goes, the same for every picture.
lx_wl_park() { xdotool mousemove 640 2; }
lx_wl_desktop_drawn() { [ "$(lx_pixel 640 400)" != "#000000" ]; }
# The output below the panel (whose clock changes) as the picture NAME.
LX_WL_AREA="1280x$((LX_WL_HEIGHT - LX_WL_PANEL))+0+$LX_WL_PANEL"
lx_wl_grab() { import -window root -crop "$LX_WL_AREA" +repage "$LX_ROOT/$1.png"; }
# Saves NAME once two pictures in a row are the same (animations done).
lx_wl_still() {
  lx_wait "${2:-20}" bash -c "import -window root -crop $LX_WL_AREA +repage '$LX_ROOT/$1.a.png' &&
    import -window root -crop $LX_WL_AREA +repage '$LX_ROOT/$1.png' &&
    [ \"\$(compare -metric AE '$LX_ROOT/$1.a.png' '$LX_ROOT/$1.png' null: 2>&1 || true)\" = 0 ]"
}
# "W H X Y" of what differs between the output now and picture BASE, in
# display coordinates, leaving out the first SKIP rows below the panel and
# MARGIN columns or rows at the other edges; nothing when nothing does.
lx_wl_box() {
  local skip=${2:-0} margin=${3:-0}
  lx_wl_grab now-box
  # A black frame keeps the bounds of a difference that fills the picture.
  convert "$LX_ROOT/$1.png" "$LX_ROOT/now-box.png" \
    -crop "$((1280 - 2 * margin))x$((LX_WL_HEIGHT - LX_WL_PANEL - skip - margin))+$margin+$skip" +repage \
    -compose difference -composite -threshold 0 -bordercolor black -border 1 -format '%@' info: 2>/dev/null |
    sed -n 's/^\([0-9]*\)x\([0-9]*\)+\([0-9]*\)+\([0-9]*\)$/\1 \2 \3 \4/p' |
    awk -v left="$margin" -v top=$((LX_WL_PANEL + skip)) '$1 > 0 && $2 > 0 { print $1, $2, $3 - 1 + left, $4 - 1 + top }'
}
# The page is on top where BASE showed none: what differs is exactly a
# window of the background's size; OX OY are its client origin then.
LX_WL_PAGE_SIZE=""
lx_wl_page_on() {
  local box w h x y
  box="$(lx_wl_box "$1")"
  [ -n "$box" ] || return 1
  read -r w h x y <<<"$box"
  [ "$w $h" = "$LX_WL_PAGE_SIZE" ] || return 1
  OX=$x OY=$y OW=$w OH=$h
}
lx_wl_wait_page() {
  lx_wl_park
  lx_wait "${2:-30}" lx_wl_page_on "$1" && lx_wl_page_on "$1"
}
# Nothing of the program is left on the output over BASE.
lx_wl_gone() { [ -z "$(lx_wl_box "$1")" ]; }
lx_wl_wait_gone() {
  lx_wl_park
  lx_wait "${2:-20}" lx_wl_gone "$1"
}
