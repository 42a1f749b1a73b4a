"""Two videophone processes on loopback: call, ring, accept, refuse, chat and
hang up, driven through their --control sockets."""

import os
import socket
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from terminal import Netns, Terminal, can_use_netns, close_terminals  # noqa: E402

HANG_UP = 32775
START_SERVICE = 32810
STOP_SERVICE = 32811
CALL = 32774
CALLER_SEND = 1006
CALLED_SEND = 1022


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def ini(**sections):
    lines = []
    for section, keys in sections.items():
        lines.append("[%s]" % section)
        lines += ["%s=%s" % (k, v) for k, v in keys.items()]
    return "\n".join(lines) + "\n"


@unittest.skipUnless(can_use_netns(), "needs root and ip netns")
class TwoTerminals(unittest.TestCase):
    def setUp(self):
        self.namespace = Netns().__enter__()
        self.port = free_port()
        self.terminals = []

    def tearDown(self):
        try:
            close_terminals(self, self.terminals)
        finally:
            self.namespace.__exit__(None, None, None)

    def start(self, name, answer="yes", **ptpsetup):
        keys = {"ptpservice": "N"}
        keys.update(ptpsetup)
        text = ini(ptpsetup=keys, ipandportsetup={"rport": self.port})
        t = Terminal(name, text, netns=self.namespace.name, answer=answer).start()
        self.terminals.append(t)
        return t

    def call(self, caller, called):
        address = called.status()["settings"]["localAddress"]
        self.assertEqual(address, "127.0.0.1")
        reply = caller.request("call %s %d" % (address, self.port))
        self.assertTrue(reply.get("ok"), reply)
        return address

    def wait_pane(self, terminal, pane, text, timeout_s=15):
        status = terminal.wait_status(lambda s: s["panes"][pane] == text, timeout_s)
        self.assertEqual(status["panes"][pane], text)
        return status

    def test_call_accepted_after_asking_then_chat_both_ways_and_hang_up(self):
        a = self.start("a", answer="yes", ptpservice="Y")
        b = self.start("b")
        self.wait_pane(a, 3, "服务已开启，监听中...")
        self.call(b, a)

        status_a = self.wait_pane(a, 3, "已登录客户数:1")
        self.assertEqual(status_a["call"]["acceptedCallCount"], 1)
        self.assertEqual(status_a["panes"][1], "呼叫成功，正在通信中...")
        self.assertTrue(status_a["transcript"].endswith(")已连接本机:"))
        self.assertIn("呼叫方(", status_a["transcript"])
        self.assertIn({"caption": "远端呼叫", "text": "是否接受远端呼叫?", "answer": "yes"},
                      status_a["messages"])
        status_b = b.wait_status(lambda s: s["transcript"].startswith("对端:欢迎登录和交流!"))
        self.assertTrue(status_b["transcript"].startswith("对端:欢迎登录和交流!"))
        self.assertEqual(status_b["panes"][1], "已连接成功，正在通信中...")
        self.assertFalse(status_b["menu"][str(CALL)]["enabled"])
        self.assertTrue(status_b["menu"][str(HANG_UP)]["enabled"])

        # 49 Chinese characters and one letter are 99 GBK bytes: the longest
        # line that fits a chat block.
        longest = "视" * 49 + "a"
        for sender, send_id, receiver, text in ((b, CALLER_SEND, a, longest),
                                                (a, CALLED_SEND, b, "你好 hello"),
                                                (b, CALLER_SEND, a, "")):
            sender.request("type " + text)
            self.assertTrue(sender.invoke(send_id)["ok"])
            # The transcript widget keeps line breaks as plain "\n".
            line = "对端:" + text + "\n"
            got = receiver.wait_status(lambda s: s["transcript"].startswith(line))
            self.assertTrue(got["transcript"].startswith(line), got["transcript"])
            self.assertTrue(sender.status()["transcript"].startswith("本机：" + text + "\n"))
            self.assertEqual(sender.status()["input"], "")

        b.invoke(HANG_UP)
        self.wait_pane(b, 1, "本机已中断连接！")
        status_a = self.wait_pane(a, 1, "对方已断开连接！")
        # Listening again because the service restarts itself.
        self.assertEqual(status_a["panes"][3], "服务已开启，监听中...")
        self.assertFalse(status_a["call"]["connected"])

    def test_call_accepted_without_asking(self):
        a = self.start("a", ptpservice="Y", ptpacceptcall="Y")
        b = self.start("b")
        self.wait_pane(a, 3, "服务已开启，监听中...")
        self.call(b, a)
        status_a = self.wait_pane(a, 1, "已连接，正在通信中...")
        self.assertEqual(status_a["call"]["acceptedCallCount"], 0)
        self.assertNotIn("是否接受远端呼叫?", [m["text"] for m in status_a["messages"]])
        self.assertIn("对端(", status_a["transcript"])
        status_b = b.wait_status(lambda s: s["transcript"].startswith("对端:呼叫成功!"))
        self.assertTrue(status_b["transcript"].startswith("对端:呼叫成功!"))

    def test_refused_call_returns_both_sides_to_their_states(self):
        a = self.start("a", answer="no", ptpservice="Y")
        b = self.start("b")
        self.wait_pane(a, 3, "服务已开启，监听中...")
        self.call(b, a)
        status_b = b.wait_status(lambda s: any(
            m["text"] == "对端暂未接受您的呼叫，请稍候再拨！" for m in s["messages"]))
        self.assertIn("对端暂未接受您的呼叫，请稍候再拨！", [m["text"] for m in status_b["messages"]])
        status_b = self.wait_pane(b, 1, "本机已中断连接！")
        self.assertFalse(status_b["call"]["connected"])
        status_a = self.wait_pane(a, 1, "对方已断开连接！")
        self.assertEqual(status_a["panes"][3], "服务已开启，监听中...")
        self.assertEqual(status_a["call"]["acceptedCallCount"], 0)

    def test_stop_service_during_a_call_tells_the_caller(self):
        a = self.start("a", ptpservice="Y", ptpacceptcall="Y")
        b = self.start("b")
        self.wait_pane(a, 3, "服务已开启，监听中...")
        self.call(b, a)
        self.wait_pane(a, 1, "已连接，正在通信中...")
        a.invoke(STOP_SERVICE)
        self.wait_pane(a, 1, "本机已停止连接！")
        status_b = self.wait_pane(b, 1, "对方已停止服务！")
        self.assertTrue(status_b["menu"][str(HANG_UP)]["enabled"])
        b.invoke(HANG_UP)
        self.wait_pane(b, 1, "本机已中断连接！")

    def test_killed_caller_is_noticed_and_the_service_listens_again(self):
        a = self.start("a", ptpservice="Y", ptpacceptcall="Y")
        b = self.start("b")
        self.wait_pane(a, 3, "服务已开启，监听中...")
        self.call(b, a)
        self.wait_pane(a, 1, "已连接，正在通信中...")
        b.kill()
        status_a = self.wait_pane(a, 1, "对方已断开连接！")
        self.assertEqual(status_a["panes"][3], "服务已开启，监听中...")
        self.assertFalse(status_a["call"]["connected"])

    def test_call_to_a_closed_port_fails_with_a_message_and_the_window_stays_responsive(self):
        b = self.start("b")
        started = time.monotonic()
        reply = b.request("call 127.0.0.1 %d" % free_port())
        self.assertIn("ok", reply)
        # The window keeps answering while the connect is under way.
        status = b.wait_status(lambda s: any(m["caption"] == "提示" for m in s["messages"]), 12)
        self.assertLess(time.monotonic() - started, 12)
        self.assertTrue(any(m["caption"] == "提示" for m in status["messages"]), status)
        self.assertFalse(status["call"]["connected"])
        self.assertTrue(status["menu"][str(CALL)]["enabled"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
