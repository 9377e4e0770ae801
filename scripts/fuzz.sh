#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Usage: scripts/fuzz.sh SECONDS [TARGET...]
# Runs each fuzz target (all by default) for SECONDS from its corpus, two targets at a time
# on the machine's two cores, then merges the new inputs that add coverage into
# fuzz/corpus/TARGET. Prints per target the executions, the coverage (cov: edges, ft:
# features) and the findings, whose inputs stay in build/fuzz/findings. Builds the fuzz
# preset first. Exits 1 when anything was found.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fuzz_common.sh
if [ $# -lt 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh SECONDS [TARGET...]" >&2
  exit 2
fi
seconds=$1
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${FUZZ_TARGETS[@]}")
for t in "${targets[@]}"; do
  fuzz_known "$t" || { echo "unknown target $t (known: ${FUZZ_TARGETS[*]})" >&2; exit 2; }
done

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" >/dev/null
fuzz_workspace

# A finding stops libFuzzer; the run goes on from the corpus until its time is up.
run_one() {
  local t=$1 deadline=$((SECONDS + seconds)) round=0
  mkdir -p "$scratch/$t"
  while [ $SECONDS -lt $deadline ]; do
    round=$((round + 1))
    "$bin/$t" -max_total_time=$((deadline - SECONDS)) -print_final_stats=1 \
      -dict="fuzz/dict/$(fuzz_dict "$t")" -max_len="$(fuzz_max_len "$t")" -artifact_prefix="$findings/$t-" \
      "$scratch/$t" "fuzz/corpus/$t" >"$scratch/$t.$round.log" 2>&1 || true
  done
}
export -f run_one fuzz_dict fuzz_max_len
export bin findings scratch seconds

before=$(date +%s)
printf '%s\n' "${targets[@]}" | xargs -P 2 -I{} bash -c 'run_one {}'

status=0
printf '%-24s %12s %8s %8s %10s %8s\n' target executions cov ft corpus findings
for t in "${targets[@]}"; do
  # Only inputs that reach new edges: the corpus stays small.
  "$bin/$t" -merge=1 -use_counters=0 "fuzz/corpus/$t" "$scratch/$t" >"$scratch/$t.merge" 2>&1
  execs=$(cat "$scratch/$t".[0-9]*.log | sed -n 's/^stat::number_of_executed_units: *//p' |
          awk '{s += $1} END {print s + 0}')
  last=$(cat "$scratch/$t".[0-9]*.log | grep -o 'cov: [0-9]* ft: [0-9]*' | tail -1)
  found=$(find "$findings" -name "$t-*" -newermt "@$before" | wc -l)
  [ "$found" -eq 0 ] || status=1
  printf '%-24s %12s %8s %8s %10s %8s\n' "$t" "$execs" "$(awk '{print $2}' <<<"$last")" \
    "$(awk '{print $4}' <<<"$last")" "$(ls "fuzz/corpus/$t" | wc -l)" "$found"
done
if [ $status -ne 0 ]; then
  echo "findings (reproduce: build/fuzz/fuzz/TARGET FILE):"
  find "$findings" -type f -newermt "@$before" | sort
fi
exit $status
