#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Under Xvfb, as a user sees it: a second start of tallybook ends with 0 and leaves one
# window, which comes to the top of the screen's windows and opens the second start's file; a
# window killed with SIGKILL blocks no later start. Usage: one_window_xvfb.sh TALLYBOOK
set -euo pipefail
tallybook=$1
source "$(dirname "$0")/xvfb_session.sh"
export XDG_RUNTIME_DIR=$work
: >"$work/doc.dat"

# The mapped window on top of the others (xwininfo lists the root's children top first).
top_window() {
  for id in $(xwininfo -root -children | awk '/^ +0x/ {print $1}'); do
    if xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then
      printf '%d\n' "$id"
      return
    fi
  done
}

"$tallybook" &
first=$!
pids+=($first)
window=$(shown TallyBook)
# Another program's window over it.
xmessage -geometry 1024x768+0+0 "covering" &
pids+=($!)
cover=$(shown xmessage)
[ "$(top_window)" = "$cover" ] || { echo "the covering window is not on top"; exit 1; }

(cd "$work" && timeout 20 "$tallybook" doc.dat) || { echo "the second start did not end with 0"; exit 1; }
kill -0 "$first" || { echo "the first window ended"; exit 1; }
for _ in $(seq 100); do [ "$(top_window)" = "$window" ] && break; sleep 0.1; done
[ "$(top_window)" = "$window" ] || { echo "the window did not come up"; exit 1; }
[ "$(xdotool search --onlyvisible --name TallyBook | wc -l)" -eq 1 ] || { echo "more than one window"; exit 1; }
# An opened document heads the recent files in the settings.
for _ in $(seq 100); do grep -rqs "$work/doc.dat" "$work/config" && break; sleep 0.1; done
grep -rqs "$work/doc.dat" "$work/config" || { echo "the second start's file was not opened"; exit 1; }

kill -9 "$first"
wait "$first" 2>/dev/null || true
"$tallybook" &
pids+=($!)
[ -n "$(shown TallyBook)" ] || { echo "the killed window blocked the next start"; exit 1; }
