#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Reads exports of tally export --format ical with Debian's icalendar package and compares
# them with what the log says. Usage: ical_check.py EXPECTED.json; that file holds the events
# ("rows": [start, end or ""] as ISO times with offset) and the exports ("file", the "rows" it
# holds, its "zone" or null, "summary", and "uids": "same" or "other" than the first's).
# Prints each difference and exits 1 when there is one.
import json
import sys
from datetime import datetime
from zoneinfo import ZoneInfo

from icalendar import Calendar

expected = json.load(open(sys.argv[1]))
faults = []
reference = None


def check(what, ok):
    if not ok:
        faults.append(what)


def instant(prop, zone, vtz, what):
    """The instant a DTSTART or DTEND gives, read by the parser and by the file's VTIMEZONE."""
    dt, tzid = prop.dt, prop.params.get("TZID")
    if tzid is None:
        check(f"{what}: {dt} neither UTC nor in the zone", dt.utcoffset().total_seconds() == 0)
        return dt
    check(f"{what}: TZID {tzid} for {zone}", tzid == zone)
    # RFC 5545 reads a wall time shown twice at its first showing, icalendar at its second.
    wall = dt.replace(tzinfo=None)
    shown = {wall.replace(tzinfo=ZoneInfo(zone), fold=f).utcoffset() for f in (0, 1)}
    check(f"{what}: {wall} is shown twice or never in {zone}", len(shown) == 1)
    check(f"{what}: the VTIMEZONE reads {vtz.localize(wall)}", vtz.localize(wall) == dt)
    return dt


for export in expected["exports"]:
    name, raw = export["file"], open(export["file"], "rb").read()
    lines = raw.split(b"\r\n")
    check(f"{name}: a line feed without CR, or over 75 octets",
          lines[-1] == b"" and all(b"\n" not in x and len(x) <= 75 for x in lines))
    cal = Calendar.from_ical(raw.decode("utf-8"))
    check(f"{name}: version", cal.get("VERSION") == "2.0" and cal.get("PRODID"))
    zones = cal.walk("VTIMEZONE")
    check(f"{name}: VTIMEZONEs {len(zones)}", len(zones) == (1 if export["zone"] else 0))
    vtz = zones[0].to_tz() if zones else None
    events = cal.walk("VEVENT")
    check(f"{name}: {len(events)} events", len(events) == len(export["rows"]))
    uids = {}
    for row, event in zip(export["rows"], events):
        start, end = expected["rows"][row]
        what = f"{name} event {row}"
        check(f"{what}: DTSTAMP not UTC", event["DTSTAMP"].dt.utcoffset().total_seconds() == 0)
        check(f"{what}: summary {event['SUMMARY']}", event["SUMMARY"] == export["summary"])
        got = instant(event["DTSTART"], export["zone"], vtz, what)
        check(f"{what}: starts {got}, not {start}", got == datetime.fromisoformat(start))
        if end:
            got = instant(event["DTEND"], export["zone"], vtz, what)
            check(f"{what}: ends {got}, not {end}", got == datetime.fromisoformat(end))
        else:
            check(f"{what}: an end for a pair of no length", "DTEND" not in event)
        uids[row] = str(event["UID"])
        check(f"{what}: UID {uids[row]}", uids[row].endswith("@tallybook"))
    check(f"{name}: UIDs not unique", len(set(uids.values())) == len(uids))
    reference = reference or uids
    for row, uid in uids.items():
        check(f"{name} event {row}: UID {uid}", (reference[row] == uid) == (export["uids"] == "same"))

for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
