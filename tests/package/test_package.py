"""The Debian package as built by scripts/package.sh: its control fields, its contents, what
lintian says of it, and the game started from the package's files.

    test_package.py FOLDER VERSION [tests...]

FOLDER holds the one package vormelin_*.deb that scripts/package.sh made there.

The start test needs a display: run it through scripts/with-xvfb.sh.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

APP_ID = "org.vormelin.Vormelin"
TIMEOUT = 120
WINDOW_TIMEOUT = 20.0


def run(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, timeout=TIMEOUT, check=False,
                          **options)


class PackageTest(unittest.TestCase):
    package = None
    version = None


class ControlAndContents(PackageTest):
    def field(self, name):
        done = run("dpkg-deb", "--field", self.package, name)
        self.assertEqual(done.returncode, 0, done.stderr)
        return done.stdout.strip()

    def test_the_control_fields_name_the_game_its_section_and_what_it_needs(self):
        self.assertEqual(self.field("Package"), "vormelin")
        self.assertEqual(self.field("Version"), self.version)
        self.assertEqual(self.field("Section"), "games")
        self.assertNotEqual(self.field("Maintainer"), "")
        self.assertNotEqual(self.field("Homepage"), "")
        depends = [alternatives.strip() for alternatives in self.field("Depends").split(",")]
        # dpkg-shlibdeps found the linked libraries; FluidSynth (opened with dlopen), the sound
        # font and the fonts are named by the build.
        self.assertTrue(any(entry.startswith("libqt6") for entry in depends), depends)
        self.assertIn("libfluidsynth3", depends)
        self.assertIn("timgm6mb-soundfont | fluid-soundfont-gm", depends)
        self.assertIn("fonts-liberation2", depends)
        self.assertEqual(Path(self.package).name,
                         f"vormelin_{self.version}_{self.field('Architecture')}.deb")

    def test_the_package_holds_the_game_in_usr_games_and_its_desktop_files(self):
        done = run("dpkg-deb", "--contents", self.package)
        self.assertEqual(done.returncode, 0, done.stderr)
        entries = {}
        for line in done.stdout.splitlines():
            mode, *_, path = line.split()
            entries[path.lstrip(".")] = mode
        expected = [
            "/usr/games/vormelin",
            f"/usr/share/applications/{APP_ID}.desktop",
            f"/usr/share/metainfo/{APP_ID}.metainfo.xml",
            "/usr/share/man/man6/vormelin.6.gz",
            "/usr/share/doc/vormelin/copyright",
            "/usr/share/doc/vormelin/changelog.gz",
        ] + [f"/usr/share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png"
             for n in (16, 24, 32, 48, 64, 128, 256, 512)]
        for path in expected:
            with self.subTest(path=path):
                self.assertIn(path, entries)
        self.assertEqual(entries["/usr/games/vormelin"], "-rwxr-xr-x")
        self.assertNotIn("/usr/bin/vormelin", entries)
        # Nothing but /usr: no build folder or absolute path of the build machine leaked in.
        self.assertEqual([path for path in entries if not path.startswith("/usr/")], [])

    def test_the_executable_is_stripped(self):
        with tempfile.TemporaryDirectory() as root:
            self.assertEqual(run("dpkg-deb", "-x", self.package, root).returncode, 0)
            done = run("file", "-b", os.path.join(root, "usr/games/vormelin"))
        self.assertIn("ELF", done.stdout)
        self.assertIn(", stripped", done.stdout)

    def test_lintian_finds_no_error(self):
        done = run("lintian", "--fail-on", "error", self.package)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        self.assertNotRegex(done.stdout, r"(?m)^E: ", done.stdout)


class StartFromPackage(PackageTest):
    """The executable from the extracted package starts and shows a window (with no sound server
    it first shows a box that says the sound is missing)."""

    def test_the_extracted_game_shows_a_window(self):
        if not os.environ.get("DISPLAY"):
            self.fail("no DISPLAY: run this test through scripts/with-xvfb.sh")
        with tempfile.TemporaryDirectory(prefix="vormelin-package-") as folder:
            root = Path(folder) / "root"
            work = Path(folder) / "work"
            home = Path(folder) / "home"
            runtime = Path(folder) / "runtime"
            for made in (root, work, home):
                made.mkdir()
            runtime.mkdir(mode=0o700)
            self.assertEqual(run("dpkg-deb", "-x", self.package, str(root)).returncode, 0)
            env = dict(os.environ, HOME=str(home), XDG_RUNTIME_DIR=str(runtime),
                       XDG_DATA_HOME=str(home / "data"), XDG_CONFIG_HOME=str(home / "config"),
                       PULSE_SERVER="unix:/nonexistent", QT_QPA_PLATFORM="xcb")
            game = subprocess.Popen([str(root / "usr/games/vormelin")], cwd=work, env=env,
                                    stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                    stderr=subprocess.STDOUT, start_new_session=True)
            try:
                windows = self.wait_for_window(game)
                self.assertTrue(windows, "no window appeared")
            finally:
                os.killpg(game.pid, signal.SIGKILL)
                output = game.communicate(timeout=TIMEOUT)[0]
            self.assertNotIn(b"error while loading shared libraries", output)

    def wait_for_window(self, game):
        """The ids of the game's visible windows, once there is one; empty on timeout."""
        deadline = time.monotonic() + WINDOW_TIMEOUT
        while time.monotonic() < deadline:
            if game.poll() is not None:
                self.fail(f"the game ended with code {game.returncode} before showing a window:\n"
                          + game.stdout.read().decode(errors="replace"))
            done = run("xdotool", "search", "--onlyvisible", "--pid", str(game.pid))
            if done.stdout.split():
                return done.stdout.split()
            time.sleep(0.2)
        return []


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    packages = sorted(Path(sys.argv[1]).glob("vormelin_*.deb"))
    if len(packages) != 1:
        sys.exit(f"expected one vormelin_*.deb in {sys.argv[1]}, found {len(packages)}")
    PackageTest.package, PackageTest.version = str(packages[0]), sys.argv[2]
    del sys.argv[1:3]
    if shutil.which("dpkg-deb") is None:
        sys.exit("dpkg-deb is missing")
    unittest.main(verbosity=2)
