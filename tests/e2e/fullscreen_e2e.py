"""F11 on a 960 x 540 screen, bare (the game must cover it itself) or under a
window manager: the picture fills the screen, letterboxed; F11 again gives
the window back at its size.

usage: fullscreen_e2e.py GAME_EXECUTABLE OUTPUT_FOLDER bare|WINDOW_MANAGER
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x_session import MENU_LOGO, XSession, is_menu, run  # noqa: E402

GAME, OUT, MANAGER = sys.argv[1:4]
session = XSession((960, 540))


def output(*args):
    return subprocess.run(args, env=session.env, capture_output=True, text=True, timeout=60).stdout


def game_window():
    """Its id and (x, y, width, height)."""
    shell = output("xdotool", "search", "--sync", "--name", "^ORBOLO", "getwindowgeometry",
                   "--shell")
    g = dict(v.split("=") for v in shell.split())
    return g["WINDOW"], tuple(int(g[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


def menu_fills(name, size, area=None):
    session.wait_for(name, lambda _: game_window()[1][2:] == size, area=(0, 0, 8, 8))
    session.wait_for(name, is_menu, still=MENU_LOGO, area=area or game_window()[1])


def steps():
    menu_fills("menu-in-window", (640, 480))
    session.xdotool("windowfocus", game_window()[0])
    session.key("F11")
    menu_fills("menu-letterboxed", (960, 540), (120, 0, 720, 540))
    session.key("F11")
    menu_fills("menu-in-window-again", (640, 480))


if MANAGER != "bare":
    subprocess.Popen([MANAGER], env=session.env, stderr=subprocess.DEVNULL)
    session.wait_for(MANAGER, lambda _: "window id" in output(
        "xprop", "-root", "_NET_SUPPORTING_WM_CHECK"), area=(0, 0, 8, 8))
run(session, GAME, OUT, steps, "full screen under " + MANAGER)
