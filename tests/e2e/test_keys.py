"""The board played from the keyboard alone: the arrows bring the cursor's frame onto a group,
Space or Enter removes it as a click on that cell would, and the pointer moving over the board
hides the frame again (so that the board can be read whole)."""

from harness import board, desktop, desktops
from harness.case import GameTestCase, main
from harness.geometry import Point
from harness.turns import read_board, signal_turn_end, turn_end, uncover_board
from harness.waiting import wait_until
from harness.window import move_pointer_to, wait_until_shown, window_region

TURNS = 4
PLAY_KEYS = ("space", "Return")
WHITE = (255, 255, 255)
# Where the frame's white shows in a cell: its left side, two pixels in, half-way down.
FRAME_OFFSET = (2, 14)
TURN_TIMEOUT = 15.0
# A point of the window above the score table: no button, no board.
NEUTRAL_POINT = Point(600, 20)
TOOLTIP_TITLE = "^ToolTipQelm$"


def arrows_from(cursor, target):
    """The arrows that move a shown cursor from one cell to another."""
    (column, row), (to_column, to_row) = cursor, target
    horizontal = ["Right" if to_column > column else "Left"] * abs(to_column - column)
    vertical = ["Up" if to_row > row else "Down"] * abs(to_row - row)
    return horizontal + vertical


class KeysTest(GameTestCase):
    def frame_shows_at(self, cell):
        rect = board.cell_rect(*cell)
        x, y = FRAME_OFFSET
        return window_region(self.game, rect).pixel(x, y)[:3] == WHITE

    def test_arrows_and_space_or_enter_remove_groups_as_clicks_would(self):
        self.start_game()
        wait_until_shown(self.game)
        wait_until(lambda: desktops.focused_window() == self.game.window,
                   "the game window to have the keyboard",
                   describe=lambda _: str(desktops.focused_window()))
        cells = read_board(self.game)
        cursor = (0, 0)  # where the first arrow shows it
        for turn in range(TURNS):
            group = board.largest_group(cells)
            self.assertIsNotNone(group, f"no group left:\n{board.describe(cells)}")
            target = group[0]
            # Keys go to a tooltip while one is up: the pointer leaves the button that signalled
            # the end of the last turn, and its tooltip closes.
            move_pointer_to(self.game, NEUTRAL_POINT)
            wait_until(lambda: not desktop.find_visible_windows(TOOLTIP_TITLE),
                       "the tooltip to close")
            # The cursor is hidden: the first arrow shows it where it was, the others move it.
            for key in ["Left"] + arrows_from(cursor, target):
                desktop.press_key(key)
            wait_until(lambda: self.frame_shows_at(target),
                       f"the cursor's frame to show at cell {target}")
            desktop.press_key(PLAY_KEYS[turn % 2])
            # The pointer's move onto the board, handled once the turn is over, hides the frame.
            # (The window system merges moves that wait together, so this one is seen through
            # before the pointer goes on.)
            move_pointer_to(self.game, board.cell_centre(*target))
            wait_until(lambda: not self.frame_shows_at(target),
                       "the pointer on the board to hide the cursor's frame",
                       timeout=TURN_TIMEOUT)
            signal_turn_end(self.game, *target, timeout=TURN_TIMEOUT)
            end = wait_until(lambda: turn_end(self.game), f"the turn at {target} to end",
                             timeout=TURN_TIMEOUT)
            end = uncover_board(self.game, end, TURN_TIMEOUT)
            after = read_board(self.game, end.shot)
            self.assertEqual(board.brick_counts(after),
                             board.brick_counts_after_removing(cells, group),
                             f"after {PLAY_KEYS[turn % 2]} on {target} of\n"
                             f"{board.describe(cells)}\nthe board is\n{board.describe(after)}")
            if end.game_over:
                return
            cells = after
            cursor = target


if __name__ == "__main__":
    main()
