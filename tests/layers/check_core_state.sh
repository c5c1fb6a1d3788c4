#!/usr/bin/env bash
# The question data keep the whole state of a run in one object: no object file of the core may
# hold a mutable variable at namespace scope (in .bss, .data or .data.rel.local) but that one.
# Arguments: the core's object files.
set -euo pipefail
allowed='_ZN12_GLOBAL__N_115runQuestionDataE'
found=0
for object in "$@"; do
  while read -r symbol; do
    [[ $symbol == "$allowed" ]] && continue
    # The sanitizers' own bookkeeping (ODR markers, globals lists) is none of ours.
    [[ $symbol == __odr_asan* || $symbol == __asan* || $symbol == __ubsan* ]] && continue
    echo "$(basename "$object"): mutable object $symbol" >&2
    found=1
  done < <(objdump -t "$object" | awk '$4 ~ /^\.(bss|data|data\.rel\.local)$/ && $3 == "O" {print $NF}')
done
[[ $found -eq 0 ]] && echo "core: one mutable object, the run's question data"
exit $found
