"""Checks of the start-up measurement (bench/startup_cost.py): its readings of a process's CPU
time and memory, its arithmetic, and its watcher of the first frame against the real game.

    scripts/with-xvfb.sh python3 bench/tests/test_startup_measure.py build/app/vormelin

Without a display or without the game's path, the watcher's cases are skipped.
"""

import os
import sys
import threading
import time
import unittest
from pathlib import Path

BENCH = Path(__file__).resolve().parents[1]
sys.path[:0] = [str(BENCH), str(BENCH.parent / "tests" / "e2e")]

import first_frame  # noqa: E402
import process_stats  # noqa: E402
import startup_report  # noqa: E402
from harness import desktops, sound  # noqa: E402
from harness import game as games  # noqa: E402
from harness import layout, screen  # noqa: E402
from harness.geometry import Rect  # noqa: E402
from harness.window import compare_region  # noqa: E402

GAME = None  # the game's executable, from the command line


def burn_cpu(seconds):
    start = time.thread_time()
    while time.thread_time() - start < seconds:
        pass


class ProcessStatsTest(unittest.TestCase):
    def test_cpu_time_counts_every_thread_even_those_that_ended(self):
        before = process_stats.cpu_ns(os.getpid())
        worker = threading.Thread(target=burn_cpu, args=(0.05,))
        worker.start()
        worker.join()
        used = process_stats.cpu_ns(os.getpid()) - before
        self.assertGreaterEqual(used, 50_000_000)
        self.assertLess(abs(process_stats.cpu_ns(os.getpid()) - time.process_time_ns()),
                        5_000_000)

    def test_resident_memory_is_read_in_kib(self):
        status = "Name:\tgame\nVmPeak:\t  9000 kB\nVmRSS:\t   51234 kB\nThreads:\t6\n"
        self.assertEqual(process_stats.vm_rss_kib(status), 51234)
        with self.assertRaises(ValueError):
            process_stats.vm_rss_kib("Name:\tgame\nState:\tZ (zombie)\n")
        self.assertGreater(process_stats.resident_kib(os.getpid()), 1000)


def figures(first_frame_ms, rss_mib):
    return startup_report.RunFigures(None, first_frame_ms, None, rss_mib, 0.0, 10.0)


class ReportTest(unittest.TestCase):
    def test_medians_leave_out_missing_figures(self):
        runs = [figures(90.0, 50.0), figures(None, 40.0), figures(70.0, 45.0),
                figures(100.0, 41.0)]
        self.assertEqual(startup_report.median(runs, "first_frame_ms"), 90.0)
        self.assertEqual(startup_report.median(runs, "rss_mib"), 43.0)
        self.assertIsNone(startup_report.median(runs, "cpu_ms"))

    def test_ratios_only_where_both_figures_are(self):
        self.assertAlmostEqual(startup_report.ratio(90.0, 100.0), 0.9)
        self.assertIsNone(startup_report.ratio(None, 100.0))
        self.assertIsNone(startup_report.ratio(0.1, 0.0))  # a peer that never wakes

    def test_table_gives_the_game_over_its_peer(self):
        runs = {"Vormelin": [figures(90.0, 50.0)], "Same Game": [figures(100.0, 25.0)],
                "Vormelin, no server": [figures(None, 45.0)]}
        lines = startup_report.table(runs, "Vormelin", "Same Game").splitlines()
        frame_row = next(line for line in lines if line.startswith("exec to first frame"))
        self.assertEqual(frame_row.split()[-4:], ["90.0", "100.0", "—", "0.90"])
        rss_row = next(line for line in lines if line.startswith("RSS"))
        self.assertEqual(rss_row.split()[-4:], ["50.0", "25.0", "45.0", "2.00"])
        alone = startup_report.table({"Vormelin": runs["Vormelin"]}, "Vormelin")
        self.assertNotIn("ratio", alone)


class WatcherTest(unittest.TestCase):
    def setUp(self):
        if not (os.environ.get("DISPLAY") and GAME):
            self.skipTest("needs a display and the game")
        self.enterContext(desktops.running_desktop(desktops.DESKTOPS["bare"]))
        self.server = self.enterContext(sound.private_sound_server())

    def test_first_frame_is_the_game_window_showing_its_picture(self):
        with first_frame.Watcher() as watcher, \
                games.running_game(GAME, sound_server=self.server.address) as game:
            frame = watcher.first_frame(game.process, game.started, "^Vormelin$")
            self.assertEqual(frame.rect, Rect(162, 109, 700, 550))
            self.assertLess(0, frame.mapped)
            self.assertLessEqual(frame.mapped, frame.drawn)
            self.assertGreater(frame.cpu_ns, 0)
            # The screen shows the picture already when the watcher says so: the window's title,
            # which no widget covers.
            game.window = frame.window
            title = screen.crop(layout.picture("FOND"), layout.TITLE_AREA)
            self.assertTrue(compare_region(game, layout.TITLE_AREA, title, opaque_only=True).same)
            # The bare root around the window is no picture.
            self.assertFalse(watcher.shows_picture(Rect(0, 0, 160, 100)))

    def test_windows_of_another_title_are_not_watched(self):
        with first_frame.Watcher() as watcher, \
                games.running_game(GAME, sound_server=self.server.address) as game:
            with self.assertRaises(first_frame.NoFirstFrame):
                watcher.first_frame(game.process, game.started, "^Same Game$", timeout=3)


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        GAME = Path(sys.argv.pop(1)).resolve()
    unittest.main()
