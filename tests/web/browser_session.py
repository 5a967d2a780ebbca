"""Headless Chromium (Debian's) driven over its DevTools protocol, with the
same moves as the X session: the page's pointer, clicks held for 100 ms,
keys, and screenshots of the 640 x 480 viewport as Screen objects. The
protocol's websocket is spoken here with the standard library alone."""
import base64
import json
import os
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time
import urllib.request

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from x_session import HEIGHT, WIDTH, Screen, XSession, crop_arguments  # noqa: E402

CHROMIUM_FLAGS = ["--headless=new", "--no-sandbox", "--use-angle=swiftshader",
                  "--enable-unsafe-swiftshader", "--disable-background-networking",
                  "--disable-component-update", "--disable-sync", "--no-first-run",
                  "--autoplay-policy=no-user-gesture-required", "--remote-debugging-port=0",
                  f"--window-size={WIDTH},{HEIGHT}"]
# DOM key names and codes of the keys the tests press.
KEYS = {"Return": ("Enter", "Enter", 13), "Escape": ("Escape", "Escape", 27),
        "space": (" ", "Space", 32), "BackSpace": ("Backspace", "Backspace", 8),
        **{k: (f"Arrow{k}", f"Arrow{k}", c) for k, c in
           (("Left", 37), ("Up", 38), ("Right", 39), ("Down", 40))}}


class DevTools:
    """One websocket to one page target: send a command, get its result."""

    def __init__(self, url):
        host, rest = url.split("://", 1)[1].split("/", 1)
        self.sock = socket.create_connection(tuple(host.rsplit(":", 1)), timeout=60)
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall((f"GET /{rest} HTTP/1.1\r\nHost: {host}\r\nUpgrade: websocket\r\n"
                           f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                           "Sec-WebSocket-Version: 13\r\n\r\n").encode())
        head = b""
        while b"\r\n\r\n" not in head:
            head += self.sock.recv(1)
        if b" 101 " not in head.split(b"\r\n")[0]:
            raise RuntimeError("DevTools refused the websocket: " + head.decode(errors="replace"))
        self.next_id = 0
        self.events = []

    def _read(self, n):
        data = b""
        while len(data) < n:
            chunk = self.sock.recv(n - len(data))
            if not chunk:
                raise RuntimeError("DevTools closed the websocket")
            data += chunk
        return data

    def _message(self):
        payload = b""
        while True:  # a message may come in fragments
            b0, b1 = self._read(2)
            size = b1 & 0x7F
            if size == 126:
                size = struct.unpack(">H", self._read(2))[0]
            elif size == 127:
                size = struct.unpack(">Q", self._read(8))[0]
            payload += self._read(size)
            if b0 & 0x80:
                return json.loads(payload)

    def call(self, method, **params):
        self.next_id += 1
        data = json.dumps({"id": self.next_id, "method": method, "params": params}).encode()
        mask = os.urandom(4)
        size = len(data)
        head = bytes([0x81]) + (bytes([0x80 | size]) if size < 126 else
                                bytes([0x80 | 126]) + struct.pack(">H", size) if size < 65536 else
                                bytes([0x80 | 127]) + struct.pack(">Q", size))
        self.sock.sendall(head + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(data)))
        while True:
            message = self._message()
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message["result"]
            self.events.append(message)


class BrowserSession(XSession):
    """XSession's moves (move, click, key, wait_for) on a page in Chromium."""

    def __init__(self):  # pylint: disable=super-init-not-called
        self.home = tempfile.mkdtemp(prefix="orbolo-web-")
        self.browser = subprocess.Popen(
            ["chromium", *CHROMIUM_FLAGS, f"--user-data-dir={self.home}", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.home, "DevToolsActivePort")
        end = time.time() + 60
        while not os.path.exists(port_file) or len(open(port_file).read().split()) < 2:
            if time.time() > end or self.browser.poll() is not None:
                raise RuntimeError("Chromium did not open its DevTools port")
            time.sleep(0.1)
        port = open(port_file).read().split()[0]
        pages = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list",
                                                 timeout=30))
        self.tools = DevTools(next(p for p in pages if p["type"] == "page")["webSocketDebuggerUrl"])
        self.tools.call("Emulation.setDeviceMetricsOverride", width=WIDTH, height=HEIGHT,
                        deviceScaleFactor=1, mobile=False)
        self.tools.call("Emulation.setFocusEmulationEnabled", enabled=True)
        self.game = None
        self.pointer = None
        self.shots = []

    def start_game(self, url):
        self.game = url
        self.tools.call("Page.navigate", url=url)

    def evaluate(self, expression):
        return self.tools.call("Runtime.evaluate", expression=expression,
                               returnByValue=True)["result"].get("value")

    def mouse(self, kind, x, y):
        self.tools.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                        buttons=1 if kind == "mousePressed" else 0, clickCount=1)

    def move(self, x, y):
        if self.pointer == (x, y):
            return
        spot = (x, y, min(x + 12, WIDTH), min(y + 16, HEIGHT))
        before = self.grab("before-move").region(*spot)
        self.mouse("mouseMoved", x, y)
        self.pointer = (x, y)
        self.wait_for(f"pointer-at-{x}-{y}", lambda s: s.region(*spot) != before)

    def click(self, x, y):
        self.move(x, y)
        self.mouse("mousePressed", x, y)
        time.sleep(0.1)
        self.mouse("mouseReleased", x, y)

    def key(self, name):
        key, code, number = KEYS[name] if name in KEYS else (name, f"Key{name.upper()}",
                                                            ord(name.upper()))
        text = {"text": key} if len(key) == 1 else {}
        self.tools.call("Input.dispatchKeyEvent", type="keyDown", key=key, code=code,
                        windowsVirtualKeyCode=number, **text)
        time.sleep(0.1)
        self.tools.call("Input.dispatchKeyEvent", type="keyUp", key=key, code=code,
                        windowsVirtualKeyCode=number)

    def grab(self, name="screen", area=None):
        for _ in range(100):  # a page being replaced cannot be shot for a moment
            try:
                shot = self.tools.call("Page.captureScreenshot", format="png")
                break
            except RuntimeError as error:
                if "Not attached" not in str(error):
                    raise
                time.sleep(0.1)
        png = base64.b64decode(shot["data"])
        rgb = subprocess.run(["/usr/bin/convert", "png:-", *crop_arguments(area), "-depth", "8", "rgb:-"], input=png,
                             check=True, capture_output=True).stdout
        screen = Screen(rgb)
        self.shots = self.shots[-11:] + [(name, screen)]
        return screen

    def close(self):
        self.browser.terminate()
        self.browser.wait()
        shutil.rmtree(self.home, ignore_errors=True)
