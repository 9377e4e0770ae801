#!/usr/bin/env bash
# Builds TallyBook twice (optimised, and with address + undefined sanitizers) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
for preset in default asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  ctest --preset "$preset"
done
