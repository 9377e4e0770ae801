#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what building and running need, builds the two programs and their libraries (no
# tests), and starts TallyBook.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
cmake --preset run >/dev/null
cmake --build --preset run -j "$(nproc)"
exec build/run/src/gui/window/tallybook "$@"
