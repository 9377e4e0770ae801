#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Configures and builds the benchmark build (preset "bench": the optimised default build with
# the benchmarks), tests the log generator, makes the logs when missing and runs every
# benchmark: the Google Benchmark programs, then tally and tallybook as whole processes.
# Usage: bench/run_all.sh [--benchmark_filter=REGEX ...]   (options go to the Google Benchmarks)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$(nproc)"
build=build/bench

# A log the readers stop in early would measure too little.
"$build/bench/tally_genlog_tests" --gtest_brief=1
bash bench/make_logs.sh "$build/bench/tally_genlog"
for program in scan editor invoice invoice_pdf window report reminders; do
  "$build/bench/tally_bench_$program" "$@"
done
bash bench/run_programs.sh "$build"
bash bench/window_startup.sh "$build"
