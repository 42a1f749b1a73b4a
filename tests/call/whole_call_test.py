"""A whole call between two terminals in two network namespaces: one-key
media on both sides, pictures and sound both ways, one-key off and on again,
hang-up, and exit with every stream open."""

import glob
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from terminal import (NetnsPair, Terminal, can_use_netns, close_terminals,  # noqa: E402
                      dominant_frequency, wait_until)

ONE_KEY = 32834
HANG_UP = 32775
SNAPSHOT = 32844
SERVICE_PORT = 5928
RATE_HZ = 8000

ALL_OPEN = {"captureOff": 0, "videoSendOpen": 1, "sendGate": 1, "remoteVideoOpen": 1,
            "audioSendOpen": 1, "audioReceiveOpen": 1, "oneKeyOn": 1}
ALL_CLOSED = {"captureOff": 1, "videoSendOpen": 0, "sendGate": 0, "remoteVideoOpen": 0,
              "audioSendOpen": 0, "audioReceiveOpen": 0, "oneKeyOn": 0}


def media_is(expected):
    return lambda s: all(s["media"][k] == v for k, v in expected.items())


def ini(photo_folder, **ptpsetup):
    keys = {"ptpservice": "N"}
    keys.update(ptpsetup)
    lines = ["[ptpsetup]"] + ["%s=%s" % kv for kv in keys.items()]
    lines += ["[ipandportsetup]", "rport=%d" % SERVICE_PORT,
              # The pictures are compared with the partner's test picture, so
              # nothing is drawn on them.
              "[text3d]", "permitadd=NO",
              "[save]", "camerapath=%s" % photo_folder]
    return "\n".join(lines) + "\n"


def snapshot_psnr(path, partner_frames):
    """Best PSNR against the partner's test pictures shortly before its
    latest captured frame (its synthetic camera numbers frames from 0)."""
    tool = os.environ.get("VP_PSNR_TOOL", "snapshot_psnr")
    first = max(0, partner_frames - 300)
    out = subprocess.run([tool, path, str(first), str(partner_frames + 30)],
                         capture_output=True, text=True, check=True).stdout
    psnr, frame = out.split()
    return float(psnr), int(frame)


@unittest.skipUnless(can_use_netns(), "needs root and ip netns")
class WholeCall(unittest.TestCase):
    def setUp(self):
        self.pair = NetnsPair().__enter__()
        self.terminals = []

    def tearDown(self):
        try:
            close_terminals(self, self.terminals)
        finally:
            self.pair.__exit__(None, None, None)

    def start(self, name, netns, tone_hz, **ptpsetup):
        t = Terminal(name, netns=netns, alsa_tone_hz=tone_hz)
        photos = os.path.join(t.root, "photos")
        os.makedirs(photos)
        with open(os.path.join(t.workdir, "system.ini"), "wb") as f:
            f.write(ini(photos, **ptpsetup).encode("gbk"))
        t.photos = photos
        t.start()
        self.terminals.append(t)
        return t

    def call(self, a, b):
        reply = b.request("call %s %d" % (NetnsPair.ADDRESS_A, SERVICE_PORT))
        self.assertTrue(reply.get("ok"), reply)
        for t in (a, b):
            status = t.wait_status(media_is(ALL_OPEN), 30)
            self.assertTrue(media_is(ALL_OPEN)(status), "%s: %s" % (t.name, status["media"]))

    def wait_pictures(self, t, more_than):
        status = t.wait_status(lambda s: s["counters"]["framesShown"] > more_than, 30)
        self.assertGreater(status["counters"]["framesShown"], more_than,
                           "%s: %s" % (t.name, status["counters"]))
        return status["counters"]["framesShown"]

    def take_snapshot(self, t):
        before = t.status()["counters"]["snapshotsWritten"]
        self.assertTrue(t.invoke(SNAPSHOT)["ok"])
        t.wait_status(lambda s: s["counters"]["snapshotsWritten"] > before, 20)
        files = sorted(glob.glob(os.path.join(t.photos, "*.bmp")))
        self.assertTrue(files, "%s wrote no snapshot" % t.name)
        return files[-1]

    def test_whole_call(self):
        a = self.start("a", self.pair.ns_a, 440, ptpservice="Y", ptpacceptcall="Y",
                       ptpdirectenter="Y")
        b = self.start("b", self.pair.ns_b, 660, callonekey="Y")
        a.wait_status(lambda s: s["panes"][3] == "服务已开启，监听中...")
        self.call(a, b)

        # Pictures both ways, each close to the partner's test picture.
        for t in (a, b):
            self.wait_pictures(t, 30)
        for t, partner in ((a, b), (b, a)):
            snapshot = self.take_snapshot(t)
            psnr, frame = snapshot_psnr(snapshot, partner.status()["counters"]["framesCaptured"])
            print("%s: snapshot PSNR %.2f dB against test picture %d" % (t.name, psnr, frame),
                  file=sys.stderr)
            self.assertGreater(psnr, 30.0, "%s: best frame %d" % (t.name, frame))

        # Sound both ways: 440 Hz from A is played on B, 660 Hz from B on A.
        for listener, tone in ((b, 440), (a, 660)):
            enough = wait_until(lambda: len(listener.alsa.played_samples()) >= 8192, 30)
            self.assertTrue(enough, "%s played too little sound" % listener.name)
            heard = dominant_frequency(listener.alsa.played_samples()[-4096:], RATE_HZ,
                                       low_hz=300, high_hz=800, step_hz=2)
            print("%s heard %d Hz" % (listener.name, heard), file=sys.stderr)
            self.assertLess(abs(heard - tone), 10, "%s heard %d Hz" % (listener.name, heard))

        # One-key twice on B closes exactly what it opened, then reopens.
        b.invoke(ONE_KEY)
        status = b.wait_status(media_is(ALL_CLOSED))
        self.assertTrue(media_is(ALL_CLOSED)(status), status["media"])
        self.assertTrue(status["call"]["connected"])
        b.invoke(ONE_KEY)
        shown = b.wait_status(media_is(ALL_OPEN))["counters"]["framesShown"]
        self.wait_pictures(b, shown + 10)

        # B hangs up: both sides close their media; A listens again.
        b.invoke(HANG_UP)
        for t in (a, b):
            status = t.wait_status(media_is(ALL_CLOSED))
            self.assertTrue(media_is(ALL_CLOSED)(status), "%s: %s" % (t.name, status["media"]))
        a.wait_status(lambda s: s["panes"][3] == "服务已开启，监听中...")

        # The caller leaves with every stream open; A sees the closing word.
        self.call(a, b)
        self.assertEqual(b.quit(), 0, b.stderr())
        status = a.wait_status(lambda s: s["panes"][1] == "对方已断开连接！")
        self.assertEqual(status["panes"][1], "对方已断开连接！")
        a.wait_status(media_is(ALL_CLOSED))

        # The called side leaves with every stream open; B sees the closing word.
        b2 = self.start("b2", self.pair.ns_b, 660, callonekey="Y")
        a.wait_status(lambda s: s["panes"][3] == "服务已开启，监听中...")
        self.call(a, b2)
        self.assertEqual(a.quit(), 0, a.stderr())
        status = b2.wait_status(lambda s: s["panes"][1] == "对方已停止服务！")
        self.assertEqual(status["panes"][1], "对方已停止服务！")
        self.assertEqual(b2.quit(), 0, b2.stderr())


if __name__ == "__main__":
    unittest.main(verbosity=2)
