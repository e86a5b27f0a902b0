#!/usr/bin/env python3
"""Checks what scripts/soak.sh left in its directory, prints one line per process and every
violation, and exits 1 when there is any.

The directory holds:
  rss.txt             "SECONDS NAME KB" samples of VmRSS (statsimK is the K-th daemon run)
  runs.txt            "K START END" of each daemon run, in Unix seconds
  status.txt          "NAME EXIT-STATUS" of every process that ended
  violations.txt      what the driver itself found wrong (a daemon that did not listen, ...)
  watchN.jsonl/.err   statwatch --format json output of USERREALTIMEEVENT with logged-off users
  clientN.out         the summary line of statistics_client
"""
import collections
import datetime
import glob
import json
import os
import re
import sys

USERS = 6  # the simulator's users: one record each, AK 1000 to 1005, in every event
FIRST_USER = 1000
RUN_GAP = 1.0  # seconds without events that start a new daemon run for a subscriber
RSS_SLACK = 1.10  # how far a resident set may grow after the first minute
DOCUMENTED = {0, 5715, 32772}  # 5715 is how the library's requests report 32771


def read_lines(path):
    try:
        with open(path) as handle:
            return handle.read().splitlines()
    except FileNotFoundError:
        return []


def parse_time(text):
    stamp = datetime.datetime.strptime(text, "%Y-%m-%dT%H:%M:%S.%fZ")
    return stamp.replace(tzinfo=datetime.timezone.utc).timestamp()


def check_watch(path, runs, violations, name):
    """Events of one statwatch: whole, once per daemon run, and in every run."""
    events, duplicates, broken = 0, 0, 0
    seen, last_time, record_group = set(), None, []
    times = []
    for line in read_lines(path):
        try:
            line_json = json.loads(line)
            record = line_json["record"]
        except (ValueError, KeyError, TypeError):
            broken += 1
            continue
        if record.get("AK") != FIRST_USER + len(record_group):
            broken += 1
            record_group = []
            continue
        record_group.append(line_json)
        if len(record_group) < USERS:
            continue
        when = parse_time(record_group[0]["time"])
        if last_time is not None and when - last_time > RUN_GAP:
            seen.clear()  # a restarted simulator may repeat what an earlier one sent
        last_time = when
        key = "\n".join(json.dumps(r["record"], sort_keys=True) for r in record_group)
        duplicates += key in seen
        seen.add(key)
        times.append(when)
        events += 1
        record_group = []
    if duplicates:
        violations.append(f"{name}: {duplicates} events came twice")
    if broken:
        violations.append(f"{name}: {broken} lines are not records of a whole event")
    for run, start, end in runs:
        if not any(start <= t < end for t in times):
            violations.append(f"{name}: no event during daemon run {run}")
    return events


def check_client(path, restarts, violations, name):
    """The summary line of one statistics_client."""
    lines = read_lines(path)
    summary = lines[-1] if lines else ""
    fields = dict(re.findall(r"(\w+)=(\d+)", summary))
    counts = {int(code): int(count) for code, count in re.findall(r" (\d+)x(\d+)", summary)}
    codes = set(counts)
    if "events" not in fields:
        violations.append(f"{name}: no summary line")
        return 0, 0
    if not codes <= DOCUMENTED:
        odd = sorted(codes - DOCUMENTED)
        violations.append(f"{name}: result codes {odd} are not 0, 5715 or 32772")
    for counter in ("duplicates", "foreign_replies", "undecodable"):
        if int(fields[counter]):
            violations.append(f"{name}: {counter}={fields[counter]}")
    if int(fields["outages"]) < restarts:
        violations.append(f"{name}: saw {fields['outages']} outages for {restarts} restarts")
    return int(fields["events"]), sum(counts.values())


def check_rss(samples, violations):
    """Largest resident set per process; each one's growth after the first minute, and each
    daemon run's against the first run's."""
    largest = {}
    for name, series in samples.items():
        largest[name] = max(kb for _, kb in series)
        if name.startswith("statsim"):
            continue
        later = [kb for seconds, kb in series if seconds >= 60]
        if later and max(later) > RSS_SLACK * later[0]:
            violations.append(f"{name}: resident set grew from {later[0]} kB at the first minute "
                              f"to {max(later)} kB")
    daemons = sorted((int(n[7:]), kb) for n, kb in largest.items() if n.startswith("statsim"))
    for run, kb in daemons[1:]:
        if kb > RSS_SLACK * daemons[0][1]:
            violations.append(f"statsim{run}: largest resident set {kb} kB, "
                              f"against {daemons[0][1]} kB in the first run")
    return largest


def main():
    directory = sys.argv[1]
    violations = read_lines(f"{directory}/violations.txt")
    runs = [(int(k), float(start), float(end))
            for k, start, end in (line.split() for line in read_lines(f"{directory}/runs.txt"))]
    restarts = max(len(runs) - 1, 0)
    for name, status in (line.split() for line in read_lines(f"{directory}/status.txt")):
        if status != "0":
            violations.append(f"{name}: exit status {status}")
    samples = collections.defaultdict(list)
    for seconds, name, kb in (line.split() for line in read_lines(f"{directory}/rss.txt")):
        samples[name].append((int(seconds), int(kb)))
    largest = check_rss(samples, violations)

    rows = [(f"statsim{run}", "-", "-") for run, _, _ in runs]
    total_events = total_requests = 0
    def named(pattern, prefix):
        paths = glob.glob(f"{directory}/{pattern}")
        names = (os.path.basename(path).split(".")[0] for path in paths)
        return sorted(names, key=lambda name: int(name[len(prefix):]))

    for name in named("watch*.jsonl", "watch"):
        events = check_watch(f"{directory}/{name}.jsonl", runs, violations, name)
        total_events += events
        rows.append((name, events, "-"))
    for name in named("client*.out", "client"):
        events, requests = check_client(f"{directory}/{name}.out", restarts, violations, name)
        total_events += events
        total_requests += requests
        rows.append((name, events, requests))

    print(f"{'process':<10} {'events':>8} {'requests':>9} {'largest VmRSS':>14}")
    for name, events, requests in rows:
        rss = f"{largest[name] / 1024:.1f} MB" if name in largest else "-"
        print(f"{name:<10} {events:>8} {requests:>9} {rss:>14}")
    print(f"total: {total_events} events, {total_requests} requests, {restarts} restarts")
    for violation in violations:
        print(f"VIOLATION {violation}")
    print("soak passed" if not violations else f"soak failed: {len(violations)} violations")
    return 1 if violations else 0


if __name__ == "__main__":
    sys.exit(main())
