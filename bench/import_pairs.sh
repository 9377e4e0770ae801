#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Whole-process figure of `tally import`: 100,000 pairs from a timeclock file merged into a
# copy of the ten-year log (one load, one overlap sweep, one save with backups). The pairs
# lie in 1995-2013, before the log's years: fifteen of 20 minutes a day from 04:00, after
# any clock change. Settings come from an empty temporary home.
# Usage: bench/import_pairs.sh [BUILD_DIR]     (default: build/bench; needs hyperfine)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/bench}" && pwd)
tally=$build/src/cli/tally
for tool in hyperfine "$tally" "$build/bench/tally_genlog"; do
  command -v "$tool" >/dev/null || { echo "missing $tool (bash scripts/deps.sh; build first)" >&2; exit 1; }
done
bash "$here/make_logs.sh" "$build/bench/tally_genlog" >/dev/null
ten_years=$here/data/ten_years.log

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config
pairs=$work/pairs.timeclock
awk 'BEGIN {
  for (day = 0; day < 6667; ++day) {
    start = mktime("1995 01 " (day + 1) " 04 00 00")
    for (k = 0; k < 15; ++k) {
      in_ = start + k * 2400
      printf "i %s bench\no %s\n", strftime("%Y/%m/%d %H:%M:%S", in_),
             strftime("%Y/%m/%d %H:%M:%S", in_ + 1200)
    }
  }
}' | head -n 200000 >"$pairs"

copy=$work/import.log
q() { printf '%q' "$1"; }
hyperfine -N --style none --runs "${RUNS:-10}" --export-json "$work/import.json" \
  --prepare "bash -c $(q "cp $(q "$ten_years") $(q "$copy") && rm -f $(q "$work")/import.da*")" \
  "$(q "$tally") --log $(q "$copy") import timeclock $(q "$pairs")" >/dev/null 2>&1 ||
  { echo "import failed" >&2; exit 1; }
awk -F'[:,]' '/"min"/ {min = $2} /"median"/ {med = $2} /"user"/ {usr = $2} /"system"/ {sys = $2}
  END {printf "%-34s min %.0f ms, median %.0f ms, CPU %.0f ms\n",
              "tally import, 100,000 pairs", min * 1000, med * 1000, (usr + sys) * 1000}' \
  "$work/import.json"
echo "pairs in the file: $(grep -c '^i' "$pairs"); lines of the log before: $(wc -l <"$ten_years"), after: $(wc -l <"$copy")"
