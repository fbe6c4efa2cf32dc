"""The base of the end-to-end tests: every test starts its own game (start_game), which is ended
afterwards whatever happened, with the helpers started for it; a failing test leaves the game's
output and a screenshot behind.

A test script runs as `python3 test_x.py <path of the vormelin executable> [Class.method...]` on
a display of its own (scripts/with-xvfb.sh). When VORMELIN_E2E_ARTIFACTS names a folder, a
failing test saves the screen there as <test id>.png.
"""

import functools
import os
import sys
import types
import unittest
from contextlib import ExitStack
from pathlib import Path

from . import desktops
from . import game as games
from . import screen, sound
from .png import write_png
from .tray import notification_area

ARTIFACTS_VARIABLE = "VORMELIN_E2E_ARTIFACTS"


class GameTestCase(unittest.TestCase):
    executable = None  # set by main()

    def __init__(self, method_name="runTest"):
        super().__init__(method_name)
        test = getattr(self, method_name)

        @functools.wraps(test)
        def test_keeping_evidence_of_failure(self):
            try:
                test()
            except unittest.SkipTest:
                raise
            except Exception:
                self._keep_evidence_of_failure()
                raise

        # Bound like the method it stands for, so that unittest still takes it for one.
        setattr(self, method_name, types.MethodType(test_keeping_evidence_of_failure, self))

    def setUp(self):
        self.game = None
        self.sound_server = None
        self.notification_area = False
        self._stack = ExitStack()
        self.addCleanup(self._stack.close)
        self.desktop = self._stack.enter_context(desktops.running_desktop())

    def start_game(self, sound_server=True, tray=False, files=None, arguments=(),
                   environment=None, work_name="work"):
        """Starts the game in a fresh folder; it is ended and the folder removed after the test,
        and so are the helpers started for it.

        sound_server: with a private sound server (self.sound_server) for its MIDI output, or
        with none at all. tray: with a notification area on the display where the desktop may
        have one (self.notification_area tells). files: names and bytes of files put into its
        working directory first. arguments: its command line after its name. environment:
        changes to its environment (None removes a variable). work_name: the name of its working
        directory.
        """
        self.notification_area = self.desktop.has_notification_area(tray)
        if self.notification_area and self.desktop.notification_area == "asked":
            self._stack.enter_context(notification_area())
        address = sound.NO_SERVER
        if sound_server:
            self.sound_server = self._stack.enter_context(sound.private_sound_server())
            address = self.sound_server.address
        self.game = self._stack.enter_context(
            games.running_game(self.executable, sound_server=address, files=files,
                               arguments=arguments, environment=environment,
                               work_name=work_name))
        return self.game

    def _keep_evidence_of_failure(self):
        if self.game is None:
            return
        print(f"\n--- output of the game in {self.id()} ---\n{games.game_output(self.game)}",
              file=sys.stderr)
        if self.sound_server is not None:
            print(f"--- output of the sound server ---\n{self.sound_server.log()}",
                  file=sys.stderr)
        folder = os.environ.get(ARTIFACTS_VARIABLE)
        if not folder:
            return
        try:
            Path(folder).mkdir(parents=True, exist_ok=True)
            path = Path(folder) / f"{self.id()}.png"
            write_png(path, screen.take_screenshot())
            print(f"--- screen saved as {path} ---", file=sys.stderr)
        except Exception as error:  # the evidence is a help, never a second failure
            print(f"--- no screenshot: {error} ---", file=sys.stderr)


def list_tests():
    """Prints the ids (Class.method) of the calling script's tests, one a line."""
    suite = unittest.defaultTestLoader.loadTestsFromModule(sys.modules["__main__"])
    for test in _flatten(suite):
        print(test.id().removeprefix("__main__."))


def _flatten(suite):
    for item in suite:
        if isinstance(item, unittest.TestSuite):
            yield from _flatten(item)
        else:
            yield item


def main():
    """Runs the tests of the calling script against the executable named by its first argument;
    further arguments name the tests to run (Class or Class.method), as unittest takes them.
    With --list alone, prints the ids of the script's tests instead."""
    if sys.argv[1:] == ["--list"]:
        list_tests()
        return
    if len(sys.argv) < 2:
        sys.exit(f"usage: {sys.argv[0]} <path of the vormelin executable> [tests...] | --list")
    executable = Path(sys.argv.pop(1)).resolve()
    if not os.access(executable, os.X_OK):
        sys.exit(f"{executable} is not an executable")
    if not os.environ.get("DISPLAY"):
        sys.exit("no DISPLAY: run the tests through scripts/with-xvfb.sh")
    GameTestCase.executable = executable
    unittest.main(module="__main__", verbosity=2)
