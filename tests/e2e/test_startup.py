"""Start-up: the window at its place, the first board of cell pictures, the default score table,
and an Escape that ends the game without writing the scores."""

import os

from harness import board, desktop, layout, scores
from harness.case import GameTestCase, main
from harness.game import game_window_rect, processes_left, wait_for_exit
from harness.geometry import Rect
from harness.turns import read_board
from harness.window import move_pointer_to, wait_for_region, wait_until_shown


class StartUpTest(GameTestCase):
    def test_first_board_and_default_scores_then_escape_saves_nothing(self):
        self.start_game()
        wait_until_shown(self.game)
        self.assertEqual(game_window_rect(self.game), Rect(162, 109, 700, 550))

        # No score file: the panel shows the 13 default rows, drawn with the window.
        shot = wait_for_region(self.game, scores.PANEL_AREA,
                               scores.panel_picture(scores.ScoreTable()),
                               "the score panel to show the default table")
        cells = read_board(self.game, shot)
        self.assertEqual(board.cell_count(cells), board.COLUMNS * board.ROWS,
                         f"empty cells on the first board:\n{board.describe(cells)}")

        move_pointer_to(self.game, layout.BARE_BACKGROUND.centre)
        desktop.press_key("Escape")
        self.assertEqual(wait_for_exit(self.game), 0)
        self.assertEqual(processes_left(self.game), [])
        self.assertEqual(os.listdir(self.game.working_directory), [])


if __name__ == "__main__":
    main()
