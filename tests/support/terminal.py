"""Drives whole videophone processes for the two-terminal tests.

A Terminal is one videophone process with its own working directory, its own
XDG_RUNTIME_DIR (so the single-instance lock does not collide), an optional
network namespace and an optional ALSA set-up whose capture reads a FIFO that
a feeder thread fills at the real rate and whose playback writes a file.
"""

import json
import math
import os
import shutil
import socket
import struct
import subprocess
import tempfile
import threading
import time

SANITIZER_MARKS = ("ERROR: AddressSanitizer", "WARNING: ThreadSanitizer",
                   "ERROR: LeakSanitizer", "runtime error:")


def binary_path():
    build = os.environ.get("VP_BINARY_DIR", "build")
    return os.path.join(build, "videophone")


def can_use_netns():
    if os.geteuid() != 0 or shutil.which("ip") is None:
        return False
    probe = "vpprobe%d" % os.getpid()
    ok = subprocess.run(["ip", "netns", "add", probe],
                        capture_output=True).returncode == 0
    if ok:
        subprocess.run(["ip", "netns", "del", probe], capture_output=True)
    return ok


def wait_until(predicate, timeout_s, interval_s=0.1):
    """Polls until predicate() is truthy; returns its last value."""
    deadline = time.monotonic() + timeout_s
    value = predicate()
    while not value and time.monotonic() < deadline:
        time.sleep(interval_s)
        value = predicate()
    return value


class Netns:
    """One private network namespace with only its loopback up, so that
    terminals in it can use fixed ports and 127.0.0.1 without meeting anything
    else on the machine."""

    def __init__(self):
        self.name = "vpl%d" % os.getpid()

    def __enter__(self):
        subprocess.run(["ip", "netns", "add", self.name], check=True)
        subprocess.run(["ip", "-n", self.name, "link", "set", "lo", "up"], check=True)
        return self

    def __exit__(self, *exc):
        subprocess.run(["ip", "netns", "del", self.name], capture_output=True)


class NetnsPair:
    """Two network namespaces joined by a veth pair: 10.77.0.1 and 10.77.0.2."""

    ADDRESS_A = "10.77.0.1"
    ADDRESS_B = "10.77.0.2"

    def __init__(self):
        suffix = str(os.getpid())[-5:]
        self.ns_a = "vpa" + suffix
        self.ns_b = "vpb" + suffix
        self._veth_a = "va" + suffix
        self._veth_b = "vb" + suffix

    def __enter__(self):
        run = lambda *args: subprocess.run(list(args), check=True)
        run("ip", "netns", "add", self.ns_a)
        run("ip", "netns", "add", self.ns_b)
        run("ip", "link", "add", self._veth_a, "type", "veth", "peer", "name", self._veth_b)
        run("ip", "link", "set", self._veth_a, "netns", self.ns_a)
        run("ip", "link", "set", self._veth_b, "netns", self.ns_b)
        run("ip", "-n", self.ns_a, "addr", "add", self.ADDRESS_A + "/24", "dev", self._veth_a)
        run("ip", "-n", self.ns_b, "addr", "add", self.ADDRESS_B + "/24", "dev", self._veth_b)
        for ns, dev in ((self.ns_a, self._veth_a), (self.ns_b, self._veth_b)):
            run("ip", "-n", ns, "link", "set", dev, "up")
            run("ip", "-n", ns, "link", "set", "lo", "up")
        return self

    def __exit__(self, *exc):
        for ns in (self.ns_a, self.ns_b):
            subprocess.run(["ip", "netns", "del", ns], capture_output=True)


def tone_samples(frequency_hz, rate_hz, count, start=0, amplitude=8000):
    return [int(amplitude * math.sin(2 * math.pi * frequency_hz * (start + i) / rate_hz))
            for i in range(count)]


class AlsaFifo:
    """ALSA 'default' device: capture from a FIFO fed with a tone at the real
    rate, playback into a raw file."""

    BLOCK_SAMPLES = 512

    def __init__(self, folder, tone_hz, rate_hz=8000):
        self.folder = folder
        self.fifo = os.path.join(folder, "in.fifo")
        self.played = os.path.join(folder, "out.raw")
        self.config = os.path.join(folder, "asound.conf")
        self._tone_hz = tone_hz
        self._rate_hz = rate_hz
        self._stop = threading.Event()
        self._thread = None
        os.mkfifo(self.fifo)
        with open(self.config, "w") as f:
            f.write('pcm.!default { type asym\n'
                    '  capture.pcm { type file; slave.pcm "null"; file "/dev/null";'
                    ' infile "%s"; format "raw" }\n'
                    '  playback.pcm { type file; slave.pcm "null"; file "%s";'
                    ' format "raw" } }\n' % (self.fifo, self.played))

    def environment(self):
        return {"ALSA_CONFIG_PATH": "/usr/share/alsa/alsa.conf:" + self.config}

    def start_feeding(self):
        self._thread = threading.Thread(target=self._feed, daemon=True)
        self._thread.start()

    def _feed(self):
        # Opening blocks until the terminal opens the capture side.
        fd = os.open(self.fifo, os.O_WRONLY)
        try:
            period_s = self.BLOCK_SAMPLES / self._rate_hz
            next_time = time.monotonic()
            position = 0
            while not self._stop.is_set():
                samples = tone_samples(self._tone_hz, self._rate_hz, self.BLOCK_SAMPLES, position)
                position += self.BLOCK_SAMPLES
                os.write(fd, struct.pack("<%dh" % len(samples), *samples))
                next_time += period_s
                time.sleep(max(0.0, next_time - time.monotonic()))
        except (BrokenPipeError, OSError):
            pass
        finally:
            os.close(fd)

    def stop(self):
        self._stop.set()
        # Unblock a feeder still waiting in open() for a reader.
        try:
            fd = os.open(self.fifo, os.O_RDONLY | os.O_NONBLOCK)
            os.close(fd)
        except OSError:
            pass
        if self._thread:
            self._thread.join(timeout=5)

    def played_samples(self):
        if not os.path.exists(self.played):
            return []
        with open(self.played, "rb") as f:
            data = f.read()
        count = len(data) // 2
        return list(struct.unpack("<%dh" % count, data[:count * 2]))


def dominant_frequency(samples, rate_hz, low_hz=100, high_hz=2000, step_hz=5):
    """The strongest frequency in samples (a plain DFT over a coarse grid)."""
    if not samples:
        return 0
    window = samples[-8192:]
    best, best_power = 0, -1.0
    for f in range(low_hz, high_hz + 1, step_hz):
        w = 2 * math.pi * f / rate_hz
        re = sum(s * math.cos(w * i) for i, s in enumerate(window))
        im = sum(s * math.sin(w * i) for i, s in enumerate(window))
        power = re * re + im * im
        if power > best_power:
            best, best_power = f, power
    return best


class Terminal:
    """One videophone process driven through its --control socket."""

    def __init__(self, name, ini_text="", netns=None, answer="yes", alsa_tone_hz=None,
                 extra_args=()):
        self.name = name
        self.root = tempfile.mkdtemp(prefix="vp-%s-" % name)
        self.workdir = os.path.join(self.root, "work")
        self.runtime = os.path.join(self.root, "run")
        os.makedirs(self.workdir)
        os.makedirs(self.runtime, mode=0o700)
        self.control = os.path.join(self.root, "control.sock")
        self.netns = netns
        self.answer = answer
        self.extra_args = list(extra_args)
        self.alsa = AlsaFifo(self.root, alsa_tone_hz) if alsa_tone_hz else None
        self.process = None
        self.stderr_path = os.path.join(self.root, "stderr.txt")
        if ini_text:
            with open(os.path.join(self.workdir, "system.ini"), "wb") as f:
                f.write(ini_text.encode("gbk"))

    def start(self):
        env = dict(os.environ)
        env["QT_QPA_PLATFORM"] = "offscreen"
        env["XDG_RUNTIME_DIR"] = self.runtime
        if self.alsa:
            env.update(self.alsa.environment())
            self.alsa.start_feeding()
        command = [os.path.abspath(binary_path()), "--control", self.control]
        if self.answer:
            command += ["--answer", self.answer]
        command += self.extra_args
        if self.netns:
            command = ["ip", "netns", "exec", self.netns] + command
        self._stderr = open(self.stderr_path, "wb")
        self.process = subprocess.Popen(command, cwd=self.workdir, env=env,
                                        stdout=subprocess.DEVNULL, stderr=self._stderr)
        if not wait_until(self._answers, 30):
            raise RuntimeError("%s did not open its control socket:\n%s"
                               % (self.name, self.stderr()))
        return self

    def _answers(self):
        if self.process.poll() is not None:
            raise RuntimeError("%s ended early (%s):\n%s"
                               % (self.name, self.process.returncode, self.stderr()))
        try:
            self.request("status")
            return True
        except OSError:
            return False

    def request(self, line, timeout_s=30):
        with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
            s.settimeout(timeout_s)
            s.connect(self.control)
            s.sendall(line.encode("utf-8") + b"\n")
            reply = b""
            while not reply.endswith(b"\n"):
                chunk = s.recv(65536)
                if not chunk:
                    break
                reply += chunk
        return json.loads(reply.decode("utf-8"))

    def status(self):
        return self.request("status")

    def invoke(self, command_id):
        return self.request("invoke %d" % command_id)

    def wait_status(self, predicate, timeout_s=20):
        """Polls status until predicate(status) holds; returns that status."""
        result = {}

        def check():
            result["status"] = self.status()
            return predicate(result["status"])

        wait_until(check, timeout_s, 0.2)
        return result["status"]

    def quit(self, timeout_s=30):
        self.request("answer yes")
        try:
            self.request("quit")
        except (OSError, ValueError):
            pass  # the process may end before it replies
        return self.process.wait(timeout=timeout_s)

    def kill(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def stderr(self):
        try:
            with open(self.stderr_path, "rb") as f:
                return f.read().decode("utf-8", "replace")
        except OSError:
            return ""

    def sanitizer_reports(self):
        text = self.stderr()
        return [line for line in text.splitlines() if any(m in line for m in SANITIZER_MARKS)]

    def close(self):
        self.kill()
        if self.alsa:
            self.alsa.stop()
        if hasattr(self, "_stderr"):
            self._stderr.close()


def close_terminals(test, terminals):
    """Ends every terminal and fails `test` on any sanitizer report. The
    folders of a clean terminal are removed; a reported one keeps its files
    for a look."""
    failures = []
    for t in terminals:
        reports = t.sanitizer_reports()
        t.close()
        if reports:
            failures.append("%s (files in %s):\n%s" % (t.name, t.root, t.stderr()))
        else:
            shutil.rmtree(t.root, ignore_errors=True)
    test.assertEqual(failures, [])
