#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Peak memory of `tally export` and `tally status` on a 1 GB file without line ends (all
# NULs, written to disk, not sparse): the reader's line bound keeps it at a fixed size.
# Usage: bench/export_no_line_ends.sh [TALLY]    (default: build/default/src/cli/tally)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tally=${1:-$here/../build/default/src/cli/tally}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config
dd if=/dev/zero of="$work/zeros.log" bs=1M count=1024 status=none
for command in export status; do
  /usr/bin/time -v "$tally" "$command" --log "$work/zeros.log" >/dev/null 2>"$work/time.txt" ||
    { cat "$work/time.txt" >&2; exit 1; }
  printf '%-7s peak RSS %s kB, %s s\n' "$command" \
    "$(awk -F': ' '/Maximum resident/ {print $2}' "$work/time.txt")" \
    "$(awk -F': ' '/Elapsed \(wall/ {print $2}' "$work/time.txt")"
done
