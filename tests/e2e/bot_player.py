"""The bot's side of a whole TopScore game, shared by the desktop and the
browser end-to-end tests: it reads the board off the screen, asks bot_move
(the game's own rules) for a move, clicks it, and at the end types a name
into the game-over dialog and waits for the score server to list it."""
import subprocess
import time
import urllib.request

from board_reader import GAME_OVER, settled
from x_session import start_mode

# Headless, the same bot ends games in 36-54 moves (30 seeds).
MOVE_LIMIT = 150


def dialog_shown(screen):
    """The game-over dialog over the board: its gold lower edge runs
    straight across the cells, which no row of balls does."""
    for y in range(284, 293):
        line = [screen.pixel(x, y) for x in range(240, 541, 20)]
        if all(r > 150 and b < 60 for r, g, b in line):
            return True
    return False


def click_move(session, name):
    if name in ("CW", "CCW"):
        session.click(578 if name == "CW" else 213, 53)
    else:
        row = int(name[1])
        session.click(206 if name[0] == "L" else 576, 87 + 34 * row + 16)
    session.move(620, 460)


def choose(bot, board, score, seed):
    """The bot's move and the score it expects after it (a floor: balls
    that drop in may clear more)."""
    text = f"{score} {seed}\n" + "\n".join(board) + "\n"
    out = subprocess.run([bot], input=text.encode(), capture_output=True,
                         check=True).stdout.decode().split()
    return out[0], int(out[1])


def play_top_score(session, refs, bot, started=False):
    """Plays a TopScore game to its end (one already `started` on screen
    goes on from its board); the moves played."""
    if not started:
        start_mode(session, 203)  # TopScore
    played = []
    score = 0  # units of ten points, as the game counts them
    unchanged = 0
    board = settled(session, refs, dialog_shown)
    while len(played) < MOVE_LIMIT:
        if board == GAME_OVER:
            return played
        move, expected = choose(bot, board, score, len(played))
        if move == "none":
            raise AssertionError("no move left:\n" + "\n".join(board))
        played.append(move)
        print(f"move {len(played)}: {move}", flush=True)
        click_move(session, move)
        before, board = board, settled(session, refs, dialog_shown)
        if board != before:
            score, unchanged = expected, 0
            continue
        unchanged += 1
        if unchanged == 3:
            raise AssertionError("three moves in a row changed nothing:\n" + "\n".join(board))
        if move in ("CW", "CCW"):
            score = 0  # the game refused the turn: fewer points than thought
    raise AssertionError(f"the game did not end within {len(played)} moves")


def enter_name(session, name, address):
    """Types the name into the dialog (shown once the query is answered)
    and waits for the server to list it: verified, its row linking the
    replay the game sent (the game fetched its token and seed ahead)."""
    for ch in name:
        session.key("space" if ch == " " else ch.lower())
        time.sleep(0.05)
    session.key("Return")
    end = time.time() + 60
    while time.time() < end:
        page = urllib.request.urlopen(f"{address}/highscores/orbolo/", timeout=5).read().decode()
        if name in page:
            row = page[page.index(name):]
            row = row[:row.index("</tr>")]
            assert "replay.php?id=" in row, "listed without its replay: " + row
            return
        time.sleep(0.2)
    raise AssertionError("the server does not list " + name)
