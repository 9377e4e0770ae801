#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Whole-program figures of `tallybook` on an empty log and on the century log, each start on
# the same Xvfb screen: the time from starting the process until its window is on the screen,
# and the memory it holds once idle. With a second build directory (another commit's build,
# say) both builds start in turns in the same run, so that a busy machine slows both alike.
# Settings come from an empty temporary home.
# Usage: bench/window_startup.sh [BUILD_DIR [OTHER_BUILD_DIR]]
#        (default: build/bench; needs xvfb, xev; RUNS=N starts per build and log, default 10)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
builds=("$(cd "${1:-$here/../build/bench}" && pwd)")
[ $# -ge 2 ] && builds+=("$(cd "$2" && pwd)")
# The window's program moved from src/ui to src/gui/window; older builds still compare.
window_program() {
  if [ -x "$1/src/gui/window/tallybook" ]; then echo "$1/src/gui/window/tallybook"
  else echo "$1/src/ui/tallybook"; fi
}
for build in "${builds[@]}"; do
  for tool in "$(window_program "$build")" "$build/src/cli/tally"; do
    [ -x "$tool" ] || { echo "missing $tool (build it first)" >&2; exit 1; }
  done
done
for tool in xvfb-run xev "${builds[0]}/bench/tally_genlog"; do
  command -v "$tool" >/dev/null || { echo "missing $tool (bash scripts/deps.sh; build first)" >&2; exit 1; }
done
bash "$here/make_logs.sh" "${builds[0]}/bench/tally_genlog" >/dev/null
century=$here/data/century.log

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work
# Its own runtime folder: a window the user has open must not take the starts over.
export XDG_RUNTIME_DIR=$work
: >"$work/empty.log"
cp "$century" "$work/century.log"
runs=${RUNS:-10}

# One start per line of $work/starts: "label tallybook settings-folder", each build with
# settings of its own that name the log, written by its own tally.
: >"$work/starts"
for b in "${!builds[@]}"; do
  for log in empty century; do
    config=$work/config-$b-$log
    XDG_CONFIG_HOME=$config "${builds[b]}/src/cli/tally" config DataLog "$work/$log.log" >/dev/null
    echo "$b-$log $(window_program "${builds[b]}") $config" >>"$work/starts"
  done
done

# Runs inside Xvfb: one line per start, "label milliseconds-to-window rss-kB". The window is
# on the screen when the server maps it; xev reports that the moment it happens.
cat >"$work/measure.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
starts=$1 runs=$2
exec 3< <(xev -root -event substructure 2>/dev/null |
          while IFS= read -r line; do [[ $line == MapNotify* ]] && echo "$EPOCHREALTIME"; done)
sleep 0.5
mapfile -t lines <"$starts"
for ((i = 0; i <= runs; i++)); do
  # Every other round in the opposite order, so that no build always follows the other.
  order=("${lines[@]}")
  if ((i % 2)); then
    order=()
    for ((k = ${#lines[@]} - 1; k >= 0; k--)); do order+=("${lines[k]}"); done
  fi
  for entry in "${order[@]}"; do
    read -r label tallybook config <<<"$entry"
    # A window mapped late by the previous start must not count for this one.
    while read -r -t 0.05 -u 3 _; do :; done
    start=$EPOCHREALTIME
    XDG_CONFIG_HOME=$config "$tallybook" 2>/dev/null &
    pid=$!
    read -r -u 3 -t 30 shown
    sleep 2
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    # The first round only warms the caches.
    [ "$i" -gt 0 ] && awk -v l="$label" -v a="$start" -v b="$shown" -v kb="$rss" \
      'BEGIN {printf "%s %d %d\n", l, (b - a) * 1000, kb}'
  done
done
INNER
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/measure.sh" "$work/starts" "$runs" >"$work/runs"

echo "century log: $(stat -c %s "$century") bytes; load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
for b in "${!builds[@]}"; do
  source_dir=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "${builds[b]}/CMakeCache.txt")
  commit=$(git -C "$source_dir" describe --always --dirty 2>/dev/null || echo "?")
  echo
  echo "${builds[b]} (commit $commit)"
  for log in empty century; do
    awk -v l="$b-$log" '$1 == l {print $2, $3}' "$work/runs" | sort -n |
      awk -v name="tallybook start, $log log" '{ms[NR] = $1; if ($2 > kb) kb = $2}
        END {printf "%-34s min %d ms, median %d ms (%d runs); %.1f MB RSS at most after 2 s idle\n",
                    name, ms[1], ms[int((NR + 1) / 2)], NR, kb / 1024}'
  done
done
if [ "${#builds[@]}" -eq 2 ]; then
  echo
  for log in empty century; do
    sort -k1,1 -k2,2n "$work/runs" | awk -v log_="$log" '
      $1 == "0-" log_ {a[++na] = $2} $1 == "1-" log_ {b[++nb] = $2}
      END {printf "%-34s min %.2f x, median %.2f x the second build'"'"'s\n",
                  "first build, " log_ " log", a[1] / b[1],
                  a[int((na + 1) / 2)] / b[int((nb + 1) / 2)]}'
  done
fi
