#!/usr/bin/env bash
# Builds the Windows edition on Debian with MinGW-w64 and leaves in FOLDER what runs as it is:
# aerolern.exe, aerolern-katalog.exe, the settings aerolern.ini, the demo catalogue, the help page
# and the pictures, and the installer Aerolern-Setup-<version>.exe.
#   scripts/build-windows.sh FOLDER
# As root on a fresh machine it installs what it needs first. The libraries are built once from
# Debian's source packages and cached (scripts/windows-deps.sh). AEROLERN_WINDOWS_BUILD names the
# build folder (default build-windows beside the sources); AEROLERN_TESTS=ON builds the test
# suites for Windows too; AEROLERN_WERROR=ON makes warnings errors.
set -euo pipefail
if [[ $# -ne 1 ]]; then
  echo "Aufruf: $0 ORDNER" >&2
  exit 2
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)
build=${AEROLERN_WINDOWS_BUILD:-$source_dir/build-windows}

"$source_dir/scripts/deps.sh" windows
prefix=$("$source_dir/scripts/windows-deps.sh")

cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/MinGW.cmake" -DAEROLERN_WINDOWS_PREFIX="$prefix" \
  -DAEROLERN_WERROR="${AEROLERN_WERROR:-OFF}" -DAEROLERN_TESTS="${AEROLERN_TESTS:-OFF}" \
  -DAEROLERN_WINDOWS_OUTPUT="$out"
cmake --build "$build" -j"$(nproc)"
cmake --build "$build" --target installer

run=$build/run
cp "$run/aerolern.exe" "$build/tools/aerolern-katalog.exe" "$run/aerolern.ini" "$run/Aerolern.dat" \
  "$run/Hilfe.htm" "$out/"
rm -rf "$out/assets"
cp -r "$run/assets" "$out/assets"
cp "$build"/Aerolern-Setup-*.exe "$out/"
echo "Windows-Ausgabe in $out:"
ls "$out"
