"""CPU, frames and memory of the real game under Xvfb.

usage: game_metrics.py GAME_EXECUTABLE
Prints, for the idle main menu, a TopScore game at rest and a TopScore game
whose rows keep sliding (balls moving, vanishing, falling): the share of
one core, CPU milliseconds per frame (the game's whole loop, drawn or
not), and the frames skipped as unchanged; then the private memory (RssAnon) and the peak RSS. Frames and
CPU come from the game's own counts (ORBOLO_FRAME_STATS), read at one
moment each, so a slow screenshot cannot skew them.
"""
import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/e2e"))
from x_session import XSession  # noqa: E402


def wait_for(session, what, test, timeout=30):
    start = time.time()
    while time.time() - start < timeout:
        if test(session.grab()):
            return
        time.sleep(0.1)
    raise SystemExit(f"the {what} never showed")


def is_menu(screen):
    # Black band on top, night-blue artwork below it.
    r, g, b = screen.pixel(100, 300)
    return screen.pixel(5, 5) == (0, 0, 0) and b > r + 25 and b > 40


def is_play_screen(screen):
    return all(b > r + 25 for r, g, b in (screen.pixel(5, 470), screen.pixel(300, 440)))


def read_counts(path):
    """(ms, shown, skipped, cpu ms) as the game last wrote them."""
    while True:
        try:
            with open(path) as f:
                fields = f.read().split()
            if len(fields) == 4:
                return tuple(float(v) for v in fields)
        except FileNotFoundError:
            pass
        time.sleep(0.05)


def measure(path, seconds, during=None):
    """Share of a core, CPU ms per frame, share of frames skipped, frames/s."""
    first = read_counts(path)
    end = time.time() + seconds
    while time.time() < end:
        if during:
            during()
        else:
            time.sleep(0.2)
    last = read_counts(path)
    while last[0] - first[0] < 1000 * seconds * 0.9:  # the next write is due
        time.sleep(0.2)
        last = read_counts(path)
    ms, shown, skipped, cpu = (b - a for a, b in zip(first, last))
    flips = shown + skipped
    return 100 * cpu / ms, cpu / flips, 100 * skipped / flips, flips * 1000 / ms


def memory_kib(pid, field):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return 0


def report(label, figures):
    share, per_frame, skipped, rate = figures
    print(f"{label}: {share:.1f} % of one core, {per_frame:.2f} ms CPU per frame, "
          f"{skipped:.0f} % of {rate:.0f} frames/s skipped as unchanged")


def main():
    session = XSession()
    stats = os.path.join(tempfile.mkdtemp(prefix="orbolo-bench-"), "frames")
    session.env["ORBOLO_FRAME_STATS"] = stats
    try:
        session.start_game(sys.argv[1])
        pid = session.game.pid
        wait_for(session, "menu", is_menu)
        session.move(600, 250)  # on no button
        time.sleep(2)
        menu = measure(stats, 10)

        session.click(330, 318)  # START A NEW GAME
        time.sleep(2)
        session.click(390, 203)  # TopScore
        wait_for(session, "play screen", is_play_screen)
        session.move(620, 460)
        time.sleep(5)  # a starting line has vanished, the balls have fallen
        rest = measure(stats, 10)

        row = [0]

        def slide_a_row():  # each click slides one row left by one ball
            session.click(206, 87 + 34 * (row[0] % 9) + 16)
            session.move(620, 460)
            row[0] += 4
            time.sleep(0.15)

        moving = measure(stats, 10, slide_a_row)
        report("menu", menu)
        report("TopScore at rest", rest)
        report("TopScore, rows sliding", moving)
        print(f"private memory (RssAnon): {memory_kib(pid, 'RssAnon') / 1024:.1f} MiB")
        print(f"peak RSS: {memory_kib(pid, 'VmHWM') / 1024:.1f} MiB")
    finally:
        session.close()


main()
