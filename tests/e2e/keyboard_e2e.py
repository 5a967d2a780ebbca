"""End to end without a mouse: the real game under its own X server, started
and played with keys alone, the highlight and the row cursor checked on
screenshots, the help lines following them. Then a mouse button held from one
screen into the next must act on nothing there.

usage: keyboard_e2e.py GAME_EXECUTABLE OUTPUT_FOLDER
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from board_reader import (EMPTY, agreement, ball_references, changed, has_line,  # noqa: E402
                          read_board, rotated_clockwise, settled)
from x_session import XSession, distance, run  # noqa: E402

GAME, OUT = sys.argv[1], sys.argv[2]
REFS = ball_references(os.path.join(os.path.dirname(GAME), "gfx", "play2.tga"))
LIT = (238, 191, 88)        # a lit menu button's bar
KEY_FRAME = (255, 216, 51)  # the row cursor's frame
HINT = (150, 410, 600, 476)  # the help lines, clear of the pointer at (620, 470)
session = XSession()


def lit(x, y):
    return lambda screen: distance(screen.patch(x, y, 2), LIT) < 40


def cursor_on_row(row):
    # The top edge of the frame around the row's left arrow.
    return lambda screen: distance(screen.pixel(200, 86 + 34 * row), KEY_FRAME) < 30


def shifted_right(grid, row):
    return [line[-1] + line[:-1] if r == row else line for r, line in enumerate(grid)]


def steps():
    session.move(620, 470)
    # The menu starts with NEW GAME lit, though the pointer is on no button.
    session.wait_for("menu-new-game-lit", lit(240, 318))
    session.key("Return")  # NEW GAME
    session.wait_for("mode-selection-time-attack-lit", lit(240, 83))
    session.key("Return")  # TIME ATTACK
    session.wait_for("play-row-cursor-on-top-row", cursor_on_row(0))
    board = settled(session, REFS)
    # The first row with no hole in it or below (balls dropping in from the
    # supply leave it alone) whose slide makes no line.
    row = next((r for r in range(9) if EMPTY not in "".join(board[r:]) and
                not has_line(shifted_right(board, r))), None)
    assert row is not None, "no row slides without a line:\n" + "\n".join(board)
    for _ in range(row):
        session.key("Down")
    session.wait_for(f"row-cursor-on-row-{row}", cursor_on_row(row))
    session.key("Right")
    after = settled(session, REFS)
    assert after[row] == shifted_right(board, row)[row], \
        f"row {row} did not slide right:\n" + "\n".join(board) + "\nthen\n" + "\n".join(after)
    session.key("e")
    turned = rotated_clockwise(after)
    full = [(r, c) for c in range(9) if all(turned[r][c] != EMPTY for r in range(9))
            for r in range(9)]
    session.wait_for("turned-clockwise", lambda s: (b := read_board(s, REFS)) is not None and
                     agreement(turned, b, full) > 0.9)

    # The framed row and the framed bar show the help lines the pointer shows
    # on a row's arrow and on the bars.
    slide, options, quiet = (hint_under_pointer(*spot) for spot in ((205, 207), (75, 210),
                                                                   (620, 470)))
    assert len({str(slide), str(options), str(quiet)}) == 3, "the help lines look alike"
    for key, lines in (("Down", slide), ("Tab", options)):
        session.key(key)
        session.wait_for("help-lines-after-" + key, lambda s: s.region(*HINT) == lines)
    session.key("BackSpace")  # QUIT: back to the menu, the game goes on
    session.move(620, 470)
    session.wait_for("menu-again-new-game-lit", lit(240, 318))
    # NEW GAME pressed and held through the fade: on the mode selection the
    # button held from the menu must not choose the PUZZLE under it; the
    # keys then take the highlight back to TIME ATTACK.
    session.move(330, 318)
    session.xdotool("mousedown", 1)
    session.wait_for("mode-selection-puzzle-under-the-held-pointer", lit(240, 323))
    session.xdotool("mouseup", 1)
    session.key("Up")
    session.key("Up")
    session.wait_for("mode-selection-keys-back-on-time-attack", lit(240, 83))

    session.key("Down")
    session.key("Return")  # TOP SCORE
    session.move(620, 470)  # off the board
    board = settled(session, REFS)
    session.key("r")  # RESTART: a new board
    changed(session, REFS, board)


def hint_under_pointer(x, y):
    session.move(x, y)
    return session.wait_for(f"help-lines-at-{x}-{y}", lambda s: True, still=HINT).region(*HINT)


run(session, GAME, OUT, steps, "keyboard end to end")
