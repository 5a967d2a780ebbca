"""A private X server and the game under it, driven as a person would, and
what the screen shows: screenshots, the game's screens told apart, and
waiting until the screen shows a state (never for a fixed time).

Xvfb runs at 640 x 480 so the game's centred window sits at (0, 0) and
screen coordinates are game coordinates. The pointer rests where the game
has drawn it before a press, and presses are held for 100 ms: a press that
comes and goes between two frames could otherwise be missed by a polling
game.
"""
import os
import shutil
import subprocess
import tempfile
import time

WIDTH, HEIGHT = 640, 480


class XSession:
    def __init__(self, screen_size=(WIDTH, HEIGHT)):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
             f"{screen_size[0]}x{screen_size[1]}x24", "-noreset", "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd, "rb") as pipe:
            number = pipe.readline().decode().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        # The game's own tables and settings stay out of the tester's home.
        self.home = home = tempfile.mkdtemp(prefix="orbolo-e2e-")
        self.env = dict(os.environ, DISPLAY=":" + number, MESA_SHADER_CACHE_DISABLE="true",
                        SDL_AUDIODRIVER=os.environ.get("SDL_AUDIODRIVER", "dummy"),
                        XDG_DATA_HOME=home + "/data", XDG_CONFIG_HOME=home + "/config")
        self.game = None
        self.shots = []  # the latest (name, screen) pairs, saved when a test fails

    def start_game(self, executable):
        self.game = subprocess.Popen([executable], env=self.env,
                                     stdout=subprocess.PIPE, stderr=subprocess.STDOUT)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True)

    def move(self, x, y):
        """Moves the pointer and, when that moves it, waits until the game
        has drawn its own pointer there: it has seen where the pointer rests,
        so a press next lands on what lies under it."""
        out = subprocess.run(["xdotool", "getmouselocation", "--shell"], env=self.env,
                             check=True, capture_output=True, text=True).stdout
        if f"X={x}\n" in out and f"Y={y}\n" in out:
            return
        spot = (x, y, min(x + 12, WIDTH), min(y + 16, HEIGHT))
        before = self.grab("before-move").region(*spot)
        self.xdotool("mousemove", x, y)
        if self.game is not None:
            self.wait_for(f"pointer-at-{x}-{y}", lambda s: s.region(*spot) != before)

    def click(self, x, y):
        self.move(x, y)
        self.xdotool("mousedown", 1)
        time.sleep(0.1)
        self.xdotool("mouseup", 1)

    def key(self, name):
        self.xdotool("keydown", name)
        time.sleep(0.1)
        self.xdotool("keyup", name)

    def grab(self, name="screen", area=None):
        """The screen, or its rectangle `area` (x, y, w, h) scaled to 640 x 480."""
        rgb = subprocess.run(["import", "-window", "root", *crop_arguments(area), "-depth", "8",
                              "rgb:-"],
                             env=self.env, check=True, capture_output=True).stdout
        screen = Screen(rgb)
        self.shots = self.shots[-11:] + [(name, screen)]
        return screen

    def wait_for(self, name, condition, timeout=60.0, still=None, area=None):
        """The first screenshot (of area) on which condition holds; generous for a
        loaded machine, a passing test returns far sooner. With `still`, a
        rectangle, also the same there as on the screenshot before: a fade
        has ended, so a press now is not dropped as stale."""
        end = time.time() + timeout
        last = None
        while True:
            screen = self.grab(name, area)
            if condition(screen):
                if still is None or (last and last.region(*still) == screen.region(*still)):
                    return screen
                last = screen
            else:
                last = None
            if time.time() > end:
                raise AssertionError("timed out waiting for " + name)
            time.sleep(0.2)

    def save_shots(self, folder):
        for i, (name, screen) in enumerate(self.shots):
            screen.save_png(os.path.join(folder, f"{i:02d}-{name}.png"))

    def close(self):
        if self.game and self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        self.xvfb.terminate()
        self.xvfb.wait()
        shutil.rmtree(self.home, ignore_errors=True)


def crop_arguments(area):
    """ImageMagick's arguments that cut `area` (x, y, w, h, or None for
    all) out of a picture and scale it to 640 x 480."""
    return [] if area is None else [
        "-crop", "{2}x{3}+{0}+{1}".format(*area), "+repage", "-resize", f"{WIDTH}x{HEIGHT}!"]


class Screen:
    """One screenshot as RGB pixels."""

    def __init__(self, rgb):
        self.rgb = rgb

    def pixel(self, x, y):
        i = 3 * (y * WIDTH + x)
        return tuple(self.rgb[i:i + 3])

    def region(self, x1, y1, x2, y2):
        return [self.rgb[3 * (y * WIDTH + x1):3 * (y * WIDTH + x2)] for y in range(y1, y2)]

    def patch(self, x, y, radius=3):
        """Mean colour of the square around (x, y)."""
        spot = [self.pixel(xx, yy) for yy in range(y - radius, y + radius + 1)
                for xx in range(x - radius, x + radius + 1)]
        return tuple(sum(p[k] for p in spot) / len(spot) for k in range(3))

    def bright_pixels(self, x1, y1, x2, y2):
        return sum(1 for y in range(y1, y2) for x in range(x1, x2) if sum(self.pixel(x, y)) > 450)

    def save_png(self, path):
        subprocess.run(["convert", "-size", f"{WIDTH}x{HEIGHT}", "-depth", "8", "rgb:-", path],
                       input=self.rgb, check=True)


def distance(a, b):
    return sum((p - q) ** 2 for p, q in zip(a, b)) ** 0.5


def bluish(colour):
    r, g, b = colour
    return b > 40 and b > r + 25


def is_menu(screen):
    # A black band over night-blue artwork, the menu's plate in it.
    return sum(screen.pixel(5, 5)) < 30 and bluish(screen.pixel(100, 300)) and \
        bluish(screen.pixel(210, 320)) and bluish(screen.pixel(60, 150))


def is_mode_selection(screen):
    return screen.bright_pixels(230, 70, 560, 95) > 200 and sum(screen.pixel(600, 250)) < 30


def is_play_screen(screen):
    # The side panel, the field behind the arrows, the bottom bar.
    return bluish(screen.pixel(5, 470)) and bluish(screen.pixel(160, 240)) and \
        bluish(screen.pixel(300, 440))


# Rectangles that stand still once each screen has faded in.
MENU_LOGO = (100, 150, 540, 230)
MODE_CARDS = (20, 65, 175, 410)
PLAY_BUTTONS = (0, 310, 150, 420)


def run(session, game, out, steps, label):
    """Starts the game and runs steps(); on a failure keeps the last
    screenshots and prints the game's output."""
    os.makedirs(out, exist_ok=True)
    try:
        session.start_game(game)
        steps()
        print(f"{label}: 1 passed, 0 failed")
    except Exception:
        session.save_shots(out)
        if session.game and session.game.poll() is None:
            session.game.kill()
        print("game output:\n" + (session.game.stdout.read().decode(errors="replace")
                                  if session.game else ""))
        raise
    finally:
        session.close()


def start_mode(session, y):
    """From the menu to a new game of the mode card at height y."""
    session.wait_for("menu", is_menu, still=MENU_LOGO)
    session.click(330, 318)  # START A NEW GAME
    session.wait_for("mode-selection", is_mode_selection, still=MODE_CARDS)
    session.click(390, y)
    session.wait_for("play", is_play_screen, still=PLAY_BUTTONS)
    session.move(620, 460)
