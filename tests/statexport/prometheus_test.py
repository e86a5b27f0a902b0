"""A real Prometheus scrapes statexport, which is connected to a statsim daemon:

- the exposition passes `promtool check metrics` without a single remark;
- Prometheus marks the target up and stores the queue figures exactly as statexport served them:
  every stored scrape of one queue's five metrics equals a snapshot of /metrics taken by this
  test around that scrape's timestamp (the figures move with every tick, so the test keeps
  snapshots of the last seconds rather than one);
- statexport_events_received_total has a series, with events counted, for all fifteen families.

Runs about 15 s, every wait bounded.
Usage: prometheus_test.py STATSIM STATEXPORT [PROMETHEUS PROMTOOL]
"""

import json
import os
import subprocess
import sys
import time
import urllib.parse
import urllib.request

from harness import (EVENT_NAMES, QUEUE_METRICS, Statsim, TestFailure, check, free_port,
                     queues, run_test, series, spawn, start_exporter, wait_until, workdir)


def prometheus_api(port, path, **params):
    url = f"http://127.0.0.1:{port}/api/v1/{path}?{urllib.parse.urlencode(params)}"
    with urllib.request.urlopen(url, timeout=5) as response:
        answer = json.load(response)
    if answer.get("status") != "success":
        raise TestFailure(f"Prometheus answered {answer} to {path} {params}")
    return answer["data"]


def start_prometheus(binary, directory, target):
    config = os.path.join(directory, "prometheus.yml")
    with open(config, "w") as file:
        file.write("global:\n  scrape_interval: 1s\n  scrape_timeout: 1s\n"
                   "scrape_configs:\n  - job_name: statexport\n"
                   f"    static_configs:\n      - targets: ['{target}']\n")
    for attempt in range(3):
        port = free_port()
        process = spawn([binary, f"--config.file={config}",
                         f"--storage.tsdb.path={os.path.join(directory, f'tsdb{attempt}')}",
                         f"--web.listen-address=127.0.0.1:{port}", "--log.level=warn"],
                        os.path.join(directory, "prometheus.err"))

        def ready():
            if process.poll() is not None:
                return "exited"
            try:
                with urllib.request.urlopen(f"http://127.0.0.1:{port}/-/ready", timeout=2) as r:
                    return "ready" if r.status == 200 else None
            except OSError:
                return None

        if wait_until(ready, 30, 0.2) == "ready":
            print(f"prometheus at 127.0.0.1:{port}, scraping {target} every 1 s", flush=True)
            return port
    with open(os.path.join(directory, "prometheus.err")) as file:
        raise TestFailure(f"Prometheus did not start: {file.read()[-2000:]}")


def target_up(port):
    targets = prometheus_api(port, "targets")["activeTargets"]
    return targets and targets[0]["health"] == "up" and targets[0]


def stored_scrapes(port, queue):
    """The stored samples of the queue's metrics over the last 30 s: {timestamp: {name: value}}."""
    selector = '{__name__=~"statserver_queue_.*",queue="%s"}[30s]' % queue
    scrapes = {}
    for result in prometheus_api(port, "query", query=selector)["result"]:
        name = result["metric"]["__name__"]
        if name in QUEUE_METRICS:
            for timestamp, text in result["values"]:
                scrapes.setdefault(float(timestamp), {})[name] = float(text)
    return scrapes


def main():
    statsim_binary, statexport_binary = sys.argv[1], sys.argv[2]
    prometheus = sys.argv[3] if len(sys.argv) > 3 else "/usr/bin/prometheus"
    promtool = sys.argv[4] if len(sys.argv) > 4 else "/usr/bin/promtool"
    directory = workdir("prometheus")
    statsim = Statsim(statsim_binary, directory, tick_ms=250)
    exporter = start_exporter(statexport_binary, directory, statsim.endpoint)

    def with_queues():
        current = exporter.metrics()
        return queues(current) and current

    samples = wait_until(with_queues, 15, 0.2)
    check(samples, "statexport serves queue figures within 15 s of connecting")

    _, _, body = exporter.get("/metrics")
    lint = subprocess.run([promtool, "check", "metrics"], input=body, capture_output=True,
                          timeout=30)
    remarks = (lint.stdout + lint.stderr).decode(errors="replace").strip()
    check(lint.returncode == 0 and not remarks,
          f"promtool check metrics finds nothing in the {len(body)}-byte exposition",
          f"exit {lint.returncode}: {remarks}")

    port = start_prometheus(prometheus, directory, exporter.address)
    target = wait_until(lambda: target_up(port), 20, 0.5)
    check(target, "Prometheus reports the statexport target up within 20 s",
          json.dumps(prometheus_api(port, "targets")["activeTargets"]))

    # Snapshots of /metrics while Prometheus scrapes: the queue's five figures with the wall
    # time each snapshot was taken; Prometheus stamps a scrape with its start time.
    queue = queues(samples)[0]
    snapshots = []
    deadline = time.monotonic() + 6
    while time.monotonic() < deadline:
        before = time.time()
        current = exporter.metrics()
        figures = {name: series(current, name, queue=queue).get((("queue", queue),))
                   for name in QUEUE_METRICS}
        snapshots.append((before, time.time(), figures))
        time.sleep(0.05)
    check(all(None not in figures.values() for _, _, figures in snapshots),
          f"each of the {len(snapshots)} snapshots holds all five metrics of queue {queue!r}",
          str(snapshots[-1][2]))

    scrapes = stored_scrapes(port, queue)
    taken_from = snapshots[0][0] + 1
    taken_until = snapshots[-1][1] - 1
    inside = {t: v for t, v in scrapes.items() if taken_from <= t <= taken_until}
    check(len(inside) >= 3, f"Prometheus stored {len(inside)} scrapes of queue {queue!r} in "
          f"the {taken_until - taken_from:.1f} s the snapshots cover", str(sorted(scrapes)))
    for timestamp, stored in sorted(inside.items()):
        nearby = [figures for start, end, figures in snapshots
                  if start - 1.0 <= timestamp <= end + 1.0]
        check(stored in nearby,
              f"the scrape at {timestamp:.3f} equals a /metrics snapshot of the same second: "
              f"{stored}", f"snapshots around it: {nearby}")

    counted = prometheus_api(port, "query", query="statexport_events_received_total > 0")
    stored_events = sorted(r["metric"].get("event", "") for r in counted["result"])
    check(stored_events == sorted(EVENT_NAMES),
          "Prometheus holds a counted statexport_events_received_total series for each of the "
          f"{len(EVENT_NAMES)} event families",
          f"missing {sorted(set(EVENT_NAMES) - set(stored_events))}, "
          f"extra {sorted(set(stored_events) - set(EVENT_NAMES))}")
    up = prometheus_api(port, "query", query="statexport_server_up")["result"]
    check([r["value"][1] for r in up] == ["1"], "Prometheus stores statexport_server_up 1",
          str(up))


if __name__ == "__main__":
    run_test(main)
