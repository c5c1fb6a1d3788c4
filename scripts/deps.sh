#!/usr/bin/env bash
# Installs the Debian packages that building and running the trainer need ("run"), or those and
# what the tests need besides ("test", the default), or what the Windows edition is built with
# ("windows"); without root it prints the install line.
set -euo pipefail

run_packages=(g++ cmake ninja-build pkg-config libjpeg62-turbo-dev libsqlite3-dev libsqlitecpp-dev
  nlohmann-json3-dev libfltk1.3-dev fonts-liberation xdg-utils)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev libjpeg-turbo-progs sqlite3
  libxtst-dev libxfixes-dev xvfb xdotool openbox x11-utils imagemagick chromium
  desktop-file-utils clang libclang-rt-14-dev
  lintian appstream man-db groff-base dpkg-dev libreoffice-calc-nogui unzip wine64)
# The cross compiler, the tools that unpack and build Debian's source packages, and the installer
# maker; the Windows programs' tests run under Wine.
windows_packages=(cmake ninja-build g++-mingw-w64-x86-64-posix dpkg-dev tcl make nsis wine64)

case "${1:-test}" in
run) packages=("${run_packages[@]}") ;;
test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
windows) packages=("${windows_packages[@]}") ;;
*)
  echo "usage: $0 [run|test|windows]" >&2
  exit 2
  ;;
esac

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
else
  echo "Es fehlen Pakete. Bitte als root installieren:" >&2
  echo "apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi
