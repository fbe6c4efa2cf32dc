"""Playing turns as a player does: read the board, click a cell, and wait until the game has
played the turn out (or has ended the game and shows its end-of-game box).

A turn runs inside the game's handling of the press, its steps shown 100 ms apart, and the
pointer events that come after the press wait meanwhile. So after the click the pointer goes
onto the help button: once the button lights, the turn is over and the screen shows its last
picture. When the turn ends the game, the end-of-game box comes instead; the box is then moved
off the board, which the window shows again whole, as the turn left it.
"""

import time
from dataclasses import dataclass

from . import board as boards
from . import desktop, dialogs, layout, screen
from .game import game_window_rect
from .geometry import Point
from .png import Picture
from .waiting import wait_until
from .window import button_looks_lit, move_pointer_to, screen_rect, to_screen

# The button whose lighting tells that the game handles pointer events again; never pressed.
SIGNAL_BUTTON = "help"
TURN_TIMEOUT = 15.0
# Where the end-of-game box is moved: the screen's top-left corner, above the main window.
BOX_PLACE = Point(0, 0)
# How long after the button lights an end-of-game box may still be on its way to the screen.
BOX_GRACE = 0.4


@dataclass
class TurnEnd:
    game_over: bool
    # The screenshot that shows the board as the turn left it.
    shot: Picture
    box: tuple | None = None  # (id, screen rectangle) of the end-of-game box


def read_board(game, shot=None):
    """The board the main window shows now (or in `shot`)."""
    shot = shot or screen.take_screenshot()
    return boards.read_board(shot, game_window_rect(game).top_left)


def click_cell(game, column, row):
    desktop.click(to_screen(game, boards.cell_centre(column, row)))


def start_turn(game, column, row, timeout=TURN_TIMEOUT):
    """Clicks the cell and makes the signal button tell when the turn is over (see turn_end)."""
    click_cell(game, column, row)
    signal_turn_end(game, column, row, timeout)


def signal_turn_end(game, column, row, timeout=TURN_TIMEOUT):
    """Puts the pointer onto the signal button once the game has seen it at the cell, so that
    the button lights when the game handles pointer events again. After a box that held the
    turn (whose own loop handles the pointer too), call it again."""
    move_pointer_to(game, boards.cell_centre(column, row))
    # The button goes dark when the game handles the pointer's move to the cell; the press comes
    # next. Only then does its lighting again tell anything.
    wait_until(lambda: not button_looks_lit(game, SIGNAL_BUTTON),
               f"the {SIGNAL_BUTTON} button to go dark", timeout=timeout)
    move_pointer_to(game, layout.button_rect(SIGNAL_BUTTON).centre)


def _end_of_game_box(game):
    boxes = dialogs.visible_windows(game, dialogs.END_OF_GAME)
    return boxes[0] if boxes else None


def turn_end(game):
    """A TurnEnd once the turn started by start_turn is over, else None (a box that holds the
    turn, other than the end-of-game box, keeps it from being over)."""
    if box := _end_of_game_box(game):
        return TurnEnd(True, None, box)
    shot = screen.take_screenshot()
    if not button_looks_lit(game, SIGNAL_BUTTON, shot):
        return None
    # The box's own loop also handles the pointer's move, so the button may light just as the
    # box appears: the turn is over without a box only if none shows a moment later.
    time.sleep(BOX_GRACE)
    if box := _end_of_game_box(game):
        return TurnEnd(True, None, box)
    return TurnEnd(False, shot)


def uncover_board(game, end, timeout=TURN_TIMEOUT):
    """For a turn that ended the game: moves its box off the board and completes `end`."""
    if end.game_over:
        end.shot, end.box = _uncover_board(game, end.box[0], timeout)
    return end


def play_turn(game, column, row, timeout=TURN_TIMEOUT):
    """Clicks the cell and waits until the turn is over; returns a TurnEnd."""
    start_turn(game, column, row, timeout)
    end = wait_until(lambda: turn_end(game), f"the turn at cell ({column}, {row}) to end",
                     timeout=timeout)
    return uncover_board(game, end, timeout)


def _uncover_board(game, box, timeout):
    """Moves the end-of-game box off the board; returns a screenshot of the whole board and
    (id, screen rectangle) of the box. The box may still be placing itself when it is first
    seen, so it is moved until it stays. (A window manager puts the box's frame where it is
    asked to, and the box a little lower.)"""
    board = screen_rect(game, layout.BOARD_AREA)

    def board_shown():
        if desktop.window_rect(box).overlaps(board):
            desktop.xdotool("windowmove", box, BOX_PLACE.x, BOX_PLACE.y)
            return None
        shot = screen.take_screenshot()
        try:
            read_board(game, shot)
        except boards.UnreadableBoard:
            return None
        return shot

    shot = wait_until(board_shown, "the board to show whole again", timeout=timeout)
    return shot, (box, desktop.window_rect(box))
