#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every fuzz target (build/fuzz, the fuzz preset) for a fixed number of executions from
# its corpus in fuzz/corpus, two at a time, with a fixed seed. New inputs go to a temporary
# folder, never into the corpus. Fails on any finding; the input that found it is kept in
# build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fuzz_common.sh
fuzz_workspace

run_one() {
  local t=$1
  mkdir -p "$scratch/$t"
  if "$bin/$t" -seed=1 -runs="$(fuzz_smoke_runs "$t")" -dict="fuzz/dict/$(fuzz_dict "$t")" -max_len="$(fuzz_max_len "$t")" \
      -artifact_prefix="$findings/$t-" "$scratch/$t" "fuzz/corpus/$t" >"$scratch/$t.log" 2>&1; then
    echo "$t: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$scratch/$t.log")"
  else
    echo "$t: FINDING"
    grep -E 'wrong result|ERROR: |runtime error|Test unit written' "$scratch/$t.log" || tail -20 "$scratch/$t.log"
    return 1
  fi
}
export -f run_one fuzz_smoke_runs fuzz_dict fuzz_max_len
export bin findings scratch

start=$SECONDS
status=0
printf '%s\n' "${FUZZ_TARGETS[@]}" | xargs -P 2 -I{} bash -c 'run_one {}' || status=1
echo "fuzz smoke: $((SECONDS - start)) s"
exit $status
