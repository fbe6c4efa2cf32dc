#!/usr/bin/env python3
"""The Windows build under Wine beside the Linux build, in one interleaved run: the time from the
exec to the first picture of the "Problème" box that both show first when they have no MIDI
output (the Linux game without a sound server, the Windows one under Wine, which has no MIDI
device on a machine without sound hardware), then to the main window's first picture once the
box is answered; and the direct update of a full board (bench/full_board_update, built for
each). Figures under Wine are indicative only: Wine's start and its drawing are not Windows'.

    scripts/with-xvfb.sh python3 bench/windows_cost.py build build-windows [--runs 9]
"""

import argparse
import os
import re
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))

import first_frame  # noqa: E402
from harness import desktops, dialogs  # noqa: E402
from harness import game as games  # noqa: E402

REPOSITORY = Path(__file__).resolve().parent.parent
WINE_RUN = REPOSITORY / "scripts" / "wine-run.sh"
UPDATE_LINE = re.compile(r"first picture ([\d.]+) ms; full board update median ([\d.]+) ms")


def launcher(folder, command):
    """An executable script that runs `command` with the arguments it is given."""
    path = folder / "launch"
    path.write_text("#!/bin/sh\nexec " + " ".join(f'"{part}"' for part in command) + ' "$@"\n')
    path.chmod(0o755)
    return path


def start_to_pictures(executable):
    """(ms from the exec to the box's first picture, ms from answering it to the main
    window's)."""
    with first_frame.Watcher() as watcher, games.running_game(executable) as game:
        box = watcher.first_frame(game.process, game.started, dialogs.PROBLEM, timeout=60)
        _, rect = dialogs.wait_for_window(game, dialogs.PROBLEM, "the box", timeout=60)
        answered = time.monotonic()
        dialogs.press_key_in(rect, "Return")
        window = watcher.first_frame(game.process, answered, games.WINDOW_TITLE_PATTERN,
                                     timeout=60)
        return 1000 * box.drawn, 1000 * window.drawn


def full_board_update(command):
    """(ms from the program's start to its first picture, median ms of a full board update)."""
    output = subprocess.run([*command, "50"], capture_output=True, text=True, timeout=120,
                            check=True).stdout
    match = UPDATE_LINE.search(output)
    if not match:
        raise RuntimeError(f"unexpected output of {command}: {output!r}")
    return float(match.group(1)), float(match.group(2))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("linux_build", type=Path)
    parser.add_argument("windows_build", type=Path)
    parser.add_argument("--runs", type=int, default=9)
    arguments = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("no DISPLAY: run the script through scripts/with-xvfb.sh")
    folder = Path(os.environ.get("TMPDIR", "/tmp")) / f"vormelin-windows-cost-{os.getpid()}"
    folder.mkdir()
    builds = {
        "Linux": (arguments.linux_build.resolve() / "app" / "vormelin",
                  [str(arguments.linux_build.resolve() / "bench" / "full_board_update")]),
        "Windows under Wine": (
            launcher(folder, [WINE_RUN, arguments.windows_build.resolve() / "app" / "vormelin.exe"]),
            [str(WINE_RUN), str(arguments.windows_build.resolve() / "bench" / "full_board_update.exe")]),
    }
    figures = {label: [] for label in builds}
    with desktops.running_desktop(desktops.DESKTOPS["bare"]):
        for label, (game, _) in builds.items():
            start_to_pictures(game)  # warm: files read, Wine's prefix up
        for number in range(1, arguments.runs + 1):
            for label, (game, update) in builds.items():
                row = (*start_to_pictures(game), *full_board_update(update))
                figures[label].append(row)
                print(f"run {number} {label}: " + ", ".join(f"{value:.1f}" for value in row),
                      flush=True)
    names = ("exec to the box's first picture, ms", "box answered to the window's first picture, ms",
             "board program: start to first picture, ms", "full board update, median ms")
    print(f"\nMedians of {arguments.runs} runs, taking turns, on a bare virtual display:\n")
    print(f"| | {' | '.join(builds)} | Wine / Linux |\n|---|---|---|---|")
    for index, name in enumerate(names):
        medians = [statistics.median(row[index] for row in figures[label]) for label in builds]
        print(f"| {name} | " + " | ".join(f"{value:.1f}" if value >= 10 else f"{value:.2f}"
                                          for value in medians)
              + f" | {medians[1] / medians[0]:.2f} |")


if __name__ == "__main__":
    main()
