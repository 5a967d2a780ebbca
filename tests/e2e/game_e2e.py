"""End to end: the real game under its own X server, played with the mouse
and keyboard, checked from screenshots at fixed pixels. Every step waits
for the screen to show what it should, so a busy machine only makes the
test slower.

usage: game_e2e.py GAME_EXECUTABLE OUTPUT_FOLDER
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from board_reader import (EMPTY, agreement, ball_references, changed, has_line,  # noqa: E402
                          rotated_clockwise, rotated_counter_clockwise, settled, shifted_left)
from x_session import MENU_LOGO, XSession, is_menu, run, start_mode  # noqa: E402

GAME, OUT = sys.argv[1], sys.argv[2]
REFS = ball_references(os.path.join(os.path.dirname(GAME), "gfx", "play2.tga"))
session = XSession()


def menu_checks():
    def caption(screen):
        return screen.bright_pixels(0, 452, 640, 474)
    session.move(600, 250)  # off the buttons: the keys' first highlight goes out
    session.wait_for("menu-no-hover", lambda s: caption(s) == 0)
    counts = []
    for y in (305, 338, 369, 401):  # each item its own caption
        session.move(330, y)
        counts.append(caption(session.wait_for(
            f"menu-hover-{y}", lambda s: caption(s) > 40 and caption(s) not in counts)))

    # The difficulty item cycles through its three values and back.
    def label(screen):
        return [screen.pixel(x, y) for x in range(200, 452, 6) for y in range(344, 364, 4)]
    first = label(session.grab("difficulty-easy"))
    seen = [first]
    for i in range(3):
        session.click(330, 350)
        session.move(600, 250)
        # The third click comes back to easy.
        want = (lambda s: label(s) == first) if i == 2 else (lambda s: label(s) not in seen)
        seen.append(label(session.wait_for(f"difficulty-{i}",
                                           lambda s: caption(s) == 0 and want(s))))


def slide_check():
    board = settled(session, REFS)
    row = next((r for r in range(9)
                if EMPTY not in board[r] and not has_line(shifted_left(board, r))), None)
    assert row is not None, "no row can slide without making a line:\n" + "\n".join(board)
    expected = shifted_left(board, row)
    session.click(206, 87 + 34 * row + 16)
    session.move(620, 460)
    after = changed(session, REFS, board)
    assert after == expected, (f"row {row} did not shift left by one:\n" + "\n".join(board) +
                               "\nthen\n" + "\n".join(after))
    return after


def spin_check(board):
    session.click(578, 53)  # turn clockwise
    session.move(620, 460)
    turned = rotated_clockwise(board)
    # Columns of the turned board without holes are untouched by gravity.
    cells = [(r, c) for c in range(9) if all(turned[r][c] != EMPTY for r in range(9))
             for r in range(9)]
    assert len(cells) >= 27, "too few full columns to judge the turn:\n" + "\n".join(board)
    after = changed(session, REFS, board)
    cw = agreement(turned, after, cells)
    ccw = agreement(rotated_counter_clockwise(board), after, cells)
    assert cw > 0.9 and cw > ccw + 0.2, \
        f"the board did not turn clockwise (agreement {cw:.2f}, other way {ccw:.2f})"


def panel_checks():
    """The clock counts down, Restart explains itself, the effects bar drags."""
    clock = session.grab("clock-1").region(15, 70, 135, 92)
    session.wait_for("clock-2", lambda s: s.region(15, 70, 135, 92) != clock)

    quiet = session.grab("bar-quiet").bright_pixels(180, 415, 600, 470)
    session.move(72, 357)
    session.wait_for("bar-restart-hint", lambda s: s.bright_pixels(180, 415, 600, 470) > quiet + 100)

    ticks = session.grab("effects-before").region(20, 145, 130, 172)
    session.move(110, 158)
    session.xdotool("mousedown", 1)
    session.move(60, 158)
    session.move(40, 158)
    session.wait_for("effects-after", lambda s: s.region(20, 145, 130, 172) != ticks)
    session.xdotool("mouseup", 1)
    session.move(620, 460)


def top_score_spin_refused():
    start_mode(session, 203)
    # A board that started with a line has earned points; restart until one
    # starts full, so the score is 0.
    board = settled(session, REFS)
    for _ in range(8):
        if all(EMPTY not in row for row in board):
            break
        session.click(72, 357)  # Restart
        session.move(620, 460)
        board = changed(session, REFS, board)
    else:
        raise AssertionError("no board without a starting line in eight tries")
    # A turn at 0 points is refused; the slide clicked after it then shows
    # the board exactly slid, not turned.
    row = next((r for r in range(9) if not has_line(shifted_left(board, r))), None)
    assert row is not None, "no row slides without a line:\n" + "\n".join(board)
    session.click(578, 53)
    session.click(206, 87 + 34 * row + 16)
    session.move(620, 460)
    expected = shifted_left(board, row)
    after = changed(session, REFS, board)
    assert after == expected, "a turn at 0 points changed the board:\n" + "\n".join(after)


def steps():
    session.wait_for("menu", is_menu, still=MENU_LOGO)
    menu_checks()
    start_mode(session, 85)  # TimeAttack
    spin_check(slide_check())
    panel_checks()
    session.click(72, 387)  # Quit
    session.wait_for("menu-again", is_menu, still=MENU_LOGO)
    top_score_spin_refused()
    session.xdotool("keydown", "Escape")
    try:
        code = session.game.wait(timeout=60)
    finally:
        session.xdotool("keyup", "Escape")
    assert code == 0, f"the game ended with code {code}"


run(session, GAME, OUT, steps, "game end to end")
