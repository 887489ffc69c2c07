#!/usr/bin/env python3
"""Drives the control API from outside, as a third-party client would.

Starts zam-camsim on a pseudo-terminal and `zam-ctl serve --api` on it, then
talks to the hub through a WebSocket client written here from RFC 6455 with
nothing but Python's standard library (no Qt, none of the panel's code), and
checks what reaches the cameras in zam-camsim's own packet log:

  - commands lists the catalog; send puts the exact packet on the line and
    answers its completion;
  - a value out of range is refused and nothing is sent;
  - a move that is not renewed is stopped by its dead-man time;
  - a client that goes away mid-move gets its stop at once;
  - a handshake from a foreign web page (Origin) is refused;
  - status answers the decoded status;
  - OSC datagrams (encoded here too) to `serve --osc` on the same hub put
    their packets on the line, are answered with /zam/reply, and a move
    that is not renewed is stopped.

    scripts/api-smoke.py [BUILD_DIR]      (default: build)

Exits 0 when every check passes, 1 with the failures listed otherwise.
"""

import base64
import hashlib
import json
import os
import select
import socket
import struct
import subprocess
import sys
import time

GUID = b"258EAFA5-E914-47DA-95CA-C5AB0DC85B11"


def osc_string(text):
    b = text.encode() + b"\0"
    return b + b"\0" * (-len(b) % 4)


def osc_message(address, *ints):
    """An OSC message of int32 arguments, as the OSC 1.0 layout has it."""
    return (osc_string(address) + osc_string("," + "i" * len(ints))
            + b"".join(struct.pack(">i", v) for v in ints))


def osc_strings(datagram):
    """The address and the string arguments of a reply."""
    out, at = [], 0
    while at < len(datagram):
        end = datagram.index(b"\0", at)
        out.append(datagram[at:end].decode())
        at = end + 1 + (-(end + 1 - at) % 4)
    return [out[0]] + out[2:]


class WebSocket:
    """A minimal RFC 6455 client: text frames out (masked), frames in."""

    def __init__(self, host, port, origin=None, timeout=5.0):
        self.sock = socket.create_connection((host, port), timeout=timeout)
        key = base64.b64encode(os.urandom(16))
        lines = [
            "GET / HTTP/1.1",
            f"Host: {host}:{port}",
            "Upgrade: websocket",
            "Connection: Upgrade",
            f"Sec-WebSocket-Key: {key.decode()}",
            "Sec-WebSocket-Version: 13",
        ]
        if origin:
            lines.append(f"Origin: {origin}")
        self.sock.sendall(("\r\n".join(lines) + "\r\n\r\n").encode())
        head = b""
        while b"\r\n\r\n" not in head:
            chunk = self.sock.recv(4096)
            if not chunk:
                raise ConnectionError("the server closed the connection during the handshake")
            head += chunk
        head, self.buffer = head.split(b"\r\n\r\n", 1)
        status = head.split(b"\r\n")[0].decode(errors="replace")
        self.status = status
        if " 101 " not in status + " ":
            raise ConnectionRefusedError(status)
        accept = base64.b64encode(hashlib.sha1(key + GUID).digest())
        headers = {}
        for line in head.split(b"\r\n")[1:]:
            name, _, value = line.partition(b":")
            headers[name.strip().lower()] = value.strip()
        if headers.get(b"sec-websocket-accept") != accept:
            raise ConnectionError("wrong Sec-WebSocket-Accept")

    def send_text(self, text):
        payload = text.encode()
        mask = os.urandom(4)
        n = len(payload)
        if n < 126:
            header = struct.pack("!BB", 0x81, 0x80 | n)
        elif n < 65536:
            header = struct.pack("!BBH", 0x81, 0x80 | 126, n)
        else:
            header = struct.pack("!BBQ", 0x81, 0x80 | 127, n)
        body = bytes(b ^ mask[i % 4] for i, b in enumerate(payload))
        self.sock.sendall(header + mask + body)

    def _read(self, n, deadline):
        while len(self.buffer) < n:
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError("no frame in time")
            self.sock.settimeout(left)
            chunk = self.sock.recv(65536)
            if not chunk:
                raise ConnectionError("the server closed the connection")
            self.buffer += chunk
        out, self.buffer = self.buffer[:n], self.buffer[n:]
        return out

    def receive_text(self, timeout=5.0):
        deadline = time.monotonic() + timeout
        message = b""
        while True:
            b0, b1 = self._read(2, deadline)
            opcode, final = b0 & 0x0F, b0 & 0x80
            n = b1 & 0x7F
            if n == 126:
                (n,) = struct.unpack("!H", self._read(2, deadline))
            elif n == 127:
                (n,) = struct.unpack("!Q", self._read(8, deadline))
            if b1 & 0x80:
                raise ConnectionError("the server masked a frame")
            payload = self._read(n, deadline)
            if opcode == 0x8:
                raise ConnectionError("the server closed the connection")
            if opcode == 0x9:  # ping: answer with the same payload
                mask = os.urandom(4)
                body = bytes(b ^ mask[i % 4] for i, b in enumerate(payload))
                self.sock.sendall(struct.pack("!BB", 0x8A, 0x80 | n) + mask + body)
                continue
            if opcode in (0x1, 0x0):
                message += payload
                if final:
                    return message.decode()

    def request(self, obj, timeout=10.0):
        """Sends a request and answers its reply (events are passed over)."""
        self.send_text(json.dumps(obj))
        deadline = time.monotonic() + timeout
        while True:
            reply = json.loads(self.receive_text(max(0.1, deadline - time.monotonic())))
            if "event" not in reply and reply.get("id") == obj.get("id"):
                return reply

    def drop(self):
        """Goes away without a closing handshake, as a crashed client does."""
        self.sock.close()


class Camsim:
    """zam-camsim and the packets it reports, one line each."""

    def __init__(self, build):
        self.proc = subprocess.Popen(
            [os.path.join(build, "sim", "zam-camsim"), "-c", "2"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.pending = b""
        self.packets = []
        self.device = self._line(5.0)
        if not self.device:
            raise RuntimeError("zam-camsim printed no device")

    def _line(self, timeout):
        deadline = time.monotonic() + timeout
        while b"\n" not in self.pending:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.proc.stdout], [], [], left)[0]:
                return None
            chunk = os.read(self.proc.stdout.fileno(), 4096)
            if not chunk:
                return None
            self.pending += chunk
        line, self.pending = self.pending.split(b"\n", 1)
        return line.decode().strip()

    def collect(self, seconds):
        """The packets received within `seconds` more."""
        deadline = time.monotonic() + seconds
        while True:
            line = self._line(max(0.0, deadline - time.monotonic()))
            if line is None:
                return self.packets
            self.packets.append(line)

    def since(self, mark, seconds=0.3):
        return self.collect(seconds)[mark:]


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    failures = []

    def check(ok, what):
        print(("ok    " if ok else "FAIL  ") + what)
        if not ok:
            failures.append(what)

    cams = Camsim(build)
    serve = subprocess.Popen(
        [os.path.join(build, "cli", "zam-ctl"), "-p", cams.device, "serve", "--api", "127.0.0.1:0",
         "--osc", "127.0.0.1:0"],
        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    try:
        url = osc_url = None
        deadline = time.monotonic() + 20
        while (url is None or osc_url is None) and time.monotonic() < deadline:
            line = serve.stdout.readline()
            if not line:
                break
            if line.startswith("serving the control API on "):
                url = line.split()[-1]
            if line.startswith("serving the control API's OSC on "):
                osc_url = line.split()[-1]
        if url is None or osc_url is None:
            print("zam-ctl serve did not start")
            return 1
        host, port = url[len("ws://"):].rstrip("/").rsplit(":", 1)
        port = int(port)
        cams.collect(0.3)  # the start-up's packets

        ws = WebSocket(host, port)
        reply = ws.request({"id": 1, "op": "commands"})
        names = [c.get("command") for c in reply.get("commands", [])]
        check(reply.get("ok") and "ZoomTele" in names, "commands lists the catalog")

        mark = len(cams.collect(0.1))
        reply = ws.request({"id": 2, "op": "send", "camera": 1, "command": "ZoomTele",
                            "values": [5]})
        check(reply.get("ok") and reply.get("result") == "completed"
              and reply.get("sent") == "81 01 04 07 25 FF", "send answers its completion")
        check(cams.since(mark) == ["81 01 04 07 25 FF"], "send puts the exact packet on the line")

        mark = len(cams.packets)
        reply = ws.request({"id": 3, "op": "send", "camera": 1, "command": "ZoomTele",
                            "values": [9]})
        check(not reply.get("ok") and reply["error"]["code"] == "out-of-range",
              "a value out of range is refused")
        check(cams.since(mark) == [], "a refused value sends nothing")

        mark = len(cams.packets)
        reply = ws.request({"id": 4, "op": "move", "camera": 2, "axis": "zoom", "speed": 3,
                            "deadmanMs": 300})
        check(reply.get("ok"), "move starts")
        check(cams.since(mark, 0.8) == ["82 01 04 07 23 FF", "82 01 04 07 00 FF"],
              "a move not renewed is stopped by its dead-man time")

        mark = len(cams.packets)
        other = WebSocket(host, port)
        reply = other.request({"id": 5, "op": "move", "camera": 1, "axis": "focus", "speed": -2,
                               "deadmanMs": 5000})
        cams.collect(0.1)
        other.drop()
        check(cams.since(mark, 0.5) == ["81 01 04 08 32 FF", "81 01 04 08 00 FF"],
              "a client that goes away has its move stopped")

        try:
            WebSocket(host, port, origin="http://evil.example")
            check(False, "a foreign web page's handshake is refused")
        except (ConnectionRefusedError, ConnectionError):
            check(True, "a foreign web page's handshake is refused")

        reply = ws.request({"id": 6, "op": "status", "camera": 1})
        check(reply.get("ok") and "version" in json.dumps(reply), "status answers the status")
        ws.drop()

        osc_host, osc_port = osc_url[len("osc.udp://"):].rsplit(":", 1)
        udp = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        udp.settimeout(5)
        mark = len(cams.collect(0.1))
        udp.sendto(osc_message("/zam/1/preset/recall", 2), (osc_host, int(osc_port)))
        check(osc_strings(udp.recv(65536)) == ["/zam/reply", "/zam/1/preset/recall", "ok",
                                               "completed"], "OSC: a preset recall is answered")
        check(cams.since(mark) == ["81 01 04 3F 02 02 FF"],
              "OSC: a preset recall puts its packet on the line")
        mark = len(cams.packets)
        udp.sendto(osc_message("/zam/2/focus", -4, 300), (osc_host, int(osc_port)))
        check(osc_strings(udp.recv(65536))[2] == "ok", "OSC: a move starts")
        check(cams.since(mark, 0.8) == ["82 01 04 08 34 FF", "82 01 04 08 00 FF"],
              "OSC: a move not renewed is stopped by its dead-man time")
        udp.close()
    finally:
        serve.terminate()
        try:
            serve.wait(5)
        except subprocess.TimeoutExpired:
            serve.kill()
        cams.proc.terminate()
        cams.proc.wait(5)

    print(f"{len(failures)} of the checks failed" if failures else "every check passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
