#!/usr/bin/env bash
# Runs the calibration benchmark's small configuration (the program and its arguments are given):
# it must exit 0 and end with the summary line of the fitted outlook.
set -uo pipefail
output=$("$@")
status=$?
printf '%s\n' "$output"
if ((status != 0)); then
  echo "the benchmark ended with exit code $status"
  exit 1
fi
last=$(printf '%s\n' "$output" | tail -n 1)
pattern='^fitted: worst judged tenth off by [0-9]\.[0-9]{2}; Brier outlook [0-9]\.[0-9]{4}, baseline [0-9]\.[0-9]{4}, noise floor [0-9]\.[0-9]{4}$'
if [[ ! $last =~ $pattern ]]; then
  echo "the last line is not the summary line: $last"
  exit 1
fi
