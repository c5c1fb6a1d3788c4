#!/usr/bin/env bash
# Builds everything and runs the trainer on the bundled demo catalogue.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
# The trainer's window arrives with the main window; until then this shows the demo catalogue.
build/tools/aerolern-katalog check build/run/Aerolern.dat
