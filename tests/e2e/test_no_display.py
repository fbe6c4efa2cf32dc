"""Without a display the game can show on, it says so in one line and ends with code 1: no
display named, a display where no X server answers, only a Wayland socket (the toolkit has no
Wayland support here), or a platform that does not exist."""

import os
import subprocess
import sys
import tempfile
import unittest

TIMEOUT = 20.0
EXPECTED_START = "vormelin: no display to show the game on"


class NoDisplayTest(unittest.TestCase):
    executable = None

    def run_game(self, **variables):
        env = {key: value for key, value in os.environ.items()
               if key not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        env.update(variables)
        with tempfile.TemporaryDirectory() as folder:
            env.update({"HOME": folder, "XDG_RUNTIME_DIR": folder,
                        "PULSE_SERVER": "unix:/nonexistent"})
            return subprocess.run([self.executable], cwd=folder, env=env,
                                  stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                  timeout=TIMEOUT, check=False)

    def test_each_way_of_having_no_display_ends_with_one_line_and_code_1(self):
        cases = {
            "nothing named": {},
            "a dead X display": {"DISPLAY": ":99"},
            "a Wayland socket alone": {"WAYLAND_DISPLAY": "wayland-vormelin-none"},
            "an unknown platform": {"QT_QPA_PLATFORM": "nowhere", "DISPLAY": ":99"},
        }
        for case, variables in cases.items():
            with self.subTest(case):
                done = self.run_game(**variables)
                self.assertEqual(done.returncode, 1, done.stderr)
                lines = done.stderr.splitlines()
                self.assertEqual(len(lines), 1, done.stderr)
                self.assertTrue(lines[0].startswith(EXPECTED_START), lines[0])
                self.assertEqual(done.stdout, "")


if __name__ == "__main__":
    NoDisplayTest.executable = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
