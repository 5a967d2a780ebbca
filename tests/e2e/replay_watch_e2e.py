"""Watching a recorded game ends on the board the game ended on: a few
TopScore moves by the bot (bot_move), a speed change by keys, the game left
for the menu; then `orbolo --replay-last`, sped up with Right, must show the
same board, and Q quits.

usage: replay_watch_e2e.py GAME BOT_MOVE OUTPUT_FOLDER
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from board_reader import ball_references, changed, settled  # noqa: E402
from x_session import XSession, is_menu, is_play_screen, run, start_mode, PLAY_BUTTONS  # noqa: E402

GAME, BOT, OUT = sys.argv[1:4]
REFS = ball_references(os.path.join(os.path.dirname(GAME), "gfx", "play2.tga"))
MOVES = 6


def click_move(session, name):
    if name in ("CW", "CCW"):
        session.click(578 if name == "CW" else 213, 53)
    else:
        session.click(206 if name[0] == "L" else 576, 87 + 34 * int(name[1]) + 16)
    session.move(620, 460)


def play_and_leave(session):
    start_mode(session, 203)  # TopScore
    for key in ("Tab", "Tab", "Tab", "5"):  # the speed bar, then speed 5
        session.key(key)
    board = settled(session, REFS)
    for seed in range(MOVES):
        text = "0 %d\n%s\n" % (seed, "\n".join(board))
        move = subprocess.run([BOT], input=text.encode(), capture_output=True,
                              check=True).stdout.decode().split()[0]
        click_move(session, move)
        board = changed(session, REFS, board)
        print(f"move {seed + 1}: {move}", flush=True)
    session.click(72, 387)  # Quit to the menu: the game is kept as it stands
    session.wait_for("menu", is_menu)
    session.game.terminate()  # as the close box: the game ends in order
    session.game.wait(timeout=60)
    return board


def steps():
    session.wait_for("menu", is_menu)  # after the intro
    played = play_and_leave(session)
    path = os.path.join(session.env["XDG_DATA_HOME"], "orbolo", "last-game.orbolo-replay")
    if not os.path.getsize(path):
        raise AssertionError("no last game kept")
    session.game = subprocess.Popen([GAME, "--replay-last"], env=session.env,
                                    stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    session.wait_for("replay", is_play_screen, still=PLAY_BUTTONS)
    session.move(620, 460)
    for _ in range(2):
        session.key("Right")  # four times the recorded pace
    watched = settled(session, REFS)
    tries = 0
    while watched != played and tries < 40:  # the replay may still be running
        watched, tries = settled(session, REFS), tries + 1
    if watched != played:
        raise AssertionError(f"the replay ends on {watched}, the game ended on {played}")
    session.key("q")
    if session.game.wait(timeout=60) != 0:
        raise AssertionError("the replay did not quit cleanly")


session = XSession()
run(session, GAME, OUT, steps, "replay watched to the game's board")
