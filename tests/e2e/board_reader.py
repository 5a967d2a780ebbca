"""Reads the board off the screen: each cell's ball colour, sampled on the
lower right of the ball away from its highlight and mark, and grouped into
classes of equal colour. Empty cells show the dark well."""
from x_session import distance

EMPTY = "."
CLASS_NAMES = "abcdefghijkl"


def cell_centre(column, row):
    # Board cell (column, row) at rest: its ball's top-left is (164 + 34c,
    # 86 + 34r) in board space, shifted 76 pixels right on the screen.
    return 240 + 34 * column + 20, 86 + 34 * row + 20


def read_board(screen, threshold=30):
    """Rows top to bottom of class letters, '.' for an empty cell; None when
    the picture is not a board at rest (it is turning, say)."""
    reps = []
    grid = []
    for row in range(9):
        line = ""
        for column in range(9):
            x, y = cell_centre(column, row)
            colour = screen.patch(x + 7, y + 7, 3)
            if sum(colour) < 150 and colour[2] > colour[0] + 25:  # the dark blue well
                line += EMPTY
                continue
            match = None
            for i, rep in enumerate(reps):
                if distance(colour, rep) < threshold:
                    match = i
                    break
            if match is None:
                if len(reps) == len(CLASS_NAMES):
                    return None  # no board at rest shows this many colours
                reps.append(colour)
                match = len(reps) - 1
            line += CLASS_NAMES[match]
        grid.append(line)
    return grid


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


def same_classes(a, b):
    """True when the two readings agree up to the naming of the classes."""
    forward, backward = {}, {}
    for ra, rb in zip(a, b):
        for x, y in zip(ra, rb):
            if forward.setdefault(x, y) != y or backward.setdefault(y, x) != x:
                return False
    return True


def agreement(a, b, cells):
    """Share of the given cells on which a and b agree as classes."""
    mapping = {}
    good = 0
    for r, c in cells:
        x, y = a[r][c], b[r][c]
        if mapping.setdefault(x, y) == y:
            good += 1
    return good / max(1, len(cells))
