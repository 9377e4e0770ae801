#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End to end under Xvfb: with IdleMinutes=1, clock in, leave input idle for 70 seconds, move
# the mouse; the Idle Time prompt must appear, and Clock Out When I Left must write an Out at
# the moment input stopped (within 2 seconds). Takes about 80 seconds.
#   bash scripts/idle_e2e.sh BUILD_DIR [SCREENSHOT_FOLDER]
set -euo pipefail
build=$(realpath "${1:?usage: idle_e2e.sh BUILD_DIR [SCREENSHOT_FOLDER]}")
shots=${2:-}
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
xvfb_pid=
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

export HOME=$work XDG_CONFIG_HOME=$work/.config XDG_RUNTIME_DIR=$work DISPLAY=$display QT_QPA_PLATFORM=xcb
# No session bus: the notifier and idle time come from X alone.
unset DBUS_SESSION_BUS_ADDRESS
log=$work/TALLYBK.DAT
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
extensions=$(xdpyinfo -queryExtensions)
grep -q MIT-SCREEN-SAVER <<<"$extensions" || { echo "no MIT-SCREEN-SAVER"; exit 1; }

"$build/src/cli/tally" config DataLog "$log"
"$build/src/cli/tally" config IdleMinutes 1
"$build/src/cli/tally" in >/dev/null
"$build/src/gui/window/tallybook" &
app_pid=$!
xdotool search --sync --onlyvisible --name "TallyBook" >/dev/null

xdotool mousemove 100 100
stopped=$(date +%s)
echo "input stopped at $(date -d @"$stopped" +%T); waiting 70 seconds"
sleep 70
xdotool mousemove 300 300
prompt=$(timeout 10 xdotool search --sync --onlyvisible --name "^Idle Time$" | head -1)
echo "Idle Time prompt shown"
[ -n "$shots" ] && import -window root "$shots/idle_prompt_screen.png"
xdotool windowactivate --sync "$prompt" 2>/dev/null || xdotool windowfocus --sync "$prompt"
xdotool key --window "$prompt" alt+c
for _ in $(seq 50); do [ "$(tail -c 58 "$log" | head -c 3)" = "Out" ] && break; sleep 0.1; done

out=$(tail -c 58 "$log" | head -c 29)
echo "log ends with: $out"
out_at=$(date -d "$(echo "$out" | cut -c6-)" +%s)
diff=$((out_at - stopped))
echo "Out written ${diff#-} seconds from the moment input stopped"
[ "${diff#-}" -le 2 ] || { echo "FAILED: more than 2 seconds"; exit 1; }
echo "PASSED"
