#!/usr/bin/env bash
# The Debian package as a user gets it: made by CPack from the build, it holds
# exactly the files it must, lintian finds no error in it, and unpacked into a
# throw-away root its px6410ctl runs, with the manual made from its help.
#   debian_package.sh BUILD_DIR SOURCE_DIR VERSION WITH_UTILITY(0|1)
set -euo pipefail
BUILD_DIR="$(cd "$1" && pwd)" SOURCE_DIR="$(cd "$2" && pwd)" VERSION=$3 WITH_UTILITY=$4
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The package, made in a folder of the test's own.
(cd "$BUILD_DIR" && cpack -G DEB -B "$WORK/out" >"$WORK/cpack.log" 2>&1) || { cat "$WORK/cpack.log" >&2; fail "cpack failed"; }
deb="$WORK/out/px6410_${VERSION}_amd64.deb"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$WORK/out")"

# The control fields: the project's version, dependencies found by dpkg-shlibdeps.
[ "$(dpkg-deb -f "$deb" Version)" = "$VERSION" ] || fail "package version $(dpkg-deb -f "$deb" Version), not $VERSION"
# Fields read whole before they are searched: dpkg-deb writes a line at a time,
# and a search that stops at its match would end it with SIGPIPE (pipefail).
field() { dpkg-deb -f "$deb" "$1"; }
grep -q 'libc6 (>= ' <<<"$(field Depends)" || fail "no versioned libc6 dependency: $(dpkg-deb -f "$deb" Depends)"
# The utility runs as a Wayland client on Wayland desktops.
if [ "$WITH_UTILITY" = 1 ]; then
  grep -qE '(^|, )qt6-wayland(,|$| )' <<<"$(field Depends)" ||
    fail "px6410 without Qt's Wayland plugin: $(dpkg-deb -f "$deb" Depends)"
fi

# The files: exactly these (directories aside).
{
  echo /usr/bin/px6410ctl
  echo /usr/lib/udev/rules.d/70-px6410.rules
  echo /usr/share/bash-completion/completions/px6410ctl
  echo /usr/share/man/man1/px6410ctl.1.gz
  echo /usr/share/px6410/config.bin
  echo /usr/share/px6410/str.ini
  echo /usr/share/doc/px6410/copyright
  echo /usr/share/doc/px6410/README.md
  echo /usr/share/doc/px6410/changelog.gz
  (cd "$SOURCE_DIR/skins" && find . -name '*.png' -o -name text-color.txt) | sed 's|^\.|/usr/share/px6410/Skins|'
  if [ "$WITH_UTILITY" = 1 ]; then
    echo /usr/bin/px6410
    echo /usr/share/man/man1/px6410.1.gz
    echo /usr/share/applications/px6410.desktop
    for size in 16 24 32 48 64; do echo "/usr/share/icons/hicolor/${size}x${size}/apps/px6410.png"; done
  fi
} | sort >"$WORK/expected"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./|/|' | sort >"$WORK/held"
diff -u "$WORK/expected" "$WORK/held" >"$WORK/files.diff" || { cat "$WORK/files.diff" >&2; fail "the package's files differ (- missing, + extra)"; }

# lintian: no error; what else it says is shown.
lintian --fail-on error "$deb" >"$WORK/lintian.txt" 2>&1 || { cat "$WORK/lintian.txt" >&2; fail "lintian reports errors"; }
grep -v 'running with root privileges' "$WORK/lintian.txt" || true

# The unpacked tool runs, says the version, and its manual says what its help says.
root="$WORK/root"
dpkg -x "$deb" "$root"
tool="$root/usr/bin/px6410ctl"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config"
"$tool" --help >"$WORK/help.txt" || fail "px6410ctl --help exited $?"
grep -q '^usage: px6410ctl' "$WORK/help.txt" || fail "px6410ctl --help printed no usage"
[ "$("$tool" --version)" = "px6410ctl $VERSION" ] || fail "px6410ctl --version said '$("$tool" --version)', not $VERSION"

# A manual, as man shows it, holds every line of the program's help pages
# (spaces aside: man fills running text; the synopsis drops "usage:").
check_manual() {
  local program=$1 page
  shift
  MANWIDTH=4000 man --warnings -E UTF-8 -l "$root/usr/share/man/man1/$program.1.gz" 2>"$WORK/man.err" \
    | col -bx | tr -s ' \n' '  ' >"$WORK/man.txt"
  [ ! -s "$WORK/man.err" ] || { cat "$WORK/man.err" >&2; fail "man warns about the page of $program"; }
  grep -q "px6410 $VERSION" "$WORK/man.txt" || fail "the manual of $program does not name version $VERSION"
  for page in "$@"; do
    while IFS= read -r line; do
      words="$(tr -s ' ' <<<"$line" | sed 's/^ //; s/ $//')"
      [ -z "$words" ] && continue
      grep -qF -- "$words" "$WORK/man.txt" || fail "the manual of $program lacks '$words' of $(basename "$page")"
    done < <(sed '/^[A-Z][A-Z ]*$/d; s/^usage: //' "$page")
  done
}
pages=("$WORK/help.txt")
for command in $(sed -n 's/^  px6410ctl \([a-z]*\) .*/\1/p' "$WORK/help.txt" | grep -vx help); do
  "$tool" help "$command" >"$WORK/help-$command.txt" || fail "px6410ctl help $command exited $?"
  pages+=("$WORK/help-$command.txt")
done
check_manual px6410ctl "${pages[@]}"

# The utility: it runs from the package (its help and version need no
# display), its manual is its help, and the package's description names it.
if [ "$WITH_UTILITY" = 1 ]; then
  utility="$root/usr/bin/px6410"
  "$utility" --help >"$WORK/utility-help.txt" || fail "px6410 --help exited $?"
  grep -q '^usage: px6410 ' "$WORK/utility-help.txt" || fail "px6410 --help printed no usage"
  [ "$("$utility" --version)" = "px6410 $VERSION" ] || fail "px6410 --version said '$("$utility" --version)'"
  check_manual px6410 "$WORK/utility-help.txt"
  grep -qw px6410 <<<"$(field Description)" || fail "the package's description does not name px6410"
  grep -qx 'Exec=px6410' "$root/usr/share/applications/px6410.desktop" || fail "the desktop entry does not start px6410"
fi

# postinst: udev reads the rules again and looks at the hidraw devices, and
# nothing happens where udev is not running (its control socket is absent).
dpkg-deb -e "$deb" "$WORK/control"
mkdir -p "$WORK/stub"
printf '#!/bin/sh\necho "$*" >>"%s"\n' "$WORK/udevadm.log" >"$WORK/stub/udevadm"
chmod +x "$WORK/stub/udevadm"
postinst_calls() {  # with udev running or not (1/0): what postinst asked of udevadm
  : >"$WORK/udevadm.log"
  # A /run of its own, so that the machine's is neither read nor changed.
  local script="mount -t tmpfs none /run && mkdir /run/udev
    [ $1 = 0 ] || python3 -c 'import socket; socket.socket(socket.AF_UNIX).bind(\"/run/udev/control\")'
    PATH=\"$WORK/stub:\$PATH\" sh \"$WORK/control/postinst\" configure"
  unshare -m sh -c "$script" || fail "postinst failed"
  tr '\n' '|' <"$WORK/udevadm.log"
}
if [ "$(id -u)" = 0 ] && unshare -m true 2>/dev/null; then
  [ "$(postinst_calls 0)" = "" ] || fail "postinst called udevadm without udev: $(postinst_calls 0)"
  [ "$(postinst_calls 1)" = "control --reload-rules|trigger --subsystem-match=hidraw --action=change|" ] \
    || fail "postinst with udev running: $(postinst_calls 1)"
else
  echo "postinst not run: needs root and a mount namespace of its own"
fi

# The completion is the tool's own.
cmp -s <("$tool" completion bash) "$root/usr/share/bash-completion/completions/px6410ctl" \
  || fail "the installed completion is not what px6410ctl completion bash prints"
echo ok
