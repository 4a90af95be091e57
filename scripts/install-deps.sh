#!/usr/bin/env bash
# Installs what the build, the tests, the demo and the packages need on Debian 12.
# Skips apt entirely when everything is already there.
set -euo pipefail

PACKAGES=(
  cmake make g++ pkg-config ccache
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xdotool x11-utils imagemagick fonts-wqy-microhei
  python3 python3-pil fonts-liberation
  clang libclang-rt-14-dev nlohmann-json3-dev libcli11-dev
  qt6-base-dev libudev-dev trayer fonts-dejavu-core
  dbus openbox xfce4-panel
  libxcb1-dev weston qt6-wayland
  dpkg-dev file lintian unzip man-db bsdextrautils binutils
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
