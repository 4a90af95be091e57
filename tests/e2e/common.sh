# What the end-to-end libraries of both systems (tests/e2e/lib.sh for Wine,
# tests/linux/lib.sh and tests/linux/dialogs_lib.sh) share: the condition
# wait, the virtual display, the simulated mouse's file and str.ini edits.

# px_until SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds;
# fails (1) when SECONDS have passed without success.
px_until() {
  local limit=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$limit" ] || return 1
    sleep 0.05
  done
}
px_quietly() { "$@" >/dev/null 2>&1; }

# px_start_xvfb FOLDER: a virtual display on a free number (Xvfb chooses it),
# DISPLAY set to it, PX_XVFB_PID its server. Fails (1) when none starts
# within 60 s. PX_SCREEN sets its size (1280x800 by default). The display
# is taken once its server still runs and answers a client: with tests side
# by side, a server that lost its number to another one has ended by then,
# and another is started.
px_start_xvfb() {
  local fd_file="$1/display" tries
  for tries in 1 2 3; do
    Xvfb -displayfd 3 -screen 0 "${PX_SCREEN:-1280x800}x24" -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
    PX_XVFB_PID=$!
    if px_until 60 test -s "$fd_file"; then
      export DISPLAY=":$(head -n1 "$fd_file")"
      px_until 10 px_quietly xprop -root && kill -0 "$PX_XVFB_PID" 2>/dev/null && return 0
    fi
    kill "$PX_XVFB_PID" 2>/dev/null || true
    wait "$PX_XVFB_PID" 2>/dev/null || true
  done
  return 1
}

# A simulated mouse's memory: 322 bytes, report rate 1000 Hz, stage 1, the
# DPI table VARIANT in block 4 byte 1.
px_make_mouse() {
  local file=$1 variant=${2:-1}
  head -c 322 /dev/zero >"$file"
  printf '\001' | dd of="$file" bs=1 seek=0 conv=notrunc status=none
  printf "\\$(printf '%03o' "$variant")" | dd of="$file" bs=1 seek=195 conv=notrunc status=none
}

# px_ini_set FILE KEY VALUE: str.ini is UTF-16LE with a byte-order mark;
# edits go through UTF-8. A key not there yet goes into [Skins].
px_ini_set() {
  local file=$1 key=$2 value=$3 text
  text="$(iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r')"
  if grep -q "^$key=" <<<"$text"; then
    text="$(sed "s|^$key=.*|$key=$value|" <<<"$text")"
  else
    text="$(sed "s|^\[Skins\]\$|[Skins]\n$key=$value|" <<<"$text")"
  fi
  { printf '\xff\xfe'; printf '%s\n' "$text" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$file"
}
