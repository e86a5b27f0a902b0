"""Processes and HTTP for the statexport tests: a statsim daemon on a loopback endpoint, a
statexport daemon connected to it, and a parser of the Prometheus text exposition.

Every process started here gets SIGKILL when the test process dies (PR_SET_PDEATHSIG), and
stop_all() ends them in order on a normal exit, on failure and on SIGTERM/SIGINT, so nothing
outlives a test. Waits are bounded: each takes a timeout and raises TestFailure past it.
Single-threaded use only: processes are started from the main thread (the death signal follows
the thread that forked them).
"""

import atexit
import ctypes
import http.client
import os
import random
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

# The fifteen event families the exporter subscribes to, as the library names them.
EVENT_NAMES = [
    "USERREALTIMEEVENT", "QUEUEREALTIMEEVENT", "GROUPREALTIMEEVENT", "CONTACTREALTIMEEVENT",
    "CALLBACKREALTIMEEVENT", "USERCUMULATIVEEVENT", "QUEUECUMULATIVEEVENT",
    "GROUPCUMULATIVEEVENT", "CALLBACKCUMULATIVEEVENT", "DNISCUMULATIVEEVENT",
    "WRAPUPREASONCUMULATIVEEVENT", "USERSTATEREASONCUMULATIVEEVENT",
    "USERPOSTPROCESSINGCUMULATIVEEVENT", "WORKFLOWCUMULATIVEEVENT",
    "CALLDIRECTORCOMPONENTCUMULATIVEEVENT",
]

QUEUE_METRICS = [
    "statserver_queue_contacts_waiting", "statserver_queue_oldest_wait_seconds",
    "statserver_queue_service_level_ratio", "statserver_queue_shift_answered_contacts",
    "statserver_queue_shift_abandoned_contacts",
]


class TestFailure(Exception):
    pass


_checks = {"passed": 0, "failed": 0}


def check(condition, what, detail=""):
    """Records and prints one checked property; a failed one ends the test."""
    if condition:
        _checks["passed"] += 1
        print(f"ok: {what}", flush=True)
        return
    _checks["failed"] += 1
    raise TestFailure(f"{what}{': ' + detail if detail else ''}")


def run_test(body):
    """Runs body() and exits 0 only when it returned; prints the closing count either way."""
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    status = 0
    try:
        body()
    except TestFailure as failure:
        print(f"FAILED: {failure}", flush=True)
        status = 1
    except Exception as error:  # an unexpected error fails the test as loudly
        print(f"FAILED: {type(error).__name__}: {error}", flush=True)
        status = 1
    finally:
        stop_all()
    if status == 0:
        for path in _workdirs:
            shutil.rmtree(path, ignore_errors=True)
    if status and _checks["failed"] == 0:
        _checks["failed"] = 1
    print(f"{_checks['passed']} passed, {_checks['failed']} failed", flush=True)
    sys.exit(status)


_libc = ctypes.CDLL("libc.so.6", use_errno=True)
_PR_SET_PDEATHSIG = 1
_processes = []


def _die_with_parent():
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)


def spawn(argv, stderr_path, stdout=subprocess.DEVNULL, env=None):
    with open(stderr_path, "ab") as stderr:
        process = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=stdout, stderr=stderr,
                                   preexec_fn=_die_with_parent, env=env)
    _processes.append(process)
    return process


def stop(process, sig=signal.SIGTERM, timeout=10):
    """Stops one process; returns its exit code (None if it had to be killed)."""
    if process.poll() is not None:
        return process.returncode
    process.send_signal(sig)
    try:
        return process.wait(timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
        return None


def stop_all():
    while _processes:
        stop(_processes.pop(), signal.SIGTERM, timeout=5)


atexit.register(stop_all)


_workdirs = []


def workdir(prefix):
    """A fresh temporary folder for logs and data, removed after a passing run only."""
    path = tempfile.mkdtemp(prefix=f"statexport-{prefix}-")
    _workdirs.append(path)
    print(f"work files in {path}", flush=True)
    return path


def wait_until(predicate, timeout, interval=0.1):
    """Polls predicate until it returns a true value, which it returns; None after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            return None
        time.sleep(interval)


def _read(path):
    try:
        with open(path, encoding="utf-8", errors="replace") as file:
            return file.read()
    except FileNotFoundError:
        return ""


def free_port():
    """A port the kernel had free a moment ago (another process may take it before use)."""
    with socket.socket() as sock:
        sock.bind(("127.0.0.1", 0))
        return sock.getsockname()[1]


class Statsim:
    """A statsim daemon bound on tcp://127.0.0.1:PORT, restartable on the same endpoint.

    Its port is below the ephemeral range (32768 and up), so no outgoing connection of another
    test takes it while the daemon is down between a kill and a restart."""

    def __init__(self, binary, directory, tick_ms=250):
        self.binary, self.directory, self.tick_ms = binary, directory, tick_ms
        self.endpoint, self.process, self.runs = None, None, 0
        for _ in range(10):
            candidate = f"tcp://127.0.0.1:{random.randint(20000, 29999)}"
            if self._serve(candidate):
                self.endpoint = candidate
                return
        raise TestFailure(f"statsim did not listen: {_read(self._stderr())}")

    def _stderr(self):
        return os.path.join(self.directory, f"statsim{self.runs}.err")

    def _serve(self, endpoint):
        self.runs += 1
        self.process = spawn([self.binary, "--bind", endpoint, "--tick-ms", str(self.tick_ms),
                              "--seed", str(self.runs)], self._stderr())
        listening = wait_until(lambda: "statsim: listening at" in _read(self._stderr())
                               or self.process.poll() is not None, 10)
        if listening and self.process.poll() is None:
            return True
        stop(self.process, signal.SIGKILL)
        return False

    def kill(self):
        stop(self.process, signal.SIGKILL)

    def restart(self):
        if not self._serve(self.endpoint):
            raise TestFailure(f"statsim did not listen again at {self.endpoint}: "
                              f"{_read(self._stderr())}")


SERVING = re.compile(r"statexport: serving http://([^/\s]+)/ \(metrics at /metrics\)")


class Statexport:
    """A statexport daemon started with `args`; wait_serving() learns the address it serves on
    from the line it prints on start (with --listen 127.0.0.1:0 the port the kernel picked)."""

    def __init__(self, binary, directory, args, env=None):
        self.stderr_path = os.path.join(directory, f"statexport{len(_processes)}.err")
        self.process = spawn([binary] + args, self.stderr_path, env=env)

    def wait_serving(self, timeout=15):
        found = wait_until(lambda: SERVING.search(self.stderr())
                           or self.process.poll() is not None, timeout)
        if not isinstance(found, re.Match):
            raise TestFailure(f"statexport printed no serving line within {timeout} s "
                              f"(exit {self.process.poll()}): {self.stderr()}")
        self.address = found.group(1)
        self.host, port = self.address.rsplit(":", 1)
        self.port = int(port)
        return self

    def stderr(self):
        return _read(self.stderr_path)

    def get(self, path, timeout=10):
        return http_get(self.host, self.port, path, timeout)

    def metrics(self, timeout=10):
        status, headers, body = self.get("/metrics", timeout)
        if status != 200:
            raise TestFailure(f"/metrics answered {status}")
        return parse_exposition(body.decode("utf-8"))


def start_exporter(statexport, directory, endpoint, extra=(), env=None):
    exporter = Statexport(statexport, directory,
                          ["--connect", endpoint, "--listen", "127.0.0.1:0", *extra], env)
    exporter.wait_serving()
    print(f"statexport at http://{exporter.address}/, connected to {endpoint}", flush=True)
    return exporter


def http_get(host, port, path, timeout=10):
    """One GET on a fresh connection: (status, headers as a lowercase dict, body bytes)."""
    connection = http.client.HTTPConnection(host, port, timeout=timeout)
    try:
        connection.request("GET", path)
        response = connection.getresponse()
        body = response.read()
        return response.status, {k.lower(): v for k, v in response.getheaders()}, body
    finally:
        connection.close()


_SAMPLE = re.compile(r'^([a-zA-Z_:][a-zA-Z0-9_:]*)(?:\{(.*)\})?\s+(\S+)(?:\s+(-?\d+))?$')
_LABEL = re.compile(r'\s*([a-zA-Z_][a-zA-Z0-9_]*)="((?:[^"\\]|\\.)*)"\s*,?')


def _unescape(value):
    return re.sub(r"\\(.)", lambda m: "\n" if m.group(1) == "n" else m.group(1), value)


def parse_labels(text):
    labels, position = {}, 0
    while position < len(text):
        match = _LABEL.match(text, position)
        if not match:
            raise TestFailure(f"unparsable labels {{{text}}}")
        labels[match.group(1)] = _unescape(match.group(2))
        position = match.end()
    return labels


def parse_exposition(text):
    """The samples of a text exposition: {(name, frozenset of label pairs): value}."""
    samples = {}
    for line in text.splitlines():
        if not line or line.startswith("#"):
            continue
        match = _SAMPLE.match(line)
        if not match:
            raise TestFailure(f"unparsable exposition line: {line!r}")
        key = (match.group(1), frozenset(parse_labels(match.group(2) or "").items()))
        if key in samples:
            raise TestFailure(f"duplicate series in the exposition: {line!r}")
        samples[key] = float(match.group(3))
    return samples


def series(samples, name, **labels):
    """The samples of one metric whose labels include the given ones: {labels dict: value}."""
    wanted = set(labels.items())
    return {tuple(sorted(key[1])): value for key, value in samples.items()
            if key[0] == name and wanted <= key[1]}


def value(samples, name, **labels):
    """The value of the one series with exactly these labels, or None."""
    return samples.get((name, frozenset(labels.items())))


def queues(samples):
    return sorted({dict(key[1])["queue"] for key in samples
                   if key[0] == QUEUE_METRICS[0] and "queue" in dict(key[1])})
