"""What the tests know of the game's window: its size, its places, and its own pictures."""

from functools import cache
from pathlib import Path

from .geometry import Rect
from .png import read_png

RESOURCES = Path(__file__).resolve().parents[3] / "resources"

WINDOW_WIDTH = 700
WINDOW_HEIGHT = 550

# The round buttons in client pixels, each with the picture of its lit face.
BUTTON_WIDTH = 36
BUTTON_HEIGHT = 34
BUTTONS = {
    "close": (Rect(619, 470, BUTTON_WIDTH, BUTTON_HEIGHT), "BF"),
    "minimise": (Rect(581, 465, BUTTON_WIDTH, BUTTON_HEIGHT), "BM"),
    "new_board": (Rect(467, 470, BUTTON_WIDTH, BUTTON_HEIGHT), "BT"),
    "reset_scores": (Rect(505, 465, BUTTON_WIDTH, BUTTON_HEIGHT), "BR"),
    "help": (Rect(543, 461, BUTTON_WIDTH, BUTTON_HEIGHT), "BA"),
}

# The board's well: a press there never drags the window.
BOARD_AREA = Rect(23, 22, 441 - 23, 500 - 22)
# The chart of the attempts on the board, right of the board.
CHART_AREA = Rect(475, 75, 660 - 475, 150 - 75)
# Bare background: no widget covers it, a press there drags the window.
BARE_BACKGROUND = Rect(660, 30, 20, 20)
# Part of the title, drawn opaque from the background picture and never covered by a widget.
TITLE_AREA = Rect(480, 28, 180, 40)


def button_rect(name):
    return BUTTONS[name][0]


@cache
def picture(name):
    """One of the game's own pictures, by its resource name ("BA", "FOND", ...)."""
    return read_png(RESOURCES / f"{name}.png")


def lit_face(name):
    """The picture a button shows while the pointer is over it."""
    return picture(BUTTONS[name][1])
