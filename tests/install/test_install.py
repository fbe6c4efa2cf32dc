"""The installed game: `cmake --install` of a build into a temporary root, then the tree it leaves
is checked as a desktop and a package manager would read it.

    test_install.py BUILD_FOLDER BINDIR VERSION [tests...]

BINDIR is where the executable goes below the prefix (bin or games), VERSION the project's.
"""

import gzip
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

APP_ID = "org.vormelin.Vormelin"
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256, 512)
PREFIX = "usr"
TIMEOUT = 60


def png_size(path):
    """(width, height) from the IHDR chunk, which a valid PNG file has first."""
    data = Path(path).read_bytes()[:24]
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise AssertionError(f"{path} is not a PNG file")
    return struct.unpack(">II", data[16:24])


def desktop_entry_keys(path):
    """The keys of the [Desktop Entry] group, localised keys ("Name[fr]") included."""
    keys = {}
    group = None
    for line in Path(path).read_text(encoding="utf-8").splitlines():
        if line.startswith("["):
            group = line
        elif group == "[Desktop Entry]" and "=" in line and not line.startswith("#"):
            key, value = line.split("=", 1)
            keys[key.strip()] = value.strip()
    return keys


class InstalledTree(unittest.TestCase):
    """One install into a temporary root, shared by the checks of this class."""
    build = None
    bindir = None
    version = None
    root = None

    @classmethod
    def setUpClass(cls):
        cls.root = Path(tempfile.mkdtemp(prefix="vormelin-install-"))
        env = dict(os.environ, DESTDIR=str(cls.root))
        done = subprocess.run(["cmake", "--install", cls.build, "--prefix", "/" + PREFIX],
                              env=env, capture_output=True, text=True, timeout=TIMEOUT,
                              check=False)
        if done.returncode != 0:
            shutil.rmtree(cls.root)
            raise AssertionError(f"cmake --install failed:\n{done.stdout}{done.stderr}")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root, ignore_errors=True)

    def installed(self, *parts):
        return self.root.joinpath(PREFIX, *parts)

    @property
    def executable(self):
        return self.installed(self.bindir, "vormelin")


class InstalledFiles(InstalledTree):
    def test_the_executable_is_installed_where_asked_and_can_run(self):
        self.assertTrue(self.executable.is_file(), self.executable)
        self.assertTrue(os.access(self.executable, os.X_OK))
        # Only the chosen folder holds it, so a package cannot ship it twice.
        other = "games" if self.bindir != "games" else "bin"
        self.assertFalse(self.installed(other, "vormelin").exists())

    def test_the_desktop_entry_is_valid_and_starts_the_game_from_the_menu(self):
        entry = self.installed("share", "applications", APP_ID + ".desktop")
        done = subprocess.run(["desktop-file-validate", str(entry)], capture_output=True,
                              text=True, timeout=TIMEOUT, check=False)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        self.assertEqual(done.stdout + done.stderr, "", "desktop-file-validate has remarks")
        keys = desktop_entry_keys(entry)
        self.assertEqual(keys["Exec"], "vormelin --from-menu")
        self.assertEqual(keys["Icon"], APP_ID)
        self.assertEqual(keys["Terminal"], "false")
        self.assertEqual(set(keys["Categories"].rstrip(";").split(";")), {"Game", "LogicGame"})
        for key in ("Name", "Comment"):
            with self.subTest(key):
                self.assertIn(f"{key}[fr]", keys)
                self.assertNotEqual(keys[key], "")

    def test_the_metainfo_is_valid_names_the_desktop_entry_and_carries_the_version(self):
        metainfo = self.installed("share", "metainfo", APP_ID + ".metainfo.xml")
        done = subprocess.run(["appstreamcli", "validate", "--no-net", str(metainfo)],
                              capture_output=True, text=True, timeout=TIMEOUT, check=False)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        text = metainfo.read_text(encoding="utf-8")
        self.assertNotIn("@", text.replace("xml:lang", ""), "a placeholder was not filled in")
        self.assertIn(f'<release version="{self.version}"', text)
        launchable = re.search(r'<launchable type="desktop-id">([^<]+)<', text).group(1)
        self.assertTrue(self.installed("share", "applications", launchable).is_file(),
                        f"the metainfo launches {launchable}, which is not installed")

    def test_every_icon_size_is_installed_at_exactly_its_pixel_size(self):
        for size in ICON_SIZES:
            with self.subTest(size=size):
                icon = self.installed("share", "icons", "hicolor", f"{size}x{size}", "apps",
                                      APP_ID + ".png")
                self.assertTrue(icon.is_file(), icon)
                self.assertEqual(png_size(icon), (size, size))

    def test_the_manual_page_documents_the_options_and_the_score_files(self):
        page = self.installed("share", "man", "man6", "vormelin.6.gz")
        text = gzip.decompress(page.read_bytes()).decode("utf-8")
        title = rf'(?m)^\.TH VORMELIN 6 "[0-9-]+" "Vormelin {re.escape(self.version)}"'
        self.assertRegex(text, title)
        self.assertNotIn("@", text, "a placeholder was not filled in")
        for option in (r"\-\-help", r"\-\-version", r"\-\-from\-menu"):
            with self.subTest(option=option):
                self.assertIn(option, text)
        files = text.split(".SH FILES", 1)[1].split(".SH ", 1)[0]
        self.assertIn("./Scores.qelm", files)
        self.assertIn("$XDG_DATA_HOME/vormelin/Scores.qelm", files)
        # man itself reads it without a warning.
        done = subprocess.run(["man", "--warnings", "-l", "-Tutf8", "-Z", str(page)],
                              capture_output=True, text=True, timeout=TIMEOUT, check=False,
                              env=dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8"))
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(done.stderr, "")

    def test_the_copyright_and_changelog_are_installed(self):
        doc = self.installed("share", "doc", "vormelin")
        self.assertIn("2026 The Vormelin developers", (doc / "copyright").read_text())
        changelog = gzip.decompress((doc / "changelog.gz").read_bytes()).decode("utf-8")
        self.assertTrue(changelog.startswith(f"vormelin ({self.version}) "), changelog)


class InstalledProgram(InstalledTree):
    """The installed executable's own options. Needs no display: they answer before any window
    is made, so they must work over a plain terminal too."""

    def run_installed(self, *arguments):
        env = {key: value for key, value in os.environ.items()
               if key not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        with tempfile.TemporaryDirectory() as folder:
            return subprocess.run([str(self.executable), *arguments], cwd=folder,
                                  env=dict(env, HOME=folder), stdin=subprocess.DEVNULL,
                                  capture_output=True, text=True, timeout=TIMEOUT, check=False)

    def test_version_prints_the_project_version(self):
        done = self.run_installed("--version")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn(self.version, done.stdout)

    def test_help_lists_every_option(self):
        done = self.run_installed("--help")
        self.assertEqual(done.returncode, 0, done.stderr)
        for option in ("--help", "--version", "--from-menu"):
            with self.subTest(option=option):
                self.assertIn(option, done.stdout)


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    InstalledTree.build, InstalledTree.bindir, InstalledTree.version = sys.argv[1:4]
    del sys.argv[1:4]
    unittest.main(verbosity=2)
