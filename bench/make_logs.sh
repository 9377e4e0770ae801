#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Generates the benchmark time logs (ten years, a century, a million triples) into
# bench/data/ or DIR, each only when it is missing.
# Usage: bench/make_logs.sh PATH/TO/tally_genlog [DIR]
set -euo pipefail
genlog=${1:?usage: make_logs.sh PATH/TO/tally_genlog [DIR]}
dir=${2:-"$(cd "$(dirname "$0")" && pwd)/data"}
mkdir -p "$dir"
"$genlog" --list-presets | while IFS=$'\t' read -r name file; do
  if [ -f "$dir/$file" ]; then
    echo "$dir/$file: present"
  else
    "$genlog" --preset "$name" "$dir/$file"
  fi
done
