"""A bot plays the real game through the screen: a whole TopScore game on
easy, choosing each move with the game's own rules (bot_move), then types a
name in the game-over dialog, and the score server lists it. It also plays
Puzzle level 1 with its stored solution.

usage: game_bot_e2e.py GAME BOT_MOVE SCORE_SERVER LEVEL_SOURCE OUTPUT_FOLDER
Exits 77 (skipped) when the score server's address is already taken.
"""
import os
import socket
import subprocess
import sys
import tempfile
import time
import urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from board_reader import EMPTY, ball_references, read_board  # noqa: E402
from x_session import XSession  # noqa: E402

GAME, BOT, SERVER_BIN, LEVELS, OUT = sys.argv[1:6]
ADDRESS = os.environ.get("ORBOLO_SCORE_SERVER", "http://127.0.0.1:8086")
HOST, PORT = ADDRESS.split("//")[1].split(":")[0], int(ADDRESS.rsplit(":", 1)[1])
REFS = ball_references(os.path.join(os.path.dirname(GAME), "gfx", "play2.tga"))
NAME = "BOT PLAYER"
MOVE_LIMIT = 300
TIME_LIMIT = 600


def port_taken():
    with socket.socket() as s:
        return s.connect_ex((HOST, PORT)) == 0


def settled(session, tries=40):
    last = None
    for _ in range(tries):
        time.sleep(0.4)
        board = read_board(session.grab(), REFS)
        if board is not None and board == last:
            return board
        last = board
    return None


def no_colour_has_three(board):
    counts = {}
    for row in board:
        for cell in row:
            if cell != EMPTY:
                counts[cell] = counts.get(cell, 0) + 1
    return all(n < 3 for n in counts.values())


def click_move(session, name):
    if name in ("CW", "CCW"):
        session.click(578 if name == "CW" else 213, 53)
    else:
        row = int(name[1])
        session.click(206 if name[0] == "L" else 576, 87 + 34 * row + 16)
    session.move(620, 460)


def choose(mode, board, score=0, seconds=600, moves=0):
    text = f"{mode} {score} {seconds} {moves}\n" + "\n".join(board) + "\n"
    return subprocess.run([BOT], input=text.encode(), capture_output=True,
                          check=True).stdout.decode().strip()


def play_top_score(session):
    session.click(330, 318)  # START A NEW GAME
    time.sleep(2)
    session.click(390, 203)  # TopScore
    time.sleep(3)
    session.move(620, 460)
    started = time.time()
    played = []
    while len(played) < MOVE_LIMIT and time.time() - started < TIME_LIMIT:
        board = settled(session)
        if board is None:
            raise AssertionError("the board never came to rest")
        if no_colour_has_three(board):
            return played
        move = choose(2, board)
        if move == "none":
            raise AssertionError("no move left:\n" + "\n".join(board))
        played.append(move)
        click_move(session, move)
    raise AssertionError(f"the game did not end within {len(played)} moves")


def enter_name(session):
    time.sleep(2)  # the query, then the dialog
    for ch in NAME:
        session.key("space" if ch == " " else ch.lower())
        time.sleep(0.05)
    session.key("Return")
    time.sleep(2)


def listed(name):
    page = urllib.request.urlopen(f"{ADDRESS}/highscores/orbolo/", timeout=5).read().decode()
    return name in page


def stored_solution(level):
    lines = open(LEVELS).read().splitlines()
    start = lines.index(f"level {level}")
    return lines[start + 1].split()[1:]


def play_puzzle_level_one(session):
    session.click(330, 318)
    time.sleep(2)
    session.click(390, 323)  # Puzzle
    time.sleep(3)
    session.move(620, 460)
    first = settled(session)
    for move in stored_solution(1):
        click_move(session, move)
    time.sleep(1)
    after = settled(session)
    if after is None or after == first:
        raise AssertionError("level 1 did not lead on to level 2")
    return after


def main():
    if port_taken():
        print(f"{ADDRESS} is taken: skipped")
        return 77
    os.makedirs(OUT, exist_ok=True)
    db = os.path.join(tempfile.mkdtemp(prefix="orbolo-bot-"), "scores.db")
    server = subprocess.Popen([SERVER_BIN, "--listen", f"{HOST}:{PORT}", "--db", db],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    session = XSession()
    try:
        for _ in range(50):
            if port_taken():
                break
            time.sleep(0.1)
        session.start_game(GAME)
        time.sleep(6)  # the intro
        moves = play_top_score(session)
        print(f"TopScore game over after {len(moves)} moves: {' '.join(moves)}")
        enter_name(session)
        if not listed(NAME):
            raise AssertionError("the server does not list " + NAME)
        session.click(72, 387)  # Quit to the menu
        time.sleep(2)
        board = play_puzzle_level_one(session)
        print("Puzzle level 1 cleared; level 2 shows:\n" + "\n".join(board))
        print("bot end to end: 1 passed, 0 failed")
        return 0
    except Exception:
        session.grab().save_png(os.path.join(OUT, "bot-failure.png"))
        raise
    finally:
        session.close()
        server.terminate()
        server.wait()


sys.exit(main())
