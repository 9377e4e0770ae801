#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Whole-program figures of `tally` on the generated logs: `status` on the century log and
# `report --by week` on the million-triple log as whole processes, `days` on the million-triple
# log beside its floor (bench/days_floor.c, the least work that prints the same, run in turns
# with it) and its peak memory, and a punch (`in`, then `out`) on a copy of the century log.
# Settings come from an empty temporary home.
# Usage: bench/run_programs.sh [BUILD_DIR]     (default: build/bench; needs hyperfine, time, cc)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/bench}" && pwd)
tally=$build/src/cli/tally
for tool in hyperfine /usr/bin/time cc "$tally" "$build/bench/tally_genlog"; do
  command -v "$tool" >/dev/null || { echo "missing $tool (bash scripts/deps.sh; build first)" >&2; exit 1; }
done
bash "$here/make_logs.sh" "$build/bench/tally_genlog" >/dev/null
century=$here/data/century.log
million=$here/data/million.log

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config
runs=${RUNS:-20}

# hyperfine's JSON has one key per line. On a busy machine the wall times wait for a core;
# the CPU time (user + system) is what the program itself spent.
summary() {
  awk -F'[:,]' '/"min"/ {min = $2} /"median"/ {med = $2} /"user"/ {usr = $2} /"system"/ {sys = $2}
    END {printf "min %.1f ms, median %.1f ms, CPU %.1f ms\n", min * 1000, med * 1000,
                (usr + sys) * 1000}' "$1"
}
# measure NAME COMMAND [hyperfine options...]
measure() {
  local name=$1 command=$2
  shift 2
  hyperfine -N --style none --runs "$runs" --export-json "$work/$name.json" "$@" "$command" \
    >/dev/null 2>&1 || { echo "$name: failed: $command" >&2; exit 1; }
  printf '%-34s %s\n' "$name" "$(summary "$work/$name.json")"
}
q() { printf '%q' "$1"; }

echo "century log: $(stat -c %s "$century") bytes; million log: $(stat -c %s "$million") bytes"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo
measure "tally --version (process start)" "$(q "$tally") --version" --warmup 3
measure "tally status, century log" "$(q "$tally") --log $(q "$century") status" --warmup 3
measure "tally report --by week, million log" \
  "$(q "$tally") --log $(q "$million") report --by week" --warmup 1

copy=$work/punch.log
measure "tally in, century log copy" "$(q "$tally") --log $(q "$copy") in" \
  --prepare "cp $(q "$century") $(q "$copy")"
measure "tally out, century log copy" "$(q "$tally") --log $(q "$copy") out" \
  --prepare "bash -c $(q "cp $(q "$century") $(q "$copy") && $(q "$tally") --log $(q "$copy") in >/dev/null")"

# The floor must print what tally prints, or it is no floor.
cc -O2 -o "$work/days_floor" "$here/days_floor.c"
"$tally" --log "$million" days >"$work/days.txt"
"$work/days_floor" "$million" | cmp -s - "$work/days.txt" ||
  { echo "days_floor prints other rows than tally days" >&2; exit 1; }
hyperfine -N --style none --runs "$runs" --warmup 1 --export-json "$work/days.json" \
  "$(q "$tally") --log $(q "$million") days" "$(q "$work/days_floor") $(q "$million")" \
  >/dev/null 2>&1 || { echo "tally days: failed" >&2; exit 1; }
# One object per command in the JSON, tally's first, each beginning with its "command".
awk -F'[:,]' '/"command"/ {++n} /"min"/ {min[n] = $2} /"median"/ {med[n] = $2}
  /"user"/ {usr[n] = $2} /"system"/ {sys[n] = $2}
  END {for (i = 1; i <= 2; ++i)
         printf "%-34s min %.1f ms, median %.1f ms, CPU %.1f ms\n",
                i == 1 ? "tally days, million log" : "its C floor (bench/days_floor.c)",
                min[i] * 1000, med[i] * 1000, (usr[i] + sys[i]) * 1000;
       printf "%-34s min %.2f x, median %.2f x, CPU %.2f x\n", "tally days over its floor",
              min[1] / min[2], med[1] / med[2], (usr[1] + sys[1]) / (usr[2] + sys[2])}' \
  "$work/days.json"

/usr/bin/time -f '%M' -o "$work/rss" "$tally" --log "$million" days >/dev/null
rss_kb=$(tail -n 1 "$work/rss")
size=$(stat -c %s "$million")
awk -v kb="$rss_kb" -v size="$size" 'BEGIN {
  printf "%-34s %.1f MiB peak RSS for a %.1f MiB log (%.2f x its size)\n",
         "tally days, million log", kb / 1024, size / 1048576, kb * 1024 / size }'
