# SPDX-License-Identifier: MIT
# Sourced by the tests that run tallybook under Xvfb: a work folder ($work, also HOME) and an
# X server of their own, gone at exit with every process whose id is added to pids.
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -n 1 "$work/display") HOME=$work XDG_CONFIG_HOME=$work/config \
       QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS

# The id of the first visible window whose name matches, once there is one.
shown() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
