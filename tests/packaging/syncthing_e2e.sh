#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# One log on two machines, end to end with the real Syncthing: two instances on this machine
# (own homes, a folder shared over localhost, no discovery, relays or NAT) share TALLYBK.DAT.
# Both punch while their link is paused; on resume Syncthing leaves a conflict copy, `check`
# lists it, `merge` on one machine puts every punch into the log, and after the next sync both
# logs are byte-identical and no copy is left. Exit 77 (skipped) without syncthing.
#   bash tests/packaging/syncthing_e2e.sh BUILD_DIR|TALLY_BINARY
set -euo pipefail
target=${1:?usage: syncthing_e2e.sh BUILD_DIR|TALLY_BINARY}
if [ -d "$target" ]; then tally=$target/src/cli/tally; else tally=$target; fi
tally=$(realpath "$tally")
[ -x "$tally" ] || { echo "FAILED: no tally at $tally"; exit 1; }
command -v syncthing >/dev/null || { echo "SKIPPED: syncthing is not installed (scripts/deps.sh installs it)"; exit 77; }
for tool in curl jq; do
  command -v "$tool" >/dev/null || { echo "FAILED: $tool is not installed (scripts/deps.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
export HOME=$work/home TZ=UTC LC_ALL=C.UTF-8
mkdir -p "$HOME"
sides=(A B)
declare -A pid=() id=() gui=() listen=() key=() folder=()
cleanup() {
  local status=$?
  for side in "${sides[@]}"; do
    if [ -n "${pid[$side]:-}" ]; then
      kill "${pid[$side]}" 2>/dev/null || true
      wait "${pid[$side]}" 2>/dev/null || true
    fi
  done
  if [ "$status" -ne 0 ] && [ "$status" -ne 77 ]; then
    for side in "${sides[@]}"; do
      [ -f "$work/$side/syncthing.log" ] || continue
      echo "--- last lines of Syncthing's log on $side"
      tail -n 15 "$work/$side/syncthing.log"
    done
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start_ns=$(date +%s%N)
say() {
  local ms=$((($(date +%s%N) - start_ns) / 1000000))
  printf '[%3d.%ds] %s\n' $((ms / 1000)) $((ms % 1000 / 100)) "$*"
}
fail() {
  say "FAILED: $*"
  exit 1
}

# wait_for WHAT SECONDS COMMAND...: runs COMMAND until it succeeds, failing after SECONDS.
wait_for() {
  local what=$1 deadline=$((SECONDS + $2))
  shift 2
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "timed out waiting for $what"
    sleep 0.2
  done
}

# Ports nothing listens on now; the four are distinct.
used=" "
free_port() {
  local port
  while :; do
    port=$((20000 + RANDOM % 40000))
    case $used in *" $port "*) continue ;; esac
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      used+="$port "
      echo "$port"
      return
    fi
  done
}

# api SIDE METHOD PATH: the side's REST API.
api() {
  curl -fsS --max-time 10 -X "$2" -H "X-API-Key: ${key[$1]}" "http://127.0.0.1:${gui[$1]}$3"
}
other() { [ "$1" = A ] && echo B || echo A; }
# tally_on SIDE ARGS...: tally with that machine's own home and settings.
tally_on() {
  HOME=$work/$1/home XDG_CONFIG_HOME=$work/$1/home/.config "$tally" "${@:2}"
}
scan() { api "$1" POST "/rest/db/scan?folder=tallybook" >/dev/null; }

for side in "${sides[@]}"; do
  mkdir -p "$work/$side/home" "$work/$side/sync/.stfolder"
  folder[$side]=$work/$side/sync
  gui[$side]=$(free_port)
  listen[$side]=$(free_port)
  key[$side]=key-$side-$RANDOM$RANDOM
  generated=$(syncthing generate --home="$work/$side/st" --no-default-folder --skip-port-probing 2>&1)
  id[$side]=$(sed -n 's/.*Device ID: *\([A-Z0-9-]*\).*/\1/p' <<<"$generated")
  [ -n "${id[$side]}" ] || fail "no device id from 'syncthing generate' on $side: $generated"
done
say "Syncthing $(syncthing --version | cut -d' ' -f2); tally $tally"

device_xml() { # SIDE
  cat <<EOF
    <device id="${id[$1]}" name="machine-$1" compression="metadata" introducer="false">
        <address>tcp://127.0.0.1:${listen[$1]}</address>
        <paused>false</paused>
        <autoAcceptFolders>false</autoAcceptFolders>
    </device>
EOF
}
# Only the file system rescans when asked (REST), so each step's sync starts when the script says.
for side in "${sides[@]}"; do
  cat >"$work/$side/st/config.xml" <<EOF
<configuration version="36">
    <folder id="tallybook" label="TallyBook" path="${folder[$side]}" type="sendreceive" rescanIntervalS="3600" fsWatcherEnabled="false" ignorePerms="false" autoNormalize="true">
        <filesystemType>basic</filesystemType>
        <device id="${id[A]}"></device>
        <device id="${id[B]}"></device>
        <maxConflicts>10</maxConflicts>
        <markerName>.stfolder</markerName>
        <paused>false</paused>
    </folder>
$(device_xml A)
$(device_xml B)
    <gui enabled="true" tls="false">
        <address>127.0.0.1:${gui[$side]}</address>
        <apikey>${key[$side]}</apikey>
    </gui>
    <options>
        <listenAddress>tcp://127.0.0.1:${listen[$side]}</listenAddress>
        <globalAnnounceEnabled>false</globalAnnounceEnabled>
        <localAnnounceEnabled>false</localAnnounceEnabled>
        <relaysEnabled>false</relaysEnabled>
        <natEnabled>false</natEnabled>
        <urAccepted>-1</urAccepted>
        <crashReportingEnabled>false</crashReportingEnabled>
        <autoUpgradeIntervalH>0</autoUpgradeIntervalH>
        <startBrowser>false</startBrowser>
        <reconnectionIntervalS>1</reconnectionIntervalS>
        <setLowPriority>false</setLowPriority>
    </options>
</configuration>
EOF
  HOME=$work/$side/home STNORESTART=1 STNOUPGRADE=1 syncthing serve --home="$work/$side/st" \
    --no-browser --no-restart --no-upgrade >"$work/$side/syncthing.log" 2>&1 &
  pid[$side]=$!
  tally_on "$side" config DataLog "${folder[$side]}/TALLYBK.DAT"
done

up() { api "$1" GET /rest/system/ping 2>/dev/null | jq -e '.ping == "pong"' >/dev/null; }
connected() { # SIDE: true when SIDE sees the other connected
  api "$1" GET /rest/system/connections | jq -e --arg d "${id[$(other "$1")]}" \
    '.connections[$d].connected' >/dev/null
}
apart() { ! connected A && ! connected B; }
together() { connected A && connected B; }
idle() { # SIDE: nothing to pull, nothing left for the other
  api "$1" GET /rest/db/status?folder=tallybook |
    jq -e '.state == "idle" and .needTotalItems == 0' >/dev/null &&
    api "$1" GET "/rest/db/completion?folder=tallybook&device=${id[$(other "$1")]}" |
    jq -e '.completion == 100 and .needItems == 0 and .needDeletes == 0' >/dev/null
}
# Both folders hold the same files with the same bytes, and Syncthing agrees nothing is due.
# Each round rescans both, so a file Syncthing itself wrote (a conflict copy) is announced.
synced() {
  scan A && scan B &&
    diff -r --exclude=.stfolder "${folder[A]}" "${folder[B]}" >/dev/null && idle A && idle B
}
files() { find "${folder[$1]}" -mindepth 1 -maxdepth 1 ! -name .stfolder -printf '%f\n' | sort; }
copies() { # SIDE: the Syncthing conflict copies in its folder
  files "$1" | grep -E '^TALLYBK\.sync-conflict-[0-9]{8}-[0-9]{6}-[A-Z0-9]{7}\.DAT$' || true
}
conflict_synced() { [ -n "$(copies A)" ] && [ -n "$(copies B)" ] && synced; }
listing() { # SIDE: the folder's files, one line each
  files "$1" | sed "s/^/    $1: /"
}

for side in "${sides[@]}"; do wait_for "Syncthing's REST API on $side" 30 up "$side"; done
say "A (${id[A]:0:7}) REST on :${gui[A]}, sync on tcp://127.0.0.1:${listen[A]}"
say "B (${id[B]:0:7}) REST on :${gui[B]}, sync on tcp://127.0.0.1:${listen[B]}"
wait_for "A and B to connect" 30 together
say "A and B connected"

day() { date -d "$1 days ago" +%F; }
d2=$(day 2) d1=$(day 1)
tally_on A in --at "$d2 08:00" >/dev/null
tally_on A out --at "$d2 08:30" >/dev/null
scan A
say "A: common pair $d2 08:00-08:30 punched, folder rescanned"
wait_for "B to receive the common log" 30 synced
cmp -s "${folder[A]}/TALLYBK.DAT" "${folder[B]}/TALLYBK.DAT" || fail "the common logs differ"
say "both hold the common log ($(wc -c <"${folder[B]}/TALLYBK.DAT") bytes)"

api A POST "/rest/system/pause?device=${id[B]}" >/dev/null
api B POST "/rest/system/pause?device=${id[A]}" >/dev/null
wait_for "the link to close" 30 apart
say "link paused on both sides"

tally_on A in --at "$d1 09:00" >/dev/null
tally_on A out --at "$d1 10:00" >/dev/null
# More than a second apart, so B's log is plainly the later write by its file time.
sleep 1.1
tally_on B in --at "$d1 11:00" >/dev/null
tally_on B out --at "$d1 12:00" >/dev/null
scan A
scan B
say "apart: A punched $d1 09:00-10:00, then B punched $d1 11:00-12:00; both rescanned"
for side in "${sides[@]}"; do cp "${folder[$side]}/TALLYBK.DAT" "$work/$side.apart"; done

api A POST "/rest/system/resume?device=${id[B]}" >/dev/null
api B POST "/rest/system/resume?device=${id[A]}" >/dev/null
wait_for "A and B to reconnect" 30 together
say "link resumed, connected"
wait_for "a conflict copy on both machines, in sync" 60 conflict_synced
copy=$(copies A)
[ "$(wc -l <<<"$copy")" -eq 1 ] || fail "more than one conflict copy: $copy"
say "conflict copy on both: $copy"
listing A
listing B
if cmp -s "${folder[A]}/TALLYBK.DAT" "$work/A.apart"; then winner=A
elif cmp -s "${folder[A]}/TALLYBK.DAT" "$work/B.apart"; then winner=B
else fail "the synced log is neither side's"; fi
loser=$(other "$winner")
cmp -s "${folder[A]}/$copy" "$work/$loser.apart" || fail "the copy is not $loser's log"
say "Syncthing kept $winner's log; the copy holds $loser's"
for side in "${sides[@]}"; do
  findings=$(tally_on "$side" check --tsv || true)
  grep -qxF "$(printf '0\tconflict-copy\t\t0\t0\t%s' "$copy")" <<<"$findings" ||
    fail "check on $side does not list the copy: $findings"
  say "check on $side: $(tally_on "$side" check 2>&1 | tail -n 1)"
done

merged=$(tally_on A merge 2>&1) || fail "tally merge on A failed: $merged"
say "merge on A:"
echo "    ${merged//$'\n'/$'\n'    }"
[ -z "$(copies A)" ] || fail "the copy is still there after the merge"
files A | grep -qE '^TALLYBK\.merged-[0-9]{8}-[0-9]{6}\.DAT$' || fail "no TALLYBK.merged-*.DAT on A"
scan A
say "A rescanned"
wait_for "the merged log on both machines, in sync" 30 synced
say "both in sync again:"
listing A
listing B
cmp -s "${folder[A]}/TALLYBK.DAT" "${folder[B]}/TALLYBK.DAT" || fail "the merged logs differ"

# The same three pairs punched on one machine: the merged log holds these bytes.
one=$work/one/TALLYBK.DAT
mkdir -p "$work/one/home"
punch=in
for at in "$d2 08:00" "$d2 08:30" "$d1 09:00" "$d1 10:00" "$d1 11:00" "$d1 12:00"; do
  tally_on one --log "$one" "$punch" --at "$at" >/dev/null
  [ "$punch" = in ] && punch=out || punch=in
done
cmp -s "${folder[A]}/TALLYBK.DAT" "$one" || fail "the merged log is not the log of all six punches made on one machine"
for side in "${sides[@]}"; do
  tally_on "$side" check >/dev/null || fail "check on $side still finds: $(tally_on "$side" check)"
  say "$side: $(tally_on "$side" export | tail -n +2 | wc -l) pairs, check: $(tally_on "$side" check)"
done
say "PASSED: both logs byte-identical with every punch of both sides, no conflict copy left"
