"""The Windows build (vormelin.exe) under Wine, driven as a player would drive it: the start-up
box of a missing MIDI output (Wine on a machine without sound hardware has none), the window at
the centre with a board the generator could have made, a turn, the score file written on closing
exactly as the Linux build writes it, Escape, and the first screen beside the Linux build's for
the same board.

    scripts/with-xvfb.sh python3 tests/e2e/test_windows_build.py build-windows/app/vormelin.exe

VORMELIN_LINUX_GAME names the Linux build's executable for the comparisons with it; without it
they are skipped. The Windows build must have its test hooks (a build with tests has them), so
that VORMELIN_TEST_SEED gives both the same board.
"""

import os
import stat
import sys
import tempfile
from pathlib import Path

from harness import board, desktop, dialogs, layout, scores
from harness.case import ARTIFACTS_VARIABLE, GameTestCase, main
from harness.game import game_window_rect, wait_for_exit
from harness.geometry import Rect
from harness.png import write_png
from harness.screen import crop, take_screenshot
from harness.turns import read_board
from harness.waiting import wait_until
from harness.window import click_button, move_pointer_to, to_screen, wait_until_shown

REPOSITORY = Path(__file__).resolve().parent.parent.parent
WINE_RUN = REPOSITORY / "scripts" / "wine-run.sh"
LINUX_GAME_VARIABLE = "VORMELIN_LINUX_GAME"
SEED = "20261207"
SEEDED = {"VORMELIN_TEST_SEED": SEED}
# Wine starts slower than the game itself, the first time on a display above all.
WINE_TIMEOUT = 60.0
CENTRED = Rect(162, 109, 700, 550)  # on the 1024 × 768 display


def wine_launcher(executable):
    """A launcher that runs the Windows executable under Wine, for the harness, which starts a
    program by its path."""
    folder = Path(tempfile.mkdtemp(prefix="vormelin-wine-launcher-"))
    launcher = folder / "vormelin"
    launcher.write_text(f'#!/bin/sh\nexec "{WINE_RUN}" "{executable}" "$@"\n')
    launcher.chmod(launcher.stat().st_mode | stat.S_IXUSR)
    return launcher


def balls_side_by_side(cells):
    """The cells where a ball has a ball below it or at its left: the generator never makes one."""
    return [(column, row) for column in range(board.COLUMNS) for row in range(board.ROWS)
            if cells[column][row] == board.BALL and (
                (row > 0 and cells[column][row - 1] == board.BALL)
                or (column > 0 and cells[column - 1][row] == board.BALL))]


def floating_cells(cells):
    """Cells with an empty cell below them: after a turn, every cell has fallen."""
    return [(column, row) for column in range(board.COLUMNS) for row in range(1, board.ROWS)
            if cells[column][row] != board.EMPTY and cells[column][row - 1] == board.EMPTY]


class WindowsBuildTest(GameTestCase):
    def start_windows_game(self, environment=None):
        """Starts vormelin.exe, answers the box of the missing MIDI output (the only one), and
        waits for the window's picture."""
        game = self.start_game(sound_server=False, environment={**SEEDED, **(environment or {})})
        box = dialogs.wait_for_window(game, dialogs.PROBLEM, "the box of the MIDI output",
                                      timeout=WINE_TIMEOUT)
        self.assertEqual(len(dialogs.visible_windows(game, ".")), 1,
                         "the box comes alone, before the window")
        dialogs.press_key_in(box[1], "Return")
        dialogs.wait_until_closed(game, box[0], "the box")
        wait_until_shown(game)
        return game

    def start_linux_game(self, files=None):
        linux_game = os.environ.get(LINUX_GAME_VARIABLE)
        if not linux_game:
            self.skipTest(f"{LINUX_GAME_VARIABLE} names no Linux build to compare with")
        self.executable, windows_game = Path(linux_game), self.executable
        try:
            game = self.start_game(files=files, environment=SEEDED)
        finally:
            self.executable = windows_game
        wait_until_shown(game)
        return game

    def test_starts_centred_with_a_generated_board_after_the_one_midi_box_and_plays_a_turn(self):
        self.start_windows_game()
        self.assertEqual(game_window_rect(self.game), CENTRED)
        cells = read_board(self.game)
        self.assertEqual(board.cell_count(cells), board.COLUMNS * board.ROWS,
                         f"empty cells on the first board:\n{board.describe(cells)}")
        self.assertEqual(balls_side_by_side(cells), [], board.describe(cells))

        group = board.largest_group(cells)
        column, row = group[0]
        desktop.click(to_screen(self.game, board.cell_centre(column, row)))
        after = wait_until(lambda: (seen := read_board(self.game)) != cells and seen,
                           "the turn to change the board", timeout=20.0)
        # The cascade ends with every cell fallen and the group's cells gone.
        after = wait_until(lambda: not floating_cells(seen := read_board(self.game)) and seen,
                           "the cells to fall", timeout=20.0)
        self.assertLessEqual(board.cell_count(after), board.cell_count(cells) - len(group),
                             board.describe(after))
        self.assertEqual(dialogs.visible_windows(self.game, dialogs.PROBLEM), [],
                         "a silent game shows no box for its notes")

    def test_escape_ends_the_game_with_code_0_and_saves_nothing(self):
        self.start_windows_game()
        move_pointer_to(self.game, layout.BARE_BACKGROUND.centre)
        desktop.press_key("Escape")
        self.assertEqual(wait_for_exit(self.game, timeout=WINE_TIMEOUT), 0)
        self.assertEqual(os.listdir(self.game.working_directory), [])

    def test_the_close_button_writes_the_score_file_as_the_linux_build_does(self):
        # In a folder whose name Windows' old code pages cannot all hold: the file is found by
        # its UTF-16 path.
        table = scores.ScoreTable("Zoé", (("Zoé", 12), ("Anne", 57))
                                  + ((scores.DEFAULT_NAME, scores.DEFAULT_RESULT),) * 11)
        original = scores.file_bytes(table)
        game = self.start_game(sound_server=False, files={scores.FILE_NAME: original},
                               environment=SEEDED, work_name="Bâtiment ĳ")
        box = dialogs.wait_for_window(game, dialogs.PROBLEM, "the box of the MIDI output",
                                      timeout=WINE_TIMEOUT)
        dialogs.press_key_in(box[1], "Return")
        wait_until_shown(game)
        click_button(game, "reset_scores")
        click_button(game, "close")
        self.assertEqual(wait_for_exit(game, timeout=WINE_TIMEOUT), 0)
        saved = (game.working_directory / scores.FILE_NAME).read_bytes()
        self.assertEqual(saved, scores.file_bytes(scores.ScoreTable(last_name="Zoé")))

        linux = self.start_linux_game(files={scores.FILE_NAME: original})
        click_button(linux, "reset_scores")
        click_button(linux, "close")
        self.assertEqual(wait_for_exit(linux), 0)
        self.assertEqual(saved, (linux.working_directory / scores.FILE_NAME).read_bytes())

    def test_the_first_screen_shows_the_linux_builds_board_for_the_same_seed(self):
        self.start_windows_game()
        move_pointer_to(self.game, layout.BARE_BACKGROUND.centre)
        windows_shot = take_screenshot()
        windows_cells = read_board(self.game, windows_shot)
        windows_picture = crop(windows_shot, game_window_rect(self.game))
        desktop.press_key("Escape")
        wait_for_exit(self.game, timeout=WINE_TIMEOUT)

        linux = self.start_linux_game()
        move_pointer_to(linux, layout.BARE_BACKGROUND.centre)
        linux_shot = take_screenshot()
        self.assertEqual(windows_cells, read_board(linux, linux_shot), "the same seed, the same board")
        linux_picture = crop(linux_shot, game_window_rect(linux))
        keep_pictures(windows_picture, linux_picture)
        different, largest = picture_difference(windows_picture, linux_picture)
        share = different / (CENTRED.width * CENTRED.height)
        print(f"\nWindows build under Wine against the Linux build, first screen: {different} of "
              f"{CENTRED.width * CENTRED.height} pixels differ ({100 * share:.2f} %), by at most "
              f"{largest} in a channel", file=sys.stderr)
        # The board is pictures only: the same pixels. Text is drawn by another engine (GDI+
        # against Qt, other hinting), and the frame's soft edge meets the screen otherwise; they
        # make the rest of the difference, about 5 % of the window.
        board_different, _ = picture_difference(crop(windows_picture, board.AREA),
                                                crop(linux_picture, board.AREA))
        self.assertEqual(board_different, 0)
        self.assertLess(share, 0.10)


def keep_pictures(windows_picture, linux_picture):
    """Saves both first screens beside the failures' screenshots, to be looked at."""
    folder = os.environ.get(ARTIFACTS_VARIABLE)
    if folder:
        Path(folder).mkdir(parents=True, exist_ok=True)
        write_png(Path(folder) / "first-screen-windows.png", windows_picture)
        write_png(Path(folder) / "first-screen-linux.png", linux_picture)


def picture_difference(first, second):
    """(pixels whose colour differs by more than 8 in a channel, the largest difference)."""
    different = 0
    largest = 0
    for offset in range(0, len(first.rgba), 4):
        step = max(abs(first.rgba[offset + c] - second.rgba[offset + c]) for c in range(3))
        largest = max(largest, step)
        different += step > 8
    return different, largest


if __name__ == "__main__":
    if len(sys.argv) > 1 and sys.argv[1] != "--list":
        sys.argv[1] = str(wine_launcher(Path(sys.argv[1]).resolve()))
    main()
