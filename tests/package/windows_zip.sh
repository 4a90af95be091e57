#!/usr/bin/env bash
# The Windows zip as a user gets it: unzipped into a fresh folder it holds
# exactly the utility's folder (the executables stripped and carrying the
# project's version), and started from there under Wine its tray icon
# appears; the same files give the settings page.
#   windows_zip.sh BUILD_DIR SOURCE_DIR VERSION
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)" VERSION=$3
source "$SOURCE_DIR/tests/e2e/lib.sh"

zip="$BUILD_DIR/packages/PX6410-$VERSION-windows.zip"
[ -f "$zip" ] || e2e_fail "no $zip"
mkdir "$E2E_ROOT/fresh"
unzip -q "$zip" -d "$E2E_ROOT/fresh"
dir="$E2E_ROOT/fresh/PX6410"

# The files: exactly these.
{
  printf '%s\n' PX6410-3-4.exe px6410ctl.exe config.bin str.ini README.txt
  (cd "$SOURCE_DIR/skins" && find . -name '*.png' -o -name text-color.txt) | sed 's|^\./|Skins/|'
} | sort >"$E2E_ROOT/expected"
(cd "$dir" && find . -type f | sed 's|^\./||' | sort) >"$E2E_ROOT/held"
diff -u "$E2E_ROOT/expected" "$E2E_ROOT/held" >&2 || e2e_fail "the zip's files differ (- missing, + extra)"
cmp -s "$dir/config.bin" "$SOURCE_DIR/dist/config.bin" || e2e_fail "config.bin is not the default one"

# Stripped, and carrying the version in their version record.
for exe in PX6410-3-4.exe px6410ctl.exe; do
  x86_64-w64-mingw32-nm "$dir/$exe" 2>&1 | grep -q 'no symbols' || e2e_fail "$exe keeps its symbols"
done
strings -el "$dir/PX6410-3-4.exe" | grep -A1 -x 'ProductVersion' | tail -n1 | grep -qx "$VERSION" \
  || e2e_fail "the version record does not say $VERSION: $(strings -el "$dir/PX6410-3-4.exe" | grep -A1 Version | tr '\n' ' ')"
head -n1 "$dir/README.txt" | grep -q "$VERSION.*"$'\r$' || e2e_fail "README.txt: no version $VERSION in a CRLF first line"

e2e_start_display
e2e_start_wine

# The zipped utility, as started from the fresh folder: its icon appears and,
# with no mouse here, says so.
e2e_log "the zip's PX6410-3-4.exe"
e2e_start_app "$dir/PX6410-3-4.exe" zipped
helper wait-window 30000 || e2e_fail "no main window"
e2e_wait_tray || e2e_fail "no tray icon"
e2e_tray_click 1
e2e_wait_balloon "The system did not detect the gaming mouse!" || e2e_fail "no not-detected note from the tray icon"
e2e_shot package-zip-tray >/dev/null
[ "$(wine "$dir/px6410ctl.exe" --version | tr -d '\r')" = "px6410ctl $VERSION" ] || e2e_fail "px6410ctl.exe --version"
helper post 0x111 1028 0
e2e_exits_with zipped 0 20 || e2e_fail "Exit did not end it with code 0"

# The page from the zip's files: the simulator build of the same version in
# a copy of the folder, with a simulated mouse plugged in.
e2e_log "the page from the zip's files"
cp -r "$dir" "$E2E_ROOT/page"
cp "$BUILD_DIR/dist-sim/PX6410-3-4.exe" "$E2E_ROOT/page/"
e2e_make_mouse "$E2E_ROOT/page/simulated-mouse.bin" 1
e2e_start_shown "$E2E_ROOT/page/PX6410-3-4.exe" page
helper boxes || e2e_fail "a message box over the page"
e2e_log "page shown: $(e2e_shot package-zip-page)"
helper post 0x111 1028 0
e2e_exits_with page 0 20 || e2e_fail "Exit did not end the page's utility with code 0"
echo ok
