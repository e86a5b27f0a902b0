"""statexport under faults, connected to a statsim daemon:

- its HTTP surface: each route's status and type, 404 for anything else, at most 32 event
  streams (the 33rd gets 503, a freed place is taken again);
- a port already in use: exit 2 and a message naming HOST:PORT;
- oversized and malformed requests, and half-sent ones held open: the server goes on serving
  (what it answered each is printed);
- 50 scrapers for 30 s beside an event-stream client that never reads and normal clients
  (the page, the wallboard, a reading event stream): no crash, no failed request, messages
  still at least every 3 s, and the resident set within 10% after the first 10 s (50% for a
  --sanitized build, whose allocator holds freed blocks in quarantine and in the caches of
  each of the hundred server threads);
- the statistics server killed: statexport_server_up 0 within 3 s while /metrics goes on
  answering; restarted on the same endpoint: 1 again and events counted again;
- SIGTERM ends it with exit code 0.

Runs about 45 s, every wait bounded. Usage: faults_test.py STATSIM STATEXPORT [--sanitized]
"""

import json
import os
import socket
import sys
import threading
import time

from harness import (Statexport, Statsim, check, http_get, queues, run_test, series, stop,
                     start_exporter, value, wait_until, workdir)

LOAD_SECONDS = 30
SCRAPERS = 50


def exchange(port, request, hold=3.0):
    """Sends raw bytes and reads until the server closes or `hold` seconds pass: the first line
    of what it answered, or how it ended."""
    sock = socket.create_connection(("127.0.0.1", port), timeout=hold)
    answer = b""
    try:
        sock.sendall(request)
        deadline = time.monotonic() + hold
        while time.monotonic() < deadline:
            chunk = sock.recv(65536)
            if not chunk:
                return answer, "closed"
            answer += chunk
    except socket.timeout:
        return answer, "held open"
    except (ConnectionResetError, BrokenPipeError):
        return answer, "reset"
    finally:
        sock.close()
    return answer, "held open"


def still_serving(exporter, after):
    status, _, body = exporter.get("/metrics", timeout=10)
    check(status == 200 and b"statexport_server_up" in body,
          f"/metrics still answers 200 after {after}", f"status {status}")


def check_routes(exporter):
    kinds = {"/metrics": "text/plain; version=0.0.4; charset=utf-8", "/": "text/html",
             "/app.js": "javascript", "/style.css": "text/css",
             "/api/wallboard": "application/json"}
    for path, kind in kinds.items():
        status, headers, body = exporter.get(path)
        check(status == 200 and kind in headers.get("content-type", "") and body,
              f"GET {path} -> 200 {headers.get('content-type')}, {len(body)} bytes",
              f"status {status}")
    wallboard = json.loads(exporter.get("/api/wallboard")[2])
    check(isinstance(wallboard.get("server_up"), bool) and isinstance(wallboard["queues"], list),
          "/api/wallboard is the wallboard JSON", str(wallboard)[:300])
    for path in ["/nothing-here", "/metrics/more", "/api", "/api/wallboard/x", "/index.html~",
                 "/../../etc/passwd"]:
        status, _, body = exporter.get(path)
        check(status == 404 and b"root:" not in body, f"GET {path} -> 404", f"status {status}")


def open_stream(port, receive_buffer=None):
    """An /events connection whose response head has been read: (socket, head, rest)."""
    sock = socket.socket()
    if receive_buffer:
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, receive_buffer)
    sock.settimeout(10)
    sock.connect(("127.0.0.1", port))
    sock.sendall(b"GET /events HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: text/event-stream\r\n\r\n")
    if receive_buffer:
        return sock, b"", b""
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = sock.recv(4096)
        if not chunk:
            break
        data += chunk
    head, _, rest = data.partition(b"\r\n\r\n")
    return sock, head, rest


def check_streams(exporter):
    sock, head, rest = open_stream(exporter.port)
    deadline = time.monotonic() + 5
    while b"data: {" not in rest and time.monotonic() < deadline:
        rest += sock.recv(65536)
    sock.close()
    check(head.startswith(b"HTTP/1.1 200") and b"text/event-stream" in head.lower(),
          "GET /events -> 200 text/event-stream", head.decode(errors="replace"))
    check(b"retry: 1000" in rest and b"data: {" in rest,
          "the stream asks for a 1 s retry and sends a data message", rest[:200].decode())

    # A closed stream keeps its place until the server's next write to it fails (within 1 s).
    def accepted_stream():
        sock, head, rest = open_stream(exporter.port)
        if head.startswith(b"HTTP/1.1 200"):
            return sock, head, rest
        sock.close()
        return None

    streams = [wait_until(accepted_stream, 5, 0.5) for _ in range(32)]
    accepted = sum(stream is not None for stream in streams)
    extra, extra_head, _ = open_stream(exporter.port)
    extra.close()
    extra_status = extra_head.split(b"\r\n")[0].decode(errors="replace")
    check(accepted == 32 and " 503 " in extra_status,
          f"32 event streams open at once, the 33rd answered {extra_status!r}",
          f"{accepted} accepted")
    for stream in filter(None, streams):
        stream[0].close()
    again = wait_until(accepted_stream, 5, 0.5)
    check(again, "once those streams close, a new one is accepted within 5 s")
    again[0].close()


def check_port_in_use(statexport, directory, endpoint):
    holder = socket.socket()
    holder.bind(("127.0.0.1", 0))
    holder.listen()
    address = "127.0.0.1:%d" % holder.getsockname()[1]
    blocked = Statexport(statexport, directory, ["--connect", endpoint, "--listen", address])
    code = wait_until(lambda: blocked.process.poll() is not None, 20)
    holder.close()
    if not code:
        stop(blocked.process)
    check(blocked.process.returncode == 2 and address in blocked.stderr(),
          f"listening on {address}, already in use, ends with exit 2 naming it",
          f"exit {blocked.process.returncode}: {blocked.stderr().strip()}")


def check_bad_requests(exporter):
    port = exporter.port
    bad = {
        "a 100 kB request line": b"GET /" + b"a" * 100_000 + b" HTTP/1.1\r\nHost: x\r\n\r\n",
        "2000 headers": b"GET /metrics HTTP/1.1\r\n"
        + b"".join(b"X-Pad-%d: %s\r\n" % (i, b"p" * 64) for i in range(2000)) + b"\r\n",
        "a 1 MB header": b"GET /metrics HTTP/1.1\r\nX-Big: " + b"b" * 1_000_000 + b"\r\n\r\n",
        "binary bytes": bytes(range(256)) * 4 + b"\r\n\r\n",
        "a method alone": b"GET\r\n\r\n",
        "an unknown HTTP version": b"GET /metrics HTTP/9.9\r\n\r\n",
        "an unknown method": b"BREW /metrics HTTP/1.1\r\nHost: x\r\n\r\n",
        "a header without a colon": b"GET /metrics HTTP/1.1\r\nno colon here\r\n\r\n",
        "a negative Content-Length": b"POST /metrics HTTP/1.1\r\nContent-Length: -5\r\n\r\n",
        "a huge Content-Length": b"POST /metrics HTTP/1.1\r\nContent-Length: "
        + b"9" * 30 + b"\r\n\r\n",
        "a broken chunk": b"POST /metrics HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n",
        "bad percent escapes": b"GET /%zz%00%ff HTTP/1.1\r\nHost: x\r\n\r\n",
        "a half-sent head": b"GET /metrics HTTP/1.1\r\nHost: x\r\n",
    }
    for what, request in bad.items():
        answer, ending = exchange(port, request)
        first = answer.split(b"\n", 1)[0].decode(errors="replace").strip() or "nothing"
        print(f"   {what}: answered {first[:60]!r}, then {ending}", flush=True)
        still_serving(exporter, what)

    # Half-sent requests held open take workers; the rest still serve a scraper.
    held = []
    for _ in range(20):
        sock = socket.create_connection(("127.0.0.1", port), timeout=5)
        sock.sendall(b"GET /metrics HTTP/1.1\r\nHost: x\r\n")
        held.append(sock)
    still_serving(exporter, "20 half-sent requests held open")
    for sock in held:
        sock.close()


def server_side(server_port, client_port):
    """The server's end of a loopback connection, as the kernel holds it."""
    states = {"01": "open", "04": "dropped by the server (FIN sent)", "06": "closed",
              "07": "closed", "08": "closing", "09": "closed", "0B": "closing"}
    with open("/proc/net/tcp") as table:
        for row in table.read().splitlines()[1:]:
            fields = row.split()
            local, remote = (int(field.split(":")[1], 16) for field in fields[1:3])
            if (local, remote) == (server_port, client_port):
                queued = int(fields[4].split(":")[0], 16)
                return f"{states.get(fields[3], fields[3])}, {queued} bytes queued for it"
    return "gone"


def vm_rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError("no VmRSS")


def check_load(exporter, growth_bound):
    stop_at = time.monotonic() + LOAD_SECONDS
    lock = threading.Lock()
    tally = {"scrapes": 0, "scrape failures": [], "normal": 0, "normal failures": [],
             "messages": 0, "longest gap": 0.0, "stream failures": []}

    def failed(kind, error):
        with lock:
            tally[kind].append(f"{type(error).__name__}: {error}")
            del tally[kind][5:]
            tally[kind + " count"] = tally.get(kind + " count", 0) + 1

    def scraper():
        while time.monotonic() < stop_at:
            try:
                status, _, body = http_get("127.0.0.1", exporter.port, "/metrics", 10)
                if status != 200 or b"statexport_server_up" not in body:
                    raise RuntimeError(f"status {status}, {len(body)} bytes")
                with lock:
                    tally["scrapes"] += 1
            except Exception as error:
                failed("scrape failures", error)

    def normal_client():
        while time.monotonic() < stop_at:
            for path in ["/", "/app.js", "/style.css", "/api/wallboard"]:
                try:
                    status, _, _ = http_get("127.0.0.1", exporter.port, path, 10)
                    if status != 200:
                        raise RuntimeError(f"{path}: status {status}")
                    with lock:
                        tally["normal"] += 1
                except Exception as error:
                    failed("normal failures", error)
            time.sleep(0.2)

    def reading_stream():
        try:
            sock, head, rest = open_stream(exporter.port)
            sock.settimeout(5)
            if not head.startswith(b"HTTP/1.1 200"):
                raise RuntimeError(head.decode(errors="replace"))
            last, buffer = time.monotonic(), rest
            while time.monotonic() < stop_at:
                buffer += sock.recv(65536)
                count = buffer.count(b"data: ")
                if count:
                    now = time.monotonic()
                    with lock:
                        tally["messages"] += count
                        tally["longest gap"] = max(tally["longest gap"], now - last)
                    last, buffer = now, buffer[buffer.rfind(b"data: ") + 6:]
            sock.close()
        except Exception as error:
            failed("stream failures", error)

    stalled, _, _ = open_stream(exporter.port, receive_buffer=4096)
    threads = [threading.Thread(target=scraper) for _ in range(SCRAPERS)]
    threads += [threading.Thread(target=normal_client), threading.Thread(target=reading_stream)]
    started = time.monotonic()
    for thread in threads:
        thread.start()
    rss = []
    while time.monotonic() < stop_at:
        rss.append((time.monotonic() - started, vm_rss_kib(exporter.process.pid)))
        time.sleep(1)
    for thread in threads:
        thread.join(15)
    print("   VmRSS kB by second: " + " ".join(f"{kib}" for _, kib in rss), flush=True)

    def failures(kind):
        return f"{tally.get(kind + ' count')} failed, the first: {tally[kind]}"

    check(exporter.process.poll() is None, f"statexport survived {LOAD_SECONDS} s of load")
    check(not tally["scrape failures"] and tally["scrapes"] >= SCRAPERS * 5,
          f"{SCRAPERS} scrapers: {tally['scrapes']} scrapes "
          f"({tally['scrapes'] / LOAD_SECONDS:.0f}/s), none failed",
          failures("scrape failures"))
    check(not tally["normal failures"] and tally["normal"] > 0,
          f"normal clients beside them: {tally['normal']} requests, none failed",
          failures("normal failures"))
    check(not tally["stream failures"] and tally["messages"] >= LOAD_SECONDS / 3
          and tally["longest gap"] <= 3.0,
          f"a reading event stream beside them: {tally['messages']} messages, longest gap "
          f"{tally['longest gap']:.1f} s", failures("stream failures"))
    baseline = next(kib for at, kib in rss if at >= 10)
    peak = max(kib for at, kib in rss if at >= 10)
    # Concurrent scrapes share one build of each body, made on a thread of its own, so neither
    # the clients nor the workers that served them add to what the daemon holds.
    check(peak <= baseline * (1 + growth_bound),
          f"resident set bounded after 10 s: {baseline} kB then at most {peak} kB "
          f"(+{100 * (peak - baseline) / baseline:.1f}%)")

    # Only printed: the server drops the stream once a write has waited its time-out, and the
    # kernel buffers about a minute of messages before a write waits at all.
    print(f"   the event stream that never read, {time.monotonic() - started:.0f} s on: "
          f"{server_side(exporter.port, stalled.getsockname()[1])}", flush=True)
    stalled.close()


def check_server_restart(exporter, statsim):
    before = exporter.metrics()
    check(value(before, "statexport_server_up") == 1, "statexport_server_up 1 while connected")
    killed = time.monotonic()
    statsim.kill()
    down = wait_until(lambda: value(exporter.metrics(), "statexport_server_up") == 0, 3.0, 0.1)
    check(down, f"statexport_server_up 0 {time.monotonic() - killed:.1f} s after the server "
          "was killed (at most 3 s)")
    status, _, body = exporter.get("/api/wallboard")
    check(status == 200 and json.loads(body)["server_up"] is False,
          "while it is down /api/wallboard answers with server_up false")

    def counted(samples):
        return sum(series(samples, "statexport_events_received_total").values())

    while_down = counted(exporter.metrics())
    statsim.restart()
    restarted = time.monotonic()
    up = wait_until(lambda: value(exporter.metrics(), "statexport_server_up") == 1, 15, 0.2)
    check(up, f"statexport_server_up 1 again {time.monotonic() - restarted:.1f} s after the "
          "server restarted on the same endpoint (at most 15 s)")
    flowing = wait_until(lambda: counted(exporter.metrics()) > while_down + 10, 10, 0.2)
    check(flowing and queues(exporter.metrics()),
          "events are counted again after the restart and queue figures are served")


def main():
    statsim_binary, statexport_binary = sys.argv[1], sys.argv[2]
    sanitized = "--sanitized" in sys.argv[3:]
    directory = workdir("faults")
    statsim = Statsim(statsim_binary, directory, tick_ms=250)
    # A sanitized build keeps freed blocks in a quarantine that would read as growth.
    env = dict(os.environ)
    asan_options = [env.get("ASAN_OPTIONS"), "quarantine_size_mb=4"]
    env["ASAN_OPTIONS"] = ":".join(filter(None, asan_options))
    exporter = start_exporter(statexport_binary, directory, statsim.endpoint, env=env)
    check(wait_until(lambda: queues(exporter.metrics()), 15, 0.2),
          "statexport serves queue figures within 15 s of connecting")

    check_routes(exporter)
    check_streams(exporter)
    check_port_in_use(statexport_binary, directory, statsim.endpoint)
    check_bad_requests(exporter)
    check_load(exporter, 0.50 if sanitized else 0.10)
    check_server_restart(exporter, statsim)

    code = stop(exporter.process)
    check(code == 0, "SIGTERM ends statexport with exit code 0",
          f"exit {code}: {exporter.stderr()[-1000:]}")


if __name__ == "__main__":
    run_test(main)
