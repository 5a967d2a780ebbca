"""A private X server and the game under it, driven as a person would.

Xvfb runs at 640 x 480 so the game's centred window sits at (0, 0) and
screen coordinates are game coordinates. Presses are held for 100 ms and
keys typed with a delay: a press that comes and goes between two frames
could otherwise be missed by a polling game.
"""
import os
import shutil
import subprocess
import tempfile
import time


class XSession:
    def __init__(self, width=640, height=480):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
             f"{width}x{height}x24", "-noreset", "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        with os.fdopen(read_fd, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise RuntimeError("Xvfb did not start")
                number += chunk
        self.display = ":" + number.decode().strip()
        # The game's own tables and settings stay out of the tester's home.
        self.home = home = tempfile.mkdtemp(prefix="orbolo-e2e-")
        self.env = dict(os.environ, DISPLAY=self.display, MESA_SHADER_CACHE_DISABLE="true",
                        SDL_AUDIODRIVER=os.environ.get("SDL_AUDIODRIVER", "dummy"),
                        XDG_DATA_HOME=home + "/data", XDG_CONFIG_HOME=home + "/config")
        self.game = None

    def start_game(self, executable):
        self.game = subprocess.Popen([executable], env=self.env,
                                     stdout=subprocess.PIPE, stderr=subprocess.STDOUT)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True)

    def move(self, x, y):
        self.xdotool("mousemove", x, y)
        time.sleep(0.15)

    def click(self, x, y):
        self.move(x, y)
        self.xdotool("mousedown", 1)
        time.sleep(0.1)
        self.xdotool("mouseup", 1)

    def key(self, name):
        self.xdotool("keydown", name)
        time.sleep(0.1)
        self.xdotool("keyup", name)

    def grab(self):
        xwd = subprocess.run(["xwd", "-root", "-silent"], env=self.env, check=True,
                             capture_output=True).stdout
        ppm = subprocess.run(["/usr/bin/convert", "xwd:-", "ppm:-"], input=xwd, check=True,
                             capture_output=True).stdout
        return Screen(ppm)

    def close(self):
        if self.game and self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        self.xvfb.terminate()
        self.xvfb.wait()
        shutil.rmtree(self.home, ignore_errors=True)


class Screen:
    """One screenshot as RGB pixels."""

    def __init__(self, ppm):
        # Header: magic, width, height, maximum, each after white space or
        # comment lines; then one byte of white space and the pixels.
        fields, i = [], 0
        while len(fields) < 4:
            if i >= len(ppm):
                raise ValueError("not a PPM picture")
            while ppm[i:i + 1].isspace():
                i += 1
            if ppm[i:i + 1] == b"#":
                i = ppm.index(b"\n", i) + 1
                continue
            j = i
            while not ppm[j:j + 1].isspace():
                j += 1
            fields.append(ppm[i:j])
            i = j
        if fields[0] != b"P6" or int(fields[3]) != 255:
            raise ValueError("not an 8-bit PPM picture")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = ppm[i + 1:]
        self.ppm = ppm

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def patch(self, x, y, radius=3):
        """Mean colour of the square around (x, y)."""
        total = [0, 0, 0]
        n = 0
        for yy in range(y - radius, y + radius + 1):
            for xx in range(x - radius, x + radius + 1):
                for k, v in enumerate(self.pixel(xx, yy)):
                    total[k] += v
                n += 1
        return tuple(v / n for v in total)

    def save_png(self, path):
        subprocess.run(["/usr/bin/convert", "ppm:-", path], input=self.ppm, check=True)


def distance(a, b):
    return sum((p - q) ** 2 for p, q in zip(a, b)) ** 0.5
