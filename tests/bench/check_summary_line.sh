#!/usr/bin/env bash
# Runs a benchmark's small configuration: the first argument is the pattern (a bash regular
# expression) of its summary line, the rest the program and its arguments. It must exit 0 and end
# with that line.
set -uo pipefail
pattern=$1
shift
output=$("$@")
status=$?
printf '%s\n' "$output"
if ((status != 0)); then
  echo "the benchmark ended with exit code $status"
  exit 1
fi
last=$(printf '%s\n' "$output" | tail -n 1)
if [[ ! $last =~ $pattern ]]; then
  echo "the last line is not the summary line: $last"
  exit 1
fi
