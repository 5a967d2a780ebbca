"""The game built for the browser, in headless Chromium, served by a real
orbolo-scored on 127.0.0.1 under /play/: the files' types, gzip and cache
answers; the menu compared at fixed pixels with the desktop game's; NEW
GAME -> TOPSCORE by clicks; a row slid by a click and one by keys; then the
bot plays a whole game and the server lists the name typed at its end,
verified; its replay, linked from the listing, plays in the page.

usage: browser_e2e.py WEB_FOLDER GAME BOT_MOVE SCORE_SERVER OUTPUT_FOLDER
Exits 77 (skipped) when WEB_FOLDER holds no web build.
"""
import gzip
import os
import re
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from board_reader import EMPTY, ball_references, changed, has_line, settled, shifted_left  # noqa
from bot_player import enter_name, play_top_score  # noqa: E402
from browser_session import BrowserSession  # noqa: E402
from x_session import MENU_LOGO, XSession, distance, is_menu, is_play_screen, start_mode  # noqa

WEB, GAME, BOT, SERVER_BIN, OUT = sys.argv[1:6]
REFS = ball_references(os.path.join(os.path.dirname(GAME), "gfx", "play2.tga"))
KEY_FRAME = (255, 216, 51)  # the row cursor's frame
# A grid over the menu, clear of the pointer resting at (620, 470).
MENU_POINTS = [(x, y) for x in range(8, 600, 24) for y in range(8, 450, 22)]


def fetch(path, **headers):
    request = urllib.request.Request(ADDRESS + path, headers=headers)
    try:
        with urllib.request.urlopen(request, timeout=10) as answer:
            return answer.status, answer.headers, answer.read()
    except urllib.error.HTTPError as error:
        return error.code, error.headers, b""


def serving_checks():
    status, headers, body = fetch("/play/orbolo.wasm", **{"Accept-Encoding": "gzip"})
    assert (status, headers["Content-Type"], headers["Content-Encoding"]) == \
        (200, "application/wasm", "gzip"), f"{status} {dict(headers)}"
    assert gzip.decompress(body) == open(os.path.join(WEB, "orbolo.wasm"), "rb").read()
    assert fetch("/play/orbolo.wasm", **{"If-None-Match": headers["ETag"]})[0] == 304
    assert fetch("/play/../CMakeCache.txt")[0] == 404
    listing = fetch("/highscores/orbolo/")[2].decode()
    assert '<a href="/play/">Play in your browser</a>' in listing, listing


def desktop_menu():
    desktop = XSession()
    try:
        desktop.start_game(GAME)
        desktop.move(620, 470)
        return desktop.wait_for("desktop-menu", is_menu, still=MENU_LOGO)
    finally:
        desktop.close()


def cursor_row(screen):
    # The top edge of the frame around a row's left arrow.
    return next((r for r in range(9) if distance(screen.pixel(200, 86 + 34 * r), KEY_FRAME) < 30),
                None)


def slide_by_click(session):
    board = settled(session, REFS)
    row = next(r for r in range(9) if EMPTY not in board[r] and
               not has_line(shifted_left(board, r)))
    session.click(206, 87 + 34 * row + 16)
    session.move(620, 460)
    after = changed(session, REFS, board)
    assert after == shifted_left(board, row), "\n".join(board) + "\nthen\n" + "\n".join(after)


def slide_by_keys(session):
    board = settled(session, REFS)
    right = [[line[-1] + line[:-1] if i == r else line for i, line in enumerate(board)]
             for r in range(9)]
    row = next(r for r in range(9) if EMPTY not in "".join(board[r:]) and not has_line(right[r]))
    for _ in range(12):  # the first key may only show the cursor
        current = cursor_row(session.grab("cursor"))
        if current == row:
            break
        session.key("Down" if current is None or current < row else "Up")
        session.wait_for("cursor-moved", lambda s: cursor_row(s) not in (None, current))
    session.key("Right")
    after = changed(session, REFS, board)
    assert after == right[row], "\n".join(board) + "\nthen\n" + "\n".join(after)


def watch_listed_replay(session):
    """The listing's "in browser" link plays the verified game back in the
    page, sped up by keys; quitting it leaves a way back, not a black page."""
    listing = fetch("/highscores/orbolo/")[2].decode()
    link = re.search(r'href="(/play/\?replay=[0-9]+)">in browser<', listing).group(1)
    session.start_game(ADDRESS + link)
    session.wait_for("replay", is_play_screen, timeout=180)
    session.key("Right")
    changed(session, REFS, settled(session, REFS))
    session.key("q")
    end = time.time() + 60
    while "ORBOLO has ended" not in (session.evaluate("document.body.innerText") or ""):
        if time.time() > end:
            raise AssertionError("quitting the replay left no way back")
        time.sleep(0.2)


def steps(session, reference):
    session.start_game(ADDRESS + "/play/")

    def menu_with_pointer_aside(screen):
        # Until the page hears of the pointer, the game draws it at (0, 0).
        session.mouse("mouseMoved", 620, 470)
        return is_menu(screen)
    session.wait_for("menu", menu_with_pointer_aside, timeout=180)
    session.pointer = (620, 470)
    differing = lambda s: [(x, y) for x, y in MENU_POINTS  # noqa: E731
                           if distance(s.pixel(x, y), reference.pixel(x, y)) > 24]
    menu = session.wait_for("menu-like-desktop", lambda s: len(differing(s)) < 4, still=MENU_LOGO)
    print(f"menu: {len(MENU_POINTS) - len(differing(menu))} of {len(MENU_POINTS)} points "
          "as on the desktop")
    start_mode(session, 203)  # NEW GAME -> TOPSCORE, by clicks
    slide_by_click(session)
    slide_by_keys(session)
    moves = play_top_score(session, REFS, BOT, started=True)
    print(f"TopScore game over after {len(moves)} moves")
    enter_name(session, "WEB PLAYER", ADDRESS)
    watch_listed_replay(session)


if not os.path.exists(os.path.join(WEB, "index.html")):
    print(f"no web build in {WEB} (bash packaging/web/build_web.sh makes it): skipped")
    sys.exit(77)
os.makedirs(OUT, exist_ok=True)
db = os.path.join(tempfile.mkdtemp(prefix="orbolo-web-"), "scores.db")
server = subprocess.Popen([SERVER_BIN, "--listen", "127.0.0.1:0", "--db", db, "--play", WEB],
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
ADDRESS = server.stdout.readline().split("listening on ")[-1].split("/highscores")[0]
browser = None
try:
    serving_checks()
    reference = desktop_menu()
    browser = BrowserSession()
    steps(browser, reference)
    print("browser end to end: 1 passed, 0 failed")
except Exception:
    if browser:
        browser.save_shots(OUT)
    raise
finally:
    if browser:
        browser.close()
    server.terminate()
    server.wait()
