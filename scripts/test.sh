#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds TallyBook twice (optimised, and with address + undefined sanitizers), both with
# warnings as errors and without the benchmarks (bench/run_all.sh has those), and runs every
# test; then builds the fuzz targets and runs each briefly (scripts/fuzz_smoke.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
for preset in ci asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  ctest --preset "$preset"
done
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
bash scripts/fuzz_smoke.sh
