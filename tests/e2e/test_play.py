"""A whole game played as a player would: the largest group every turn until none is left, then
the end-of-game box, the name dialog, the name in the score panel and in the score file. The box
and the dialog come above the game window and take the keyboard, which goes back to the game
when they close."""

from harness import board, desktop, desktops, dialogs, layout, scores, screen
from harness.case import GameTestCase, main
from harness.game import processes_left, wait_for_exit
from harness.turns import play_turn, read_board
from harness.waiting import wait_until
from harness.window import to_screen, wait_for_region, wait_until_shown, window_region

# The attempt chart: the first bar stands at x 480, 6 pixels wide, up from y 140; the only
# result on a board has the tallest bar, 46 pixels.
CHART_BAR_COLOUR = (51, 51, 51)
FIRST_BAR_POINTS = ((478, 96), (480, 120), (482, 138))
SECOND_BAR_POINT = (490, 138)
# Turns needed at most: every turn removes two cells or more.
MOST_TURNS = board.COLUMNS * board.ROWS // 2
# A point inside the name dialog, where its own light face shows; the game under it is dark.
DIALOG_FACE_POINT = (4, 4)
LIGHTEST_GAME_CHANNEL = 200


class PlayTest(GameTestCase):
    def play_largest_groups_until_the_end(self, cells):
        """Plays the largest group each turn; returns the final board and the end box."""
        for _ in range(MOST_TURNS):
            group = board.largest_group(cells)
            self.assertIsNotNone(group, f"no group left and no end of the game:\n"
                                        f"{board.describe(cells)}")
            end = play_turn(self.game, *group[0])
            after = read_board(self.game, end.shot)
            self.assert_group_removed(cells, group, after)
            if end.game_over:
                return after, end.box
            cells = after
        self.fail("the game did not end")

    def chart_colours(self, points):
        chart = window_region(self.game, layout.CHART_AREA)
        return [chart.pixel(x - layout.CHART_AREA.x, y - layout.CHART_AREA.y)[:3]
                for x, y in points]

    def assert_group_removed(self, before, group, after):
        """Only the clicked colour lost bricks, exactly the group's; no ball appeared."""
        self.assertEqual(board.brick_counts(after),
                         board.brick_counts_after_removing(before, group),
                         f"after removing {group} from\n{board.describe(before)}\n"
                         f"the board is\n{board.describe(after)}")
        self.assertLessEqual(board.cell_count(after, codes=(board.BALL,)),
                             board.cell_count(before, codes=(board.BALL,)))

    def assert_on_top_with_the_keyboard(self, window, what):
        wait_until(lambda: desktops.is_above(window, self.game.window),
                   f"{what} to be above the game window",
                   describe=lambda _: str(desktops.stacking_order()))
        wait_until(lambda: desktops.focused_window() == window, f"{what} to take the keyboard",
                   describe=lambda _: str(desktops.focused_window()))

    def assert_shows_its_face(self, rect, what):
        x, y = DIALOG_FACE_POINT
        colour = screen.take_screenshot().pixel(rect.x + x, rect.y + y)[:3]
        self.assertGreaterEqual(min(colour), LIGHTEST_GAME_CHANNEL,
                                f"{what} does not show on the screen: {colour}")

    def test_a_whole_game_enters_the_name_in_the_table_and_the_file(self):
        # The name entered last is offered again, with the caret at its end: typing completes it.
        table = scores.ScoreTable(last_name="Zo")
        self.start_game(files={scores.FILE_NAME: scores.file_bytes(table)})
        wait_until_shown(self.game)
        first_board = read_board(self.game)

        final_board, (box, _) = self.play_largest_groups_until_the_end(first_board)
        self.assertEqual(board.groups(final_board), [],
                         f"the end-of-game box came with groups left:\n"
                         f"{board.describe(final_board)}")
        result = board.cell_count(final_board)

        self.assert_on_top_with_the_keyboard(box, "the end-of-game box")
        dialogs.press_key_away("Return")
        dialog, dialog_rect = dialogs.wait_for_name_dialog(self.game)
        self.assertEqual(dialogs.outer_rect(dialog).top_left, dialogs.NAME_DIALOG_RECT.top_left)
        self.assert_on_top_with_the_keyboard(dialog, "the name dialog")
        self.assert_shows_its_face(dialog_rect, "the name dialog")
        dialogs.type_away("é")
        dialogs.press_key_away("Return")
        dialogs.wait_until_closed(self.game, dialog, "the name dialog")
        wait_until(lambda: desktops.focused_window() == self.game.window,
                   "the game window to take the keyboard back")

        expected = scores.with_entry(table, "Zoé", result)
        self.assertEqual(expected.entries[0], ("Zoé", result))
        wait_for_region(self.game, scores.PANEL_AREA, scores.panel_picture(expected),
                        "the score panel to show the new entry first")
        # The attempt is on the chart, and the same board starts again.
        wait_until(lambda: self.chart_colours(FIRST_BAR_POINTS) == [CHART_BAR_COLOUR] * 3,
                   "the chart to show the attempt", describe=lambda _: str(
                       self.chart_colours(FIRST_BAR_POINTS)))
        self.assertNotEqual(self.chart_colours([SECOND_BAR_POINT]), [CHART_BAR_COLOUR])
        wait_until(lambda: read_board(self.game) == first_board,
                   "the first board to start again")

        desktop.click(to_screen(self.game, layout.button_rect("close").centre))
        self.assertEqual(wait_for_exit(self.game), 0)
        self.assertEqual(processes_left(self.game), [])
        saved = (self.game.working_directory / scores.FILE_NAME).read_bytes()
        self.assertEqual(saved, scores.file_bytes(expected))


if __name__ == "__main__":
    main()
