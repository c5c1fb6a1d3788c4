#!/usr/bin/env bash
# Builds the libraries of the Windows edition with MinGW-w64 from Debian's source packages:
# libjpeg-turbo, SQLite, SQLiteCpp and GoogleTest, static, and the headers of nlohmann/json, into
# one prefix. The prefix lies in a cache outside any build folder and is named by the packages'
# versions, the compiler's version and this script, so a second run (or a new build folder)
# rebuilds nothing. Prints the prefix.
#   scripts/windows-deps.sh
# AEROLERN_DEPS_CACHE chooses the cache (default: ~/.cache/aerolern/windows-deps).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cache=${AEROLERN_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/aerolern/windows-deps}
triplet=x86_64-w64-mingw32
packages=(libjpeg-turbo sqlite3 sqlitecpp googletest nlohmann-json3)

# apt-get source needs a deb-src entry; it is added for the Debian mirror the machine already
# uses, and only once.
ensure_source_entries() {
  local versions
  versions=$(apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -c '^Version:' || true)
  [[ $versions -gt 0 ]] && return 0
  if [[ $(id -u) -ne 0 ]]; then
    echo "Für die Windows-Ausgabe fehlt eine deb-src-Quelle; bitte als root ausführen." >&2
    exit 1
  fi
  local mirror suite
  mirror=$(apt-get indextargets --format '$(REPO_URI)' 'Created-By: Packages' 2>/dev/null |
    grep -v security | head -n1)
  suite=$(apt-get indextargets --format '$(RELEASE)' 'Created-By: Packages' 2>/dev/null |
    grep -v -- '-' | head -n1)
  cat >/etc/apt/sources.list.d/aerolern-deb-src.sources <<SOURCES
Types: deb-src
URIs: ${mirror:-http://deb.debian.org/debian/}
Suites: ${suite:-bookworm}
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  apt-get update -q >&2
}

source_version() {
  apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -V | tail -n1
}

ensure_source_entries
key=$(
  for package in "${packages[@]}"; do echo "$package $(source_version "$package")"; done
  $triplet-g++-posix --version | head -n1
  cat "$0" "$source_dir/cmake/MinGW.cmake"
)
key=$(sha256sum <<<"$key" | cut -c1-16)
prefix=$cache/$key
if [[ -f $prefix/.complete ]]; then
  echo "$prefix"
  exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/aerolern-deps.XXXXXX")
trap 'rm -rf "$work"' EXIT
rm -rf "$prefix"
mkdir -p "$prefix"
cd "$work"
# As root, apt-get cannot hand the download to its sandbox user in a private temporary folder.
apt-get source -q "${packages[@]}" >&2 2>&1 | grep -v '^W: Download is performed unsandboxed' >&2 || true
for package in "${packages[@]}"; do
  ls -d "$work/$package"-*/ >/dev/null 2>&1 || {
    echo "Das Quellpaket $package konnte nicht geholt werden." >&2
    exit 1
  }
done
jobs=$(nproc)
cross=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/MinGW.cmake"
  -DAEROLERN_WINDOWS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix"
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CROSSCOMPILING_EMULATOR=)

echo "libjpeg-turbo für Windows ..." >&2
cmake -S libjpeg-turbo-*/ -B build-jpeg "${cross[@]}" -DENABLE_SHARED=OFF -DWITH_SIMD=OFF \
  -DWITH_TURBOJPEG=OFF >&2
cmake --build build-jpeg -j"$jobs" --target install >&2

# SQLite's source tree makes its one-file amalgamation with native tools (lemon, tclsh); the
# amalgamation is then compiled for Windows.
echo "SQLite für Windows ..." >&2
(cd sqlite3-*/ && ./configure -q >&2 && make -j"$jobs" sqlite3.c >&2)
mkdir -p build-sqlite "$prefix/include" "$prefix/lib"
$triplet-gcc-posix -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_COLUMN_METADATA -c sqlite3-*/sqlite3.c \
  -o build-sqlite/sqlite3.o
$triplet-ar rcs "$prefix/lib/libsqlite3.a" build-sqlite/sqlite3.o
cp sqlite3-*/sqlite3.h sqlite3-*/sqlite3ext.h "$prefix/include/"

echo "SQLiteCpp für Windows ..." >&2
cmake -S sqlitecpp-*/ -B build-sqlitecpp "${cross[@]}" -DSQLITECPP_INTERNAL_SQLITE=OFF \
  -DSQLITECPP_RUN_CPPLINT=OFF -DSQLITECPP_RUN_CPPCHECK=OFF -DSQLITECPP_BUILD_TESTS=OFF \
  -DSQLITECPP_BUILD_EXAMPLES=OFF -DSQLite3_INCLUDE_DIR="$prefix/include" \
  -DSQLite3_LIBRARY="$prefix/lib/libsqlite3.a" >&2
cmake --build build-sqlitecpp -j"$jobs" --target install >&2

echo "GoogleTest für Windows ..." >&2
cmake -S googletest-*/ -B build-gtest "${cross[@]}" -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF >&2
cmake --build build-gtest -j"$jobs" --target install >&2

# Headers only, with the CMake package file that find_package reads.
echo "nlohmann/json für Windows ..." >&2
cmake -S nlohmann-json3-*/ -B build-json "${cross[@]}" -DJSON_BuildTests=OFF -DJSON_Install=ON >&2
cmake --build build-json --target install >&2

touch "$prefix/.complete"
echo "$prefix"
