"""End to end: with no score server chosen, "QUIT THE GAME AND VIEW THE
ONLINE HIGHSCORES" ends the game and opens the listing page that the game
wrote under $XDG_DATA_HOME/orbolo/; no process the game started stays.

usage: local_scores_e2e.py GAME_EXECUTABLE SCREENSHOT_DIR
"""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x_session import XSession, is_menu, run  # noqa: E402

GAME, OUT = sys.argv[1:3]
session = XSession()
# The desktop's opener, stood in for: it notes what it was asked to open.
opened = os.path.join(session.home, "opened")
opener = os.path.join(session.home, "bin", "xdg-open")
os.makedirs(os.path.dirname(opener))
with open(opener, "w") as script:
    script.write(f'#!/bin/sh\nprintf %s "$1" > "{opened}.part" && mv "{opened}.part" "{opened}"\n')
os.chmod(opener, 0o755)
session.env["PATH"] = os.path.dirname(opener) + ":" + session.env["PATH"]
session.env.pop("ORBOLO_SCORE_SERVER", None)


def wait_until(what, condition, timeout=60.0):
    end = time.time() + timeout
    while not condition():
        if time.time() > end:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.25)


def survivors():
    """Processes that carry this session's data folder: the game's own."""
    mark = ("XDG_DATA_HOME=" + session.env["XDG_DATA_HOME"]).encode()
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/environ", "rb") as environ:
                if mark in environ.read().split(b"\0"):
                    found.append(pid)
        except OSError:
            pass
    return found


def steps():
    session.wait_for("menu", is_menu)
    session.click(330, 369)  # QUIT THE GAME AND VIEW THE ONLINE HIGHSCORES
    code = session.game.wait(timeout=60)
    assert code == 0, f"the game ended with code {code}"
    wait_until("the opener", lambda: os.path.exists(opened))
    page = os.path.join(session.env["XDG_DATA_HOME"], "orbolo", "highscores.html")
    assert open(opened).read() == page, "opened " + open(opened).read()
    assert open(page).read().startswith("<!DOCTYPE html>"), "not the listing page"
    wait_until("every process the game started to end", lambda: not survivors(), timeout=20)


run(session, GAME, OUT, steps, "local highscores end to end")
