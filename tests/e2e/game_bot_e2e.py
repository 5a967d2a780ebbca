"""A bot plays the real game through the screen: a whole TopScore game on
easy, choosing each move with the game's own rules (bot_move), then types a
name in the game-over dialog, and the score server lists it. It also plays
Puzzle level 1 with its stored solution.

usage: game_bot_e2e.py GAME BOT_MOVE SCORE_SERVER LEVEL_SOURCE OUTPUT_FOLDER
The server takes a free port; the game is pointed at it through
ORBOLO_SCORE_SERVER.
"""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from board_reader import ball_references, changed, settled  # noqa: E402
from bot_player import click_move, enter_name, play_top_score  # noqa: E402
from x_session import XSession, is_menu, run, start_mode  # noqa: E402

GAME, BOT, SERVER_BIN, LEVELS, OUT = sys.argv[1:6]
ADDRESS = ""  # the server's, once it listens
REFS = ball_references(os.path.join(os.path.dirname(GAME), "gfx", "play2.tga"))
NAME = "BOT PLAYER"


def stored_level(level):
    """The level's intended solution and its board, written as read_board
    reads the screen (a black ball, K in the source, is code 8)."""
    lines = open(LEVELS).read().splitlines()
    start = lines.index(f"level {level}")
    solution = lines[start + 1].split()[1:]
    board = [row.replace("K", "8") for row in lines[start + 2:start + 11]]
    return solution, board


def play_puzzle_level_one(session):
    start_mode(session, 323)  # Puzzle
    solution, level_one = stored_level(1)
    shown = settled(session, REFS)
    if shown != level_one:
        raise AssertionError(f"level 1 shows {shown}, not {level_one}")
    for move in solution:  # each move changes the board, the last brings level 2
        click_move(session, move)
        shown = changed(session, REFS, shown)
    # The last line's vanishing can hold still longer than two readings
    # before level 2 drops in: wait for level 2 itself.
    level_two = stored_level(2)[1]
    end = time.time() + 60
    while shown != level_two and time.time() < end:
        shown = settled(session, REFS)
    if shown != level_two:
        raise AssertionError(f"after level 1's solution the board shows {shown}, not level 2")
    return solution


def steps():
    session.wait_for("menu", is_menu)  # after the intro
    moves = play_top_score(session, REFS, BOT)
    print(f"TopScore game over after {len(moves)} moves: {' '.join(moves)}")
    with open(os.path.join(OUT, "moves.txt"), "w") as log:  # kept when the test passes
        log.write(" ".join(moves) + "\n")
    enter_name(session, NAME, ADDRESS)
    session.click(72, 387)  # Quit to the menu
    session.wait_for("menu-again", is_menu)
    solution = play_puzzle_level_one(session)
    print(f"Puzzle level 1 cleared with {' '.join(solution)}; level 2 shows")


os.makedirs(OUT, exist_ok=True)
db = os.path.join(tempfile.mkdtemp(prefix="orbolo-bot-"), "scores.db")
server = subprocess.Popen([SERVER_BIN, "--listen", "127.0.0.1:0", "--db", db],
                          stdout=subprocess.PIPE, text=True,
                          stderr=open(os.path.join(OUT, "server.log"), "w"))  # kept for a look
# "orbolo-scored: listening on http://127.0.0.1:PORT/highscores/orbolo/"
ADDRESS = server.stdout.readline().split("listening on ")[-1].split("/highscores")[0]
session = XSession()
session.env["ORBOLO_SCORE_SERVER"] = ADDRESS
try:
    run(session, GAME, OUT, steps, "bot end to end")
finally:
    server.terminate()
    server.wait()
