#!/usr/bin/env bash
# Whole-program figures of `tallybook` on the century log, each run on its own Xvfb screen:
# the time from starting the process until its window is on the screen, and the memory it
# holds once idle. Settings come from an empty temporary home.
# Usage: bench/window_startup.sh [BUILD_DIR]     (default: build/bench; needs xvfb, xev)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/bench}" && pwd)
tallybook=$build/src/ui/tallybook
tally=$build/src/cli/tally
for tool in xvfb-run xev "$tallybook" "$tally" "$build/bench/tally_genlog"; do
  command -v "$tool" >/dev/null || { echo "missing $tool (bash scripts/deps.sh; build first)" >&2; exit 1; }
done
bash "$here/make_logs.sh" "$build/bench/tally_genlog" >/dev/null
century=$here/data/century.log

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config
cp "$century" "$work/century.log"
"$tally" config DataLog "$work/century.log" >/dev/null
runs=${RUNS:-10}

# Runs inside Xvfb: one start per line, "milliseconds-to-window rss-kB". The window is on
# the screen when the server maps it; xev reports that the moment it happens.
cat >"$work/measure.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
tallybook=$1 runs=$2
exec 3< <(xev -root -event substructure 2>/dev/null |
          while IFS= read -r line; do [[ $line == MapNotify* ]] && echo "$EPOCHREALTIME"; done)
sleep 0.5
for ((i = 0; i <= runs; i++)); do
  start=$EPOCHREALTIME
  "$tallybook" 2>/dev/null &
  pid=$!
  read -r -u 3 -t 30 shown
  sleep 2
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  # The first start only warms the caches.
  [ "$i" -gt 0 ] && awk -v a="$start" -v b="$shown" -v kb="$rss" \
    'BEGIN {printf "%d %d\n", (b - a) * 1000, kb}'
done
INNER
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/measure.sh" "$tallybook" "$runs" >"$work/runs"

echo "century log: $(stat -c %s "$century") bytes; load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
sort -n "$work/runs" | awk '{ms[NR] = $1; if ($2 > kb) kb = $2}
  END {printf "%-34s min %d ms, median %d ms (%d runs)\n", "tallybook start to window shown",
         ms[1], ms[int((NR + 1) / 2)], NR;
       printf "%-34s %.1f MB RSS at most, after 2 s idle\n", "tallybook idle memory", kb / 1024}'
