"""One game per score table: a second start in the folder of a running game brings that game's
window forward and ends, whether the window shows, hides in the notification area or is
iconified; a game that was killed leaves nothing that stops the next start; and a start from the
menu keeps its score table in the user's data folder."""

import os
import signal
import stat
import subprocess

from harness import scores, tray
from harness.case import GameTestCase, main
from harness.desktop import find_visible_windows
from harness.game import WINDOW_TITLE_PATTERN, start_beside, wait_for_exit
from harness.screen import take_screenshot
from harness.waiting import wait_until
from harness.window import (click_button, minimise_until_hidden, wait_for_picture, wait_for_region,
                            wait_until_shown)

# A second start asks the first game and ends; it must not take long.
SECOND_START_TIMEOUT = 8.0


class SingleGameTest(GameTestCase):
    def click_button(self, name):
        click_button(self.game, name)

    def start_again(self, arguments=(), cwd=None):
        """Starts the game once more beside the first; returns (exit code, stdout, stderr)."""
        second = start_beside(self.executable, self.game, arguments, cwd)
        try:
            out, err = second.communicate(timeout=SECOND_START_TIMEOUT)
        except subprocess.TimeoutExpired:
            second.kill()
            out, err = second.communicate()
            self.fail(f"the second start did not end in {SECOND_START_TIMEOUT} s:\n{out}{err}")
        return second.returncode, out, err

    def game_windows(self):
        """The visible main windows of every game on the display."""
        return find_visible_windows(WINDOW_TITLE_PATTERN)

    def assert_handed_over(self, arguments=(), cwd=None):
        code, out, err = self.start_again(arguments, cwd)
        self.assertEqual(code, 0, f"stdout: {out}\nstderr: {err}")
        self.assertIsNone(self.game.process.poll(), "the first game still runs")

    def test_a_second_start_ends_and_the_first_game_stays_in_front(self):
        self.start_game()
        wait_until_shown(self.game)
        self.assert_handed_over()
        wait_until(lambda: self.game_windows() == [self.game.window],
                   "the first game's window alone on the display")
        wait_for_picture(self.game)

    def test_a_second_start_brings_back_a_hidden_game(self):
        """From the notification area where the desktop has one, else un-iconified."""
        self.start_game(tray=True)
        wait_until_shown(self.game)
        minimise_until_hidden(self.game, self.notification_area)
        pid = self.game.process.pid

        self.assert_handed_over()
        wait_until(lambda: find_visible_windows(WINDOW_TITLE_PATTERN, pid=pid),
                   "the window to come back")
        wait_for_picture(self.game)
        if self.notification_area:
            wait_until(lambda: not tray.shows_an_icon(take_screenshot()), "the icon to go")
        self.assertEqual(self.game_windows(), [self.game.window])

    def test_after_a_killed_game_the_next_start_plays(self):
        self.start_game()
        wait_until_shown(self.game)
        runtime = self.game.folder / "runtime"
        self.game.process.send_signal(signal.SIGKILL)
        self.assertEqual(wait_for_exit(self.game), -signal.SIGKILL)
        left = sorted(name for name in os.listdir(runtime) if name.startswith("vormelin-"))
        self.assertTrue(any(name.endswith(".lock") for name in left), left)

        second = start_beside(self.executable, self.game)
        wait_until(lambda: second.poll() is None
                   and find_visible_windows(WINDOW_TITLE_PATTERN, pid=second.pid),
                   "the next game's window", timeout=15.0)
        # And that game is the folder's now: a third start hands over to it.
        code, out, err = self.start_again()
        self.assertEqual(code, 0, f"stdout: {out}\nstderr: {err}")
        self.assertIsNone(second.poll())
        second.terminate()
        second.communicate(timeout=10.0)

    def test_from_the_menu_the_table_is_kept_in_the_data_folder(self):
        # The data home does not exist yet: its folders are made, for the owner alone.
        self.start_game(arguments=["--from-menu"])
        data_home = self.game.folder / "home" / ".local" / "share"
        folder = data_home / "vormelin"
        wait_until_shown(self.game)
        self.assertTrue(folder.is_dir())
        self.assertEqual(stat.S_IMODE(os.stat(self.game.folder / "home" / ".local").st_mode),
                         0o700)

        # Another start from the menu, from anywhere, finds the same game.
        self.assert_handed_over(["--from-menu"], cwd=self.game.folder)

        self.click_button("reset_scores")
        wait_for_region(self.game, scores.PANEL_AREA, scores.panel_picture(scores.ScoreTable()),
                        "the score panel to show the default table")
        self.click_button("close")
        self.assertEqual(wait_for_exit(self.game), 0)
        self.assertEqual((folder / scores.FILE_NAME).read_bytes(),
                         scores.file_bytes(scores.ScoreTable()))
        self.assertEqual(os.listdir(self.game.working_directory), [])

    def test_from_the_menu_an_unset_data_home_means_the_homes_local_share(self):
        self.start_game(arguments=["--from-menu"],
                        environment={"XDG_DATA_HOME": "relative/data"})
        wait_until_shown(self.game)
        self.assertTrue((self.game.folder / "home" / ".local" / "share" / "vormelin").is_dir())
        self.assertFalse((self.game.working_directory / "relative").exists())


if __name__ == "__main__":
    main()
