"""End to end: the real game under its own X server, played with the mouse
and keyboard, checked from screenshots at fixed pixels.

usage: game_e2e.py GAME_EXECUTABLE OUTPUT_FOLDER
"""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from board_reader import (EMPTY, agreement, ball_references, has_line, read_board,
                          rotated_clockwise, rotated_counter_clockwise, shifted_left)
from x_session import XSession, distance

GAME, OUT = sys.argv[1], sys.argv[2]
os.makedirs(OUT, exist_ok=True)
REFS = ball_references(os.path.join(os.path.dirname(GAME), "gfx", "play2.tga"))
session = XSession()
shots = []


def shot(name):
    screen = session.grab()
    shots.append((name, screen))
    return screen


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def wait_for(name, condition, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        screen = shot(name)
        if condition(screen):
            return screen
        time.sleep(0.25)
    raise AssertionError("timed out waiting for " + name)


def bright_pixels(screen, x1, y1, x2, y2):
    return sum(1 for y in range(y1, y2) for x in range(x1, x2)
               if sum(screen.pixel(x, y)) > 450)


def bluish(colour):
    r, g, b = colour
    return b > 40 and b > r + 25


def is_menu(screen):
    # A black band over night-blue artwork, the menu's plate in it.
    return sum(screen.pixel(5, 5)) < 30 and bluish(screen.pixel(100, 300)) and \
        bluish(screen.pixel(210, 320)) and bluish(screen.pixel(60, 150))


def is_mode_selection(screen):
    return bright_pixels(screen, 230, 70, 560, 95) > 200 and sum(screen.pixel(600, 250)) < 30


def is_play_screen(screen):
    # The side panel, the field behind the arrows, the bottom bar.
    return bluish(screen.pixel(5, 470)) and bluish(screen.pixel(160, 240)) and \
        bluish(screen.pixel(300, 440))


def settled_board():
    """The board once two readings half a second apart agree."""
    last = None
    for _ in range(40):
        time.sleep(0.5)
        board = read_board(shot("board"), REFS)
        if board is not None and board == last:
            return board
        last = board
    raise AssertionError("the board never came to rest")


def menu_checks():
    session.move(600, 250)  # off the buttons: the keys' first highlight goes out
    wait_for("menu-no-hover", lambda screen: bright_pixels(screen, 0, 452, 640, 474) == 0)
    counts = []
    for y in (305, 338, 369, 401):
        session.move(330, y)
        counts.append(bright_pixels(shot(f"menu-hover-{y}"), 0, 452, 640, 474))
    check(all(n > 40 for n in counts), f"captions missing: {counts}")
    check(len(set(counts)) == 4, f"the four captions should differ: {counts}")

    # The difficulty item cycles through its three values and back.
    def label(screen):
        return [screen.pixel(x, y) for x in range(200, 452, 6) for y in range(344, 364, 4)]
    session.move(600, 250)
    first = label(shot("difficulty-easy"))
    seen = [first]
    for i in range(3):
        session.click(330, 350)
        time.sleep(0.4)
        session.move(600, 250)
        seen.append(label(shot(f"difficulty-{i}")))
    check(seen[1] != seen[0] and seen[2] != seen[1] and seen[2] != seen[0],
          "the three difficulties should look different")
    check(seen[3] == seen[0], "the third click should come back to easy")


def start_mode(y):
    session.click(330, 318)  # START A NEW GAME
    wait_for("mode-selection", is_mode_selection)
    session.click(390, y)
    wait_for("play", is_play_screen)
    session.move(620, 460)


def slide_check():
    board = settled_board()
    for row in range(9):
        expected = shifted_left(board, row)
        if EMPTY not in board[row] and not has_line(expected):
            break
    else:
        raise AssertionError("no row can slide without making a line:\n" + "\n".join(board))
    session.click(206, 87 + 34 * row + 16)
    session.move(620, 460)
    after = settled_board()
    check(after == expected,
          f"row {row} did not shift left by one:\n" + "\n".join(board) + "\nthen\n" +
          "\n".join(after))
    return after


def spin_check(board):
    session.click(578, 53)  # turn clockwise
    session.move(620, 460)
    after = settled_board()
    turned = rotated_clockwise(board)
    # Columns of the turned board without holes are untouched by gravity.
    cells = [(r, c) for c in range(9) if all(turned[r][c] != EMPTY for r in range(9))
             for r in range(9)]
    check(len(cells) >= 27, "too few full columns to judge the turn:\n" + "\n".join(board))
    cw = agreement(turned, after, cells)
    ccw = agreement(rotated_counter_clockwise(board), after, cells)
    check(cw > 0.9 and cw > ccw + 0.2,
          f"the board did not turn clockwise (agreement {cw:.2f}, other way {ccw:.2f})")


def panel_checks():
    """The clock counts down, Restart explains itself, the effects bar drags."""
    def region(screen, x1, y1, x2, y2):
        return [screen.pixel(x, y) for y in range(y1, y2, 2) for x in range(x1, x2, 2)]

    clock = region(shot("clock-1"), 15, 70, 135, 92)
    time.sleep(2.2)
    check(region(shot("clock-2"), 15, 70, 135, 92) != clock, "the TimeAttack clock stands still")

    quiet = bright_pixels(shot("bar-quiet"), 180, 415, 600, 470)
    session.move(72, 357)
    hint = bright_pixels(shot("bar-restart-hint"), 180, 415, 600, 470)
    check(hint > quiet + 100, f"no restart hint on the bottom bar ({quiet} -> {hint})")

    ticks = region(shot("effects-before"), 20, 145, 130, 172)
    session.move(110, 158)
    session.xdotool("mousedown", 1)
    session.move(60, 158)
    session.move(40, 158)
    session.xdotool("mouseup", 1)
    session.move(620, 460)
    check(region(shot("effects-after"), 20, 145, 130, 172) != ticks,
          "dragging the effects bar changed nothing")


def quit_to_menu():
    session.click(72, 387)
    wait_for("menu-again", is_menu)


def top_score_spin_refused():
    start_mode(203)
    # A board that started with a line has earned points; restart until one
    # starts full, so the score is 0.
    for _ in range(8):
        board = settled_board()
        if all(EMPTY not in row for row in board):
            break
        session.click(72, 357)  # Restart
        session.move(620, 460)
    else:
        raise AssertionError("no board without a starting line in eight tries")
    session.click(578, 53)
    session.move(620, 460)
    time.sleep(2)
    check(settled_board() == board, "a turn at 0 points changed the board")


try:
    session.start_game(GAME)
    wait_for("menu", is_menu)
    menu_checks()
    start_mode(85)  # TimeAttack
    spin_check(slide_check())
    panel_checks()
    quit_to_menu()
    top_score_spin_refused()
    session.xdotool("keydown", "Escape")
    try:
        code = session.game.wait(timeout=10)
    finally:
        session.xdotool("keyup", "Escape")
    check(code == 0, f"the game ended with code {code}")
    print("game end to end: 1 passed, 0 failed")
except Exception:
    for i, (name, screen) in enumerate(shots[-12:]):
        screen.save_png(os.path.join(OUT, f"{i:02d}-{name}.png"))
    if session.game and session.game.poll() is None:
        session.game.kill()
    log = session.game.stdout.read().decode(errors="replace") if session.game else ""
    print("game output:\n" + log)
    raise
finally:
    session.close()
