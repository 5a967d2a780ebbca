"""F11 on a screen without a 640 x 480 mode, with or without a window
manager: full screen fills the whole screen, the picture letterboxed into
it; F11 again gives the window back at its size. Without a window manager
nobody carries out a full-screen request, so the game must cover the screen
itself and draw for the window it really has.

usage: fullscreen_e2e.py GAME_EXECUTABLE OUTPUT_FOLDER [openbox]
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x_session import MENU_LOGO, XSession, is_menu, run  # noqa: E402

GAME, OUT = sys.argv[1], sys.argv[2]
MANAGER = sys.argv[3] if len(sys.argv) > 3 else None
SCREEN = (960, 540)
LETTERBOX = (120, 0, 720, 540)  # 640 x 480 scaled by 9/8, centred
session = XSession(SCREEN)


def output(*args):
    return subprocess.run(args, env=session.env, check=True, capture_output=True, text=True,
                          timeout=60).stdout


def window_geometry():
    window = output("xdotool", "search", "--sync", "--name", "^ORBOLO").split()[0]
    shell = dict(line.split("=") for line in output(
        "xdotool", "getwindowgeometry", "--shell", window).split())
    return window, tuple(int(shell[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


def wait_for_geometry(name, size):
    return session.wait_for(name, lambda _: window_geometry()[1][2:] == size, area=(0, 0, 8, 8))


def steps():
    window, (x, y, width, height) = window_geometry()
    assert (width, height) == (640, 480), f"the window opened at {width} x {height}"
    session.wait_for("menu-in-window", is_menu, still=MENU_LOGO, area=(x, y, width, height))
    session.xdotool("windowfocus", window)
    session.key("F11")
    wait_for_geometry("covers-the-screen", SCREEN)
    session.wait_for("menu-letterboxed", is_menu, area=LETTERBOX)

    session.key("F11")
    wait_for_geometry("window-again", (640, 480))
    _, area = window_geometry()
    session.wait_for("menu-in-window-again", is_menu, area=area)


def start_manager():
    if not MANAGER:
        return None
    manager = subprocess.Popen([MANAGER], env=session.env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    session.wait_for(MANAGER + "-running", lambda _: "window id" in output(
        "xprop", "-root", "_NET_SUPPORTING_WM_CHECK"), area=(0, 0, 8, 8))
    return manager


manager = start_manager()
try:
    run(session, GAME, OUT, steps, "full screen " + (f"under {MANAGER}" if MANAGER else
                                                     "without a window manager"))
finally:
    if manager:
        manager.kill()
        manager.wait()
