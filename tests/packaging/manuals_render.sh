#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Each manual page renders, and man reports nothing wrong with it.
# Usage: manuals_render.sh PAGE...
set -euo pipefail
for page in "$@"; do
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    if [ -n "$warnings" ]; then
        echo "$page: $warnings"
        exit 1
    fi
    # The page's name heading, rendered.
    MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q '^NAME' || { echo "$page: no NAME"; exit 1; }
done
