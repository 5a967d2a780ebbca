"""Start-up time, CPU share and peak memory of the real game under Xvfb.

usage: game_metrics.py GAME_EXECUTABLE
Prints: time to the first frame shown, time to the menu, CPU share of one
core idling on the menu and during a TimeAttack game, and peak RSS.
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/e2e"))
from x_session import XSession  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def peak_rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def cpu_share(pid, seconds):
    c0, t0 = cpu_seconds(pid), time.time()
    time.sleep(seconds)
    return (cpu_seconds(pid) - c0) / (time.time() - t0)


def main():
    session = XSession()
    try:
        start = time.time()
        session.start_game(sys.argv[1])
        pid = session.game.pid
        first = None
        while time.time() - start < 20:
            screen = session.grab()
            if first is None and screen.pixel(320, 240) != (0, 0, 0):
                first = time.time() - start
            # The menu: black band on top, night-blue artwork below it.
            r, g, b = screen.pixel(100, 300)
            if screen.pixel(5, 5) == (0, 0, 0) and b > r + 25 and b > 40:
                menu = time.time() - start
                break
        else:
            raise SystemExit("the menu never showed")
        session.move(600, 250)
        idle = cpu_share(pid, 10)
        session.click(330, 318)  # START A NEW GAME
        time.sleep(2)
        session.click(390, 85)  # TimeAttack
        time.sleep(3)
        session.move(206, 240)
        playing = cpu_share(pid, 10)
        print(f"first frame shown: {first:.2f} s")
        print(f"menu after the intro: {menu:.2f} s")
        print(f"CPU on the menu: {100 * idle:.1f} % of one core")
        print(f"CPU in a TimeAttack game: {100 * playing:.1f} % of one core")
        print(f"peak RSS: {peak_rss_kib(pid) / 1024:.1f} MiB")
    finally:
        session.close()


main()
