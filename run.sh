#!/usr/bin/env bash
# Builds everything and runs the trainer on the bundled demo catalogue.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh run
# Warnings are shown, not errors, also in a build folder that the test command configured on CI;
# the tests are left out, so that running the trainer needs none of their packages.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAEROLERN_WERROR=OFF \
  -DAEROLERN_TESTS=OFF
cmake --build build -j"$(nproc)"
# The run folder holds the program, its settings and pictures, the catalogue and the help page.
cd build/run
exec ./aerolern
