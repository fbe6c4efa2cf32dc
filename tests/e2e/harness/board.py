"""The board as the screen shows it: where its cells are, which picture each cell shows, and the
groups a player could remove.

A Board is a tuple of 14 columns of 16 codes each, row 0 at the bottom: 0 an empty cell, 1 to 4
the bricks (violet, red, green, blue), 5 a yellow ball. Each cell is told by the nearest of its
six possible looks: the bare well, or one of the five cell pictures drawn over the well, in the
colours the screen shows: over the desktop's colour with a compositing manager, premultiplied
by alpha (as if over black) without one.
"""

from functools import cache

from . import desktops, layout
from .geometry import Point, Rect

COLUMNS = 14
ROWS = 16
CELL_SIZE = 29
ORIGIN = Point(30, 31)  # client point of the top-left cell, (0, 15)
AREA = Rect(ORIGIN.x, ORIGIN.y, COLUMNS * CELL_SIZE, ROWS * CELL_SIZE)
EMPTY = 0
BALL = 5
CODES = range(6)
BRICKS = range(1, 5)
# The pixels of a cell that are compared, in cell coordinates: a grid over the whole square.
SAMPLE_OFFSETS = tuple(Point(x, y) for y in range(1, CELL_SIZE, 4) for x in range(1, CELL_SIZE, 4))
# The mean distance per sampled channel beyond which a cell shows none of its looks (something
# covers the board, or the picture is wrong).
UNREADABLE_DISTANCE = 12.0


class UnreadableBoard(AssertionError):
    """A cell of the screen looks like none of the six looks a cell may have."""


def cell_rect(column, row):
    """The client rectangle of cell (column, row)."""
    return Rect(ORIGIN.x + CELL_SIZE * column, ORIGIN.y + CELL_SIZE * (ROWS - 1 - row),
                CELL_SIZE, CELL_SIZE)


def cell_centre(column, row):
    return cell_rect(column, row).centre


def _premultiplied(colour):
    r, g, b, a = colour
    return (r * a / 255, g * a / 255, b * a / 255, a)


def _over(source, destination):
    """Source over destination, both premultiplied."""
    left = 1 - source[3] / 255
    return tuple(source[c] + destination[c] * left for c in range(4))


@cache
def _looks(column, row, backdrop):
    """For each code, the colours the screen shows at the sampled pixels of the cell, the window
    being shown over the backdrop colour."""
    rect = cell_rect(column, row)
    background = layout.picture("FOND")
    wells = [_premultiplied(background.pixel(rect.x + p.x, rect.y + p.y)) for p in SAMPLE_OFFSETS]
    looks = [wells]
    for code in range(1, 6):
        picture = layout.picture(f"B{code}")
        looks.append([_over(_premultiplied(picture.pixel(p.x, p.y)), well)
                      for p, well in zip(SAMPLE_OFFSETS, wells)])
    opaque_backdrop = (*backdrop, 255)
    return [[_over(colour, opaque_backdrop)[:3] for colour in look] for look in looks]


def _distance(seen, look):
    total = 0.0
    for seen_colour, expected in zip(seen, look):
        total += sum(abs(seen_colour[c] - expected[c]) for c in range(3))
    return total / (3 * len(look))


def classify_cell(shot, window_origin, column, row):
    """(code, distance): the look nearest to what the screenshot shows at the cell."""
    rect = cell_rect(column, row).offset(window_origin.x, window_origin.y)
    seen = [shot.pixel(rect.x + p.x, rect.y + p.y) for p in SAMPLE_OFFSETS]
    looks = _looks(column, row, desktops.backdrop(shot))
    distances = [_distance(seen, look) for look in looks]
    best = min(CODES, key=lambda code: distances[code])
    return best, distances[best]


def read_board(shot, window_origin):
    """The Board a screenshot shows, the window's top-left corner being at `window_origin`.

    Raises UnreadableBoard when a cell shows none of the looks.
    """
    columns = []
    for column in range(COLUMNS):
        codes = []
        for row in range(ROWS):
            code, distance = classify_cell(shot, window_origin, column, row)
            if distance > UNREADABLE_DISTANCE:
                raise UnreadableBoard(f"cell ({column}, {row}) looks like no cell: nearest "
                                      f"{code} at a distance of {distance:.1f}")
            codes.append(code)
        columns.append(tuple(codes))
    return tuple(columns)


def cell_count(board, codes=range(1, 6)):
    """How many cells hold one of the codes (by default: every brick and ball)."""
    return sum(1 for column in board for code in column if code in codes)


def brick_counts(board):
    """How many bricks of each colour, codes 1 to 4."""
    return [cell_count(board, codes=(code,)) for code in BRICKS]


def brick_counts_after_removing(board, group):
    """The brick counts once the group is gone: a turn removes bricks only by the click (balls
    may vanish by themselves)."""
    counts = brick_counts(board)
    column, row = group[0]
    counts[board[column][row] - 1] -= len(group)
    return counts


def groups(board):
    """The groups a click removes: bricks of one colour joined left, right, above or below, two
    or more; as lists of (column, row), each group once."""
    seen = set()
    found = []
    for column in range(COLUMNS):
        for row in range(ROWS):
            code = board[column][row]
            if (column, row) in seen or code not in BRICKS:
                continue
            group = _flood(board, column, row, code)
            seen.update(group)
            if len(group) >= 2:
                found.append(sorted(group))
    return found


def _flood(board, column, row, code):
    group = {(column, row)}
    waiting = [(column, row)]
    while waiting:
        c, r = waiting.pop()
        for nc, nr in ((c - 1, r), (c + 1, r), (c, r - 1), (c, r + 1)):
            if (0 <= nc < COLUMNS and 0 <= nr < ROWS and (nc, nr) not in group
                    and board[nc][nr] == code):
                group.add((nc, nr))
                waiting.append((nc, nr))
    return group


def largest_group(board):
    """The largest removable group, or None when the game is over."""
    return max(groups(board), key=len, default=None)


def makes_cells_fall(board, group):
    """Whether removing the group leaves a cell above one of its holes."""
    removed = set(group)
    return any(board[c][above] != EMPTY and (c, above) not in removed
               for c, r in group for above in range(r + 1, ROWS))


def describe(board):
    """The board as text, top row first: '.' empty, '1' to '5' the codes."""
    return "\n".join("".join("." if board[c][r] == EMPTY else str(board[c][r])
                             for c in range(COLUMNS))
                     for r in reversed(range(ROWS)))
