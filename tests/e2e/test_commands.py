"""The commands of the round buttons: help (and its "Fermer"), a new board, resetting the score
table, closing (with a table that cannot be saved, too), and hiding the game in the notification
area."""

from harness import board, desktop, desktops, dialogs, layout, scores, tray
from harness.case import GameTestCase, main
from harness.desktop import find_visible_windows
from harness.game import WINDOW_TITLE_PATTERN, game_window_rect, wait_for_exit
from harness.geometry import Point, Rect
from harness.screen import take_screenshot
from harness.turns import play_turn, read_board
from harness.waiting import wait_until
from harness.window import (button_looks_lit, click_button, compare_region, minimise_until_hidden,
                            move_pointer_to, to_screen,
                            wait_for_picture, wait_for_region, wait_until_shown, window_region)

WHITE = (255, 255, 255)
# Points of the help panel's white border, one on each side.
HELP_BORDER_POINTS = (Point(200, 41), Point(425, 200), Point(200, 484), Point(41, 200))
TOOLTIP_TITLE = "^ToolTipQelm$"
# The centre of the panel's "Fermer" label.
CLOSE_HELP_LABEL = Point(242, 468)


class CommandsTest(GameTestCase):
    def click_button(self, name):
        click_button(self.game, name)

    def help_border_colours(self, shot=None):
        region = window_region(self.game, Rect(0, 0, layout.WINDOW_WIDTH, layout.WINDOW_HEIGHT),
                               shot)
        return [region.pixel(p.x, p.y)[:3] for p in HELP_BORDER_POINTS]

    def test_board_ignores_clicks_while_the_help_panel_shows(self):
        self.start_game()
        wait_until_shown(self.game)
        cells = read_board(self.game)
        group = board.largest_group(cells)

        self.click_button("help")
        wait_until(lambda: self.help_border_colours() == [WHITE] * 4,
                   "the help panel to show", describe=lambda _: str(self.help_border_colours()))
        with_help = window_region(self.game, layout.BOARD_AREA)
        end = play_turn(self.game, *group[0])  # a removable group, under the panel
        self.assertTrue(compare_region(self.game, layout.BOARD_AREA, with_help, tolerance=0,
                                       shot=end.shot).same,
                        "the board or the panel changed after a click while the panel showed")

        desktop.settle_pointer(to_screen(self.game, CLOSE_HELP_LABEL))
        desktop.click(to_screen(self.game, CLOSE_HELP_LABEL))
        wait_until(lambda: self.board_if_readable() == cells,
                   "the board to show again as it was")
        end = play_turn(self.game, *group[0])
        self.assertEqual(board.brick_counts(read_board(self.game, end.shot)),
                         board.brick_counts_after_removing(cells, group))

    def board_if_readable(self):
        try:
            return read_board(self.game)
        except board.UnreadableBoard:
            return None

    def test_new_board_replaces_every_cell(self):
        self.start_game()
        wait_until_shown(self.game)
        cells = read_board(self.game)
        self.click_button("new_board")
        new_cells = wait_until(lambda: (b := self.board_if_readable()) != cells and b,
                               "a new board")
        self.assertEqual(board.cell_count(new_cells), board.COLUMNS * board.ROWS)

    def test_reset_then_close_saves_the_default_table_and_keeps_the_last_name(self):
        table = scores.ScoreTable("Anne", (("Anne", 12), ("Zoé", 57), ("Paul", 60))
                                  + ((scores.DEFAULT_NAME, scores.DEFAULT_RESULT),) * 10)
        self.start_game(files={scores.FILE_NAME: scores.file_bytes(table)})
        wait_until_shown(self.game)
        wait_for_region(self.game, scores.PANEL_AREA, scores.panel_picture(table),
                        "the score panel to show the score file")

        self.click_button("reset_scores")
        wait_for_region(self.game, scores.PANEL_AREA, scores.panel_picture(scores.ScoreTable()),
                        "the score panel to show the default table")
        self.click_button("close")
        self.assertEqual(wait_for_exit(self.game), 0)
        saved = (self.game.working_directory / scores.FILE_NAME).read_bytes()
        self.assertEqual(saved, scores.file_bytes(scores.ScoreTable(last_name="Anne")))

    def test_a_table_that_cannot_be_saved_is_announced_before_the_game_ends(self):
        self.start_game()
        # A folder where the score file goes: nobody, not even root, can save the table there.
        # Loading finds no file or the folder, and shows the default table either way.
        folder = self.game.working_directory / scores.FILE_NAME
        folder.mkdir()
        wait_until_shown(self.game)

        self.click_button("reset_scores")  # the table changed: closing saves it
        # The box comes while the close button's tooltip is up, its loop still running.
        move_pointer_to(self.game, layout.button_rect("close").centre)
        wait_until(lambda: find_visible_windows(TOOLTIP_TITLE, pid=self.game.process.pid),
                   "the close button's tooltip", timeout=6.0)
        self.click_button("close")
        box, _ = dialogs.wait_for_window(self.game, dialogs.PROBLEM,
                                         'the "Problème" box')  # fails if the game ended
        wait_until(lambda: desktops.is_above(box, self.game.window),
                   "the box to be above the game window")
        wait_until(lambda: desktops.focused_window() == box, "the box to take the keyboard")
        dialogs.press_key_away("Return")
        self.assertEqual(wait_for_exit(self.game), 0)
        self.assertTrue(folder.is_dir())

    def test_minimise_hides_the_window_until_the_player_brings_it_back(self):
        """Into the notification area where the desktop has one, and back with a click on its
        icon; else iconified, and back through the window manager."""
        self.start_game(tray=True)
        wait_until_shown(self.game)
        place = game_window_rect(self.game)
        cells = read_board(self.game)
        if self.notification_area:
            self.assertFalse(tray.shows_an_icon(take_screenshot()), "an icon before minimising")

        minimise_until_hidden(self.game, self.notification_area)
        pid = self.game.process.pid
        if self.notification_area:
            desktop.click(tray.ICON_POINT)
        else:
            desktop.move_pointer(desktops.DESKTOP_POINT)  # to a task list, say
            desktop.xdotool("windowactivate", self.game.window)
        wait_until(lambda: find_visible_windows(WINDOW_TITLE_PATTERN, pid=pid),
                   "the window to come back")
        wait_for_picture(self.game)
        if self.notification_area:
            wait_until(lambda: not tray.shows_an_icon(take_screenshot()), "the icon to go")
        self.assertEqual(game_window_rect(self.game), place)
        self.assertEqual(read_board(self.game), cells)
        # The pointer is far from the minimise button: the button is back at rest.
        self.assertFalse(button_looks_lit(self.game, "minimise"),
                         "the minimise button is lit when the window comes back")


if __name__ == "__main__":
    main()
