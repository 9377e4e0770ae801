#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Usage: scripts/fuzz_coverage.sh [TARGET...]
# Builds the fuzz targets with source coverage (the fuzz-coverage preset, build/cov), runs
# each over its corpus in fuzz/corpus once, and prints llvm-cov's line, region and branch
# coverage of the files the target is for (scripts/fuzz_common.sh lists them). The full
# report of a target: llvm-cov-14 show build/cov/fuzz/TARGET
# -instr-profile=build/cov/profiles/TARGET.profdata src/FILE
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fuzz_common.sh
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${FUZZ_TARGETS[@]}")
for t in "${targets[@]}"; do
  fuzz_known "$t" || { echo "unknown target $t (known: ${FUZZ_TARGETS[*]})" >&2; exit 2; }
done

cmake --preset fuzz-coverage >/dev/null
cmake --build --preset fuzz-coverage -j "$(nproc)" >/dev/null
profiles=build/cov/profiles
mkdir -p "$profiles"
for t in "${targets[@]}"; do
  rm -f "$profiles/$t".*
  LLVM_PROFILE_FILE="$profiles/$t.%p.profraw" build/cov/fuzz/"$t" -runs=0 "fuzz/corpus/$t" \
    >"$profiles/$t.log" 2>&1
  llvm-profdata-14 merge -sparse "$profiles/$t".*.profraw -o "$profiles/$t.profdata"
  rm -f "$profiles/$t".*.profraw
  sources=()
  # Headers are compiled from the include roots: engine/log/x.h as
  # build/cov/include_roots/engine/log/log/x.h.
  for s in $(fuzz_sources "$t"); do
    folder=${s%/*}
    case "$s" in
      *.h) sources+=("build/cov/include_roots/$folder/${folder##*/}/${s##*/}") ;;
      *) sources+=("src/$s") ;;
    esac
  done
  echo "== $t ($(ls "fuzz/corpus/$t" | wc -l) inputs)"
  llvm-cov-14 report "build/cov/fuzz/$t" -instr-profile="$profiles/$t.profdata" \
    "${sources[@]}" | awk -v root="$PWD/src/" '
      NR == 1 { printf "  %-40s %8s %8s %8s\n", "file", "regions", "lines", "branches" }
      $1 !~ /^(Filename|-+)$/ && NF >= 13 {
        sub(root, "", $1); sub(/.*include_roots\//, "", $1); sub(/^src\//, "", $1); printf "  %-40s %8s %8s %8s\n", $1, $4, $10, $13 }'
done
