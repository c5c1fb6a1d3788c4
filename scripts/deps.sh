#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, or prints the install line.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev libjpeg-turbo-progs libsqlite3-dev libsqlitecpp-dev sqlite3 libfltk1.3-dev
  libxtst-dev libxfixes-dev xvfb xdotool openbox x11-utils imagemagick fonts-liberation chromium
  desktop-file-utils clang libclang-rt-14-dev
  lintian appstream man-db groff-base dpkg-dev xdg-utils libreoffice-calc-nogui unzip)

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
