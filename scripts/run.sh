#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds TallyBook and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"
exec build/default/src/gui/window/tallybook "$@"
