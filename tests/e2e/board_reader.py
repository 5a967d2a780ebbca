"""Reads the board off the screen: each cell's ball colour, sampled on the
lower right of the ball away from its highlight and mark, and matched to the
balls of the game's own play sheet. Empty cells show the dark blue well,
whose shade changes across the board (lit in the middle, darker toward the
edges) and comes near the blue ball's, so an empty cell is told by the
missing highlight: every ball has a bright one on its upper left."""
import time

from x_session import distance

EMPTY = "."
GAME_OVER = "game over"


def cell_centre(column, row):
    # Board cell (column, row) at rest: its ball's top-left is (164 + 34c,
    # 86 + 34r) in board space, shifted 76 pixels right on the screen.
    return 240 + 34 * column + 20, 86 + 34 * row + 20


def ball_references(sheet_path):
    """Mean colour of each ball code 1..8 in the play sheet, over the same
    spot read_board samples (the ball's lower right)."""
    data = open(sheet_path, "rb").read()
    if data[:4] == b"pihs":
        data = data[4:]
    width, height, bits = data[12] | data[13] << 8, data[14] | data[15] << 8, data[16]
    step = bits // 8

    def texel(x, y):  # rows are stored bottom-up, pixels as blue, green, red
        i = 18 + step * ((height - 1 - y) * width + x)
        return data[i + 2], data[i + 1], data[i]

    refs = {}
    for code in range(1, 9):
        left, top = (385, 40 * (code - 1)) if code <= 5 else (425, 40 * (code - 6))
        spot = [texel(left + 27 + dx, top + 27 + dy) for dx in range(-3, 4) for dy in range(-3, 4)]
        refs[code] = tuple(sum(p[k] for p in spot) / len(spot) for k in range(3))
    return refs


def has_highlight(screen, x, y):
    # Balls of every colour sum to 510 or more there, the well to under 180.
    return sum(screen.patch(x - 8, y - 8, 2)) > 330


def read_board(screen, refs, tolerance=30):
    """Rows top to bottom of ball codes ('1'..'8'), '.' for an empty cell;
    None when a cell matches nothing or no cell holds a ball (the board is
    turning, say). Balls at
    rest match their reference within a few steps (up to 20 under the
    frame's glow)."""
    grid = []
    for row in range(9):
        line = ""
        for column in range(9):
            x, y = cell_centre(column, row)
            if not has_highlight(screen, x, y):
                line += EMPTY
                continue
            colour = screen.patch(x + 7, y + 7, 3)
            code, gap = min(((c, distance(colour, ref)) for c, ref in refs.items()),
                            key=lambda item: item[1])
            if gap > tolerance:
                return None
            line += str(code)
        grid.append(line)
    # No ball anywhere is a board turning (shrunk away from the cells), not
    # one at rest: a played board ends or moves on to the next level first.
    return None if all(line == EMPTY * 9 for line in grid) else grid


def shifted_left(grid, row):
    out = list(grid)
    out[row] = grid[row][1:] + grid[row][0]
    return out


def rotated_clockwise(grid):
    # The new top row is the old left column read from the bottom up.
    return ["".join(grid[8 - r][c] for r in range(9)) for c in range(9)]


def rotated_counter_clockwise(grid):
    return ["".join(grid[r][8 - c] for r in range(9)) for c in range(9)]


def has_line(grid):
    for r in range(9):
        for c in range(9):
            v = grid[r][c]
            if v == EMPTY:
                continue
            if c <= 6 and grid[r][c + 1] == v and grid[r][c + 2] == v:
                return True
            if r <= 6 and grid[r + 1][c] == v and grid[r + 2][c] == v:
                return True
    return False


def agreement(a, b, cells):
    """Share of the given cells on which a and b agree."""
    return sum(a[r][c] == b[r][c] for r, c in cells) / max(1, len(cells))


def settled(session, refs, game_over=None, tries=120):
    """The board once two readings in a row agree; GAME_OVER once no board
    shows and game_over(screen) holds."""
    last = None
    for _ in range(tries):
        time.sleep(0.4)
        screen = session.grab("board")
        board = read_board(screen, refs)
        if board is None and game_over and game_over(screen):
            return GAME_OVER
        if board is not None and board == last:
            return board
        last = board
    raise AssertionError(f"the board never came to rest; last reading {last}")


def changed(session, refs, before, game_over=None):
    """The board at rest once it differs from `before` (a click taken)."""
    for _ in range(20):
        after = settled(session, refs, game_over)
        if after != before:
            return after
    raise AssertionError("the board did not change:\n" + "\n".join(before))
