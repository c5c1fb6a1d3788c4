#!/usr/bin/env bash
# Builds everything and runs the trainer on the bundled demo catalogue.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
# The run folder holds the program, its settings and pictures, the catalogue and the help page.
cd build/run
exec ./aerolern
