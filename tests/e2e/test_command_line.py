"""The command line is answered before the game touches any display: help and the version on the
standard output with code 0, anything unknown refused on the standard error with code 2."""

import os
import subprocess
import sys
import tempfile
import unittest

TIMEOUT = 20.0


class CommandLineTest(unittest.TestCase):
    executable = None
    version = None

    def run_game(self, *arguments, display=None):
        """Runs the game without a display (or with `display` named, where no server answers)."""
        env = {key: value for key, value in os.environ.items()
               if key not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        if display:
            env["DISPLAY"] = display
        with tempfile.TemporaryDirectory() as folder:
            env.update({"HOME": folder, "XDG_RUNTIME_DIR": folder,
                        "PULSE_SERVER": "unix:/nonexistent"})
            done = subprocess.run([self.executable, *arguments], cwd=folder, env=env,
                                  stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                  timeout=TIMEOUT, check=False)
            self.assertEqual(os.listdir(folder), [], "nothing written")
            return done

    def test_help_prints_the_usage_in_english_and_french_and_ends_with_0(self):
        for option in ("--help", "-h"):
            for display in (None, ":99"):
                with self.subTest(option=option, display=display):
                    done = self.run_game(option, display=display)
                    self.assertEqual(done.returncode, 0, done.stderr)
                    self.assertEqual(done.stderr, "")
                    self.assertTrue(done.stdout.startswith("Usage: vormelin"), done.stdout)
                    self.assertIn("Utilisation : vormelin", done.stdout)
                    for name in ("--help", "--version", "--from-menu"):
                        self.assertIn(name, done.stdout)

    def test_version_prints_the_name_and_version_and_ends_with_0(self):
        for arguments in (["--version"], ["--from-menu", "--version"]):
            with self.subTest(arguments=arguments):
                done = self.run_game(*arguments)
                self.assertEqual(done.returncode, 0, done.stderr)
                self.assertEqual(done.stdout, f"vormelin {self.version}\n")
                self.assertEqual(done.stderr, "")

    def test_what_is_not_known_is_refused_with_the_usage_and_code_2(self):
        cases = {
            ("--bogus",): "vormelin: unknown option '--bogus'",
            ("scores.txt",): "vormelin: unexpected argument 'scores.txt'",
            ("--help", "--bogus"): "vormelin: unknown option '--bogus'",
        }
        for arguments, complaint in cases.items():
            with self.subTest(arguments=arguments):
                done = self.run_game(*arguments, display=":99")
                self.assertEqual(done.returncode, 2, done.stderr)
                self.assertEqual(done.stdout, "")
                lines = done.stderr.splitlines()
                self.assertEqual(lines[0], complaint)
                self.assertEqual(lines[1], "Usage: vormelin [--from-menu]")

    def test_a_closed_standard_output_is_no_success(self):
        done = subprocess.run(f"exec {self.executable} --version >&-", shell=True,
                              capture_output=True, text=True, timeout=TIMEOUT, check=False)
        self.assertEqual(done.returncode, 1, done.stderr)


if __name__ == "__main__":
    CommandLineTest.executable = os.path.abspath(sys.argv.pop(1))
    CommandLineTest.version = sys.argv.pop(1)
    unittest.main(verbosity=2)
