#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Under Xvfb, with no XDG_RUNTIME_DIR: a folder for the lock and socket that someone else made
# first is refused (said, nothing put in it); a 300 MB message without an end is dropped, the
# window's memory as before; a file name with a line end reaches the window whole.
# Usage: private_socket_xvfb.sh TALLYBOOK PYTHON3
set -euo pipefail
tallybook=$1
source "$(dirname "$0")/xvfb_session.sh"
unset XDG_RUNTIME_DIR
export TMPDIR=$work/tmp
mkdir -p "$TMPDIR" "$work/mine"
private=$TMPDIR/tallybook-$(id -u)
fail() { echo "$1"; exit 1; }

made_first=("mkdir -m 777 $private" "ln -s $work/mine $private")
# Only root can give a folder to another user.
[ "$(id -u)" = 0 ] && made_first+=("mkdir -m 700 $private && chown nobody $private")
for make in "${made_first[@]}"; do
  rm -rf "$private" && eval "$make"
  "$tallybook" 2>"$work/err" &
  pids+=($!)
  [ -n "$(shown TallyBook)" ] || fail "$make: no window"
  grep -q "$private.*this window runs alone" "$work/err" || fail "$make: not said"
  [ -z "$(ls -A "$private/")" ] || fail "$make: the lock or socket went into it"
  kill -9 $! && wait $! 2>/dev/null || true
done

rm -rf "$private"
"$tallybook" &
first=$!
pids+=($first)
[ -n "$(shown TallyBook)" ] && [ "$(stat -c %a "$private")" = 700 ] || fail "no private folder"
rss() { awk '/^VmRSS:/ {print $2}' "/proc/$first/status"; }
before=$(rss)
timeout 60 "$2" - "$private/tallybook-$(id -u).socket" <<'PYTHON' || fail "300 MB were taken"
import socket, sys
s, sent = socket.socket(socket.AF_UNIX), 0
s.connect(sys.argv[1])
try:
    while sent < 300 << 20: sent += s.send(b"a" * (1 << 20))
except (BrokenPipeError, ConnectionResetError):
    print("closed after", sent, "bytes")
    sys.exit(0)
sys.exit(1)
PYTHON
after=$(rss)
echo "VmRSS before ${before} kB, after ${after} kB"
[ $((after - before)) -le 10240 ] || fail "the window grew by $((after - before)) kB"

name=$'doc\nsecond line.dat'
: >"$work/$name"
(cd "$work" && timeout 20 "$tallybook" "$name") || fail "the second start did not end with 0"
# An opened document heads the recent files; the settings file writes its line end as \n.
recent=$(printf '%s' "$work/$name" | sed -z 's/\n/\\n/g')
for _ in $(seq 100); do grep -qsrF "$recent" "$work/config" && exit 0; sleep 0.1; done
fail "the file with a line end in its name was not opened"
