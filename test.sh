#!/usr/bin/env bash
# Builds everything and runs all tests: the normal build, the Windows edition under Wine, then
# every test again in a build with AddressSanitizer and UndefinedBehaviorSanitizer, then the
# fuzzers.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test
scripts/deps.sh windows
jobs=$(nproc)

# On CI (CI=true) a compiler warning fails the build; elsewhere it is only shown. The value is
# passed every time, so that a build folder configured once on CI does not keep it.
export AEROLERN_WERROR=OFF
if [[ ${CI:-} == true ]]; then
  AEROLERN_WERROR=ON
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAEROLERN_WERROR="$AEROLERN_WERROR" \
  -DAEROLERN_TESTS=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# The Windows edition: cross-built with MinGW-w64, its installer made, and the same test suites,
# the program end to end and the installer run under Wine.
AEROLERN_TESTS=ON scripts/build-windows.sh build-windows/ausgabe
ctest --test-dir build-windows --output-on-failure -j"$jobs"

sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DAEROLERN_WERROR="$AEROLERN_WERROR" \
  -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_EXE_LINKER_FLAGS="$sanitize"
cmake --build build-sanitize -j"$jobs"
# The font and display libraries keep caches for the whole process; those are not our leaks.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

# Each fuzzer for 10 seconds on its seed corpus (a clang build of its own, AEROLERN_WERROR as above).
fuzz/run-fuzzers.sh 10 build-fuzz
