"""Sound: a fall is heard through the sound server; without any sound server the game says so
once, in a message box before its window, and is then played in silence."""

from harness import board, desktops, dialogs, sound
from harness.case import GameTestCase, main
from harness.desktop import find_visible_windows
from harness.game import WINDOW_TITLE_PATTERN
from harness.turns import play_turn, read_board
from harness.waiting import wait_until
from harness.window import wait_until_shown

# 16-bit samples: the null sink's silence is 0; the game's notes peak in the thousands.
SILENT_PEAK = 100
AUDIBLE_PEAK = 1000
QUIET_SAMPLES = sound.SAMPLE_RATE // 4


def group_that_makes_cells_fall(cells):
    return next(group for group in board.groups(cells) if board.makes_cells_fall(cells, group))


class SoundTest(GameTestCase):
    def test_falling_cells_are_heard_on_the_sound_server(self):
        self.start_game()
        wait_until_shown(self.game)
        cells = read_board(self.game)
        group = group_that_makes_cells_fall(cells)

        with sound.recording(self.sound_server) as recorded:
            # Choosing the instruments at start-up plays nothing.
            wait_until(lambda: recorded.sample_count() >= QUIET_SAMPLES, "a quarter of a second")
            self.assertLess(recorded.peak(), SILENT_PEAK)
            start = recorded.sample_count()
            play_turn(self.game, *group[0])
            wait_until(lambda: recorded.peak(start) >= AUDIBLE_PEAK, "the fall to be heard",
                       describe=lambda _: f"a peak of {recorded.peak(start)}")

    def test_without_a_sound_server_one_box_says_so_then_the_game_plays(self):
        self.start_game(sound_server=False)
        box, _ = dialogs.wait_for_window(self.game, dialogs.PROBLEM, 'the "Problème" box')
        self.assertEqual(find_visible_windows(WINDOW_TITLE_PATTERN, pid=self.game.process.pid),
                         [], "the main window came before the box was answered")
        wait_until(lambda: desktops.focused_window() == box, "the box to take the keyboard")
        dialogs.press_key_away("Return")
        dialogs.wait_until_closed(self.game, box, 'the "Problème" box')

        wait_until_shown(self.game)
        cells = read_board(self.game)
        group = group_that_makes_cells_fall(cells)
        # The fall strikes a note on the output that could not be opened: silently.
        end = play_turn(self.game, *group[0])
        self.assertEqual(board.brick_counts(read_board(self.game, end.shot)),
                         board.brick_counts_after_removing(cells, group))
        self.assertEqual(dialogs.visible_windows(self.game, dialogs.PROBLEM), [],
                         'a second "Problème" box')


if __name__ == "__main__":
    main()
