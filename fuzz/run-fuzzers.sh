#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for SECONDS on a copy of its seed corpus; fails when
# a target reports a crash, a sanitizer error, a leak or a timeout.
#
#   fuzz/run-fuzzers.sh SECONDS [BUILD_DIR] [TARGET...]
#
# BUILD_DIR defaults to build-fuzz beside the sources. AEROLERN_WERROR=ON in the environment makes
# compiler warnings errors (test.sh sets it on CI). Findings (crash-*, leak-*, timeout-*,
# oom-*) and each target's log are kept in BUILD_DIR/fuzz-findings/<target>/. The committed
# corpus is never changed: new inputs go to a temporary copy that is removed afterwards.
set -euo pipefail

if [[ $# -lt 1 || ! $1 =~ ^[0-9]+$ || $1 -lt 1 ]]; then
  echo "Aufruf: $0 SEKUNDEN [BUILD-ORDNER] [ZIEL...]" >&2
  exit 2
fi
seconds=$1
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${2:-build-fuzz}
[[ $build_dir = /* ]] || build_dir=$PWD/$build_dir
shift $(($# >= 2 ? 2 : 1))
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] ||
  targets=(fuzz_catalogue fuzz_knowledge fuzz_settings fuzz_csv_import fuzz_picture)

# The project's build dependencies, then clang with its sanitizer and libFuzzer runtimes.
"$source_dir/scripts/deps.sh"
if ! command -v clang++ >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null |
  grep -q "install ok installed"; then
  if [[ $(id -u) -ne 0 ]]; then
    echo "Es fehlen clang und libclang-rt-14-dev. Bitte als root installieren:" >&2
    echo "apt-get install -y --no-install-recommends clang libclang-rt-14-dev" >&2
    exit 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends clang libclang-rt-14-dev
fi

# UBSan must stop at its first report, or libFuzzer would never see it as a finding.
flags="-O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined"
flags+=" -fno-sanitize-recover=all"
cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DAEROLERN_FUZZ=ON \
  -DAEROLERN_WERROR="${AEROLERN_WERROR:-OFF}" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target "${targets[@]}"

# Inputs longer than a few records or a small picture find nothing new and only run slower.
declare -A max_len=([fuzz_catalogue]=8192 [fuzz_knowledge]=2048 [fuzz_settings]=4096
  [fuzz_csv_import]=8192 [fuzz_picture]=16384)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=()
for target in "${targets[@]}"; do
  findings=$build_dir/fuzz-findings/$target
  rm -rf "$findings"
  mkdir -p "$findings" "$work/$target"
  cp -r "$source_dir/fuzz/corpus/$target/." "$work/$target/"
  echo "== $target: ${seconds} s"
  status=0
  "$build_dir/fuzz/$target" "$work/$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -timeout=10 -max_len="${max_len[$target]:-4096}" -print_final_stats=1 \
    -artifact_prefix="$findings/" >"$findings/log.txt" 2>&1 || status=$?
  grep -E "^(#[0-9]+[[:space:]]+DONE|stat::peak_rss_mb)" "$findings/log.txt" || true
  if [[ $status -ne 0 ]] || compgen -G "$findings/*-*" >/dev/null; then
    echo "!! $target: Befund (Status $status), siehe $findings" >&2
    grep -m1 -E "ERROR|SUMMARY|check failed|runtime error" "$findings/log.txt" >&2 || true
    failed+=("$target")
  fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "Befunde in: ${failed[*]}" >&2
  exit 1
fi
echo "Alle Fuzz-Ziele liefen ${seconds} s ohne Befund."
