#!/usr/bin/env bash
# Builds the packages into build/packages/: the Debian package
# px6410_VERSION_amd64.deb (CPack, from the native preset) and the Windows zip
# PX6410-VERSION-windows.zip (from the windows preset). Installs what it
# needs first, and reports what lintian says of the Debian package.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
ROOT="$PWD"
scripts/install-deps.sh

# The changelog's date: the last commit's, so that a tree makes the same package.
SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}"
export SOURCE_DATE_EPOCH

cmake --preset native >/dev/null
cmake --build --preset native --target px_package_programs
rm -rf build/native/packages
(cd build/native && cpack)
cmake --preset windows >/dev/null
cmake --build --preset windows --target px_windows_zip

mkdir -p build/packages
rm -f build/packages/px6410_*.deb build/packages/PX6410-*-windows.zip
cp build/native/packages/px6410_*_amd64.deb build/windows/packages/PX6410-*-windows.zip build/packages/

echo "lintian:"
lintian --fail-on error build/packages/px6410_*_amd64.deb || { echo "lintian found errors" >&2; exit 1; }
echo
echo "Packages in $ROOT/build/packages:"
ls -l build/packages
