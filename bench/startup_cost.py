#!/usr/bin/env python3
"""What starting the game costs, next to a peer of its kind (the puzzle collection's Same Game,
package sgt-puzzles) when that is installed: the time from the exec to the first frame on the
display (from the X server's events), the CPU time to that frame, the resident memory once
settled, and the idle CPU and wakeups over a quiet stretch; medians of runs that take turns
(game, peer, game without a sound server, game, peer, ...), and the game's ratios to the peer.

    scripts/with-xvfb.sh python3 bench/startup_cost.py build/app/vormelin [--runs 9]
        [--peer /usr/games/sgt-samegame | --peer none] [--settle-seconds 3] [--idle-seconds 10]
        [--skip-without-server]

Runs on the bare display (no window manager), with the end-to-end harness (tests/e2e/harness):
the game gets a private sound server, and, once a run, none (it then says so in a box first,
which is answered; the first frame is not taken there).
"""

import argparse
import os
import sys
import time
from contextlib import ExitStack
from dataclasses import dataclass
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))

import first_frame  # noqa: E402
import idle_cost  # noqa: E402
import process_stats  # noqa: E402
import startup_report  # noqa: E402
from harness import desktop, desktops, sound  # noqa: E402
from harness import game as games  # noqa: E402
from harness.geometry import Point  # noqa: E402
from harness.window import wait_until_shown  # noqa: E402

PEER = Path("/usr/games/sgt-samegame")
GAME_TITLE = "^Vormelin$"
PEER_TITLE = "^Same Game$"
# The bottom right corner of the screen: away from the game (centred) and from a window that a
# bare display puts at the top left, so that nothing is hovered.
POINTER_AWAY = Point(1020, 764)
GAME = "Vormelin"
GAME_WITHOUT_SERVER = "Vormelin, no server"
PEER_LABEL = "Same Game"


@dataclass(frozen=True)
class Program:
    label: str
    executable: Path
    title: str  # a pattern of its main window's title
    with_server: bool


def settled_figures(pid, settle_seconds, idle_seconds):
    """(RSS in MiB after the settle, idle CPU % of a core, wakeups per second) of a process
    whose window is up."""
    time.sleep(settle_seconds)
    rss_mib = process_stats.resident_kib(pid) / 1024
    rows = idle_cost.measure(pid, idle_seconds)
    return rss_mib, sum(row[1] for row in rows), sum(row[2] for row in rows)


def watched_start(program, server_address, settle_seconds, idle_seconds):
    """Starts the program with a watcher on the display and returns its RunFigures."""
    with first_frame.Watcher() as watcher, \
            games.running_game(program.executable, sound_server=server_address) as game:
        frame = watcher.first_frame(game.process, game.started, program.title)
        watcher.close()  # so that it reads nothing while the program idles
        if frame.rect.contains(POINTER_AWAY):
            sys.exit(f"the window of {program.label} covers the pointer's resting place")
        figures = settled_figures(game.process.pid, settle_seconds, idle_seconds)
    return startup_report.RunFigures(1000 * frame.mapped, 1000 * frame.drawn, frame.cpu_ns / 1e6,
                                     *figures, blank_drawings=frame.blank_drawings)


def start_without_server(program, settle_seconds, idle_seconds):
    """Starts the game with no sound server, answers the box that says so, and returns its
    RunFigures without a first frame (the box is in the way)."""
    with games.running_game(program.executable, sound_server=sound.NO_SERVER) as game:
        idle_cost.answer_problem_box(game)
        wait_until_shown(game)
        desktop.move_pointer(POINTER_AWAY)
        figures = settled_figures(game.process.pid, settle_seconds, idle_seconds)
    return startup_report.RunFigures(None, None, None, *figures)


def warm_up(program, server_address):
    """Starts the program once, unmeasured, up to its first frame. The first start of a program
    on a new display is not what a player meets: it reads its files from the disk, and the first
    GTK program of a display probes OpenGL there (about 57 MiB and 30 ms more) and leaves what it
    found on the root window for the next ones."""
    desktop.move_pointer(POINTER_AWAY)
    with first_frame.Watcher() as watcher, \
            games.running_game(program.executable, sound_server=server_address) as game:
        watcher.first_frame(game.process, game.started, program.title)


def one_run(program, server_address, arguments):
    desktop.move_pointer(POINTER_AWAY)
    if program.with_server:
        return watched_start(program, server_address, arguments.settle_seconds,
                             arguments.idle_seconds)
    return start_without_server(program, arguments.settle_seconds, arguments.idle_seconds)


def programs_to_run(arguments):
    programs = [Program(GAME, arguments.executable.resolve(), GAME_TITLE, True)]
    if arguments.peer is not None:
        programs.append(Program(PEER_LABEL, arguments.peer, PEER_TITLE, True))
    if not arguments.skip_without_server:
        programs.append(Program(GAME_WITHOUT_SERVER, programs[0].executable, GAME_TITLE, False))
    return programs


def interleaved_runs(programs, arguments):
    """Each program's RunFigures, by label: run 1 of each in turn, then run 2, and so on, so
    that whatever else the machine does falls on all of them alike."""
    runs = {program.label: [] for program in programs}
    with ExitStack() as stack:
        stack.enter_context(desktops.running_desktop(desktops.DESKTOPS["bare"]))
        server = stack.enter_context(sound.private_sound_server())
        for program in programs:
            if program.with_server:
                warm_up(program, server.address)
        for number in range(1, arguments.runs + 1):
            for program in programs:
                figures = one_run(program, server.address, arguments)
                runs[program.label].append(figures)
                print(startup_report.run_line(program.label, number, figures), flush=True)
    return runs


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("executable", type=Path)
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--peer", default=str(PEER),
                        help="the peer's executable, or 'none' (default: %(default)s)")
    parser.add_argument("--settle-seconds", type=float, default=3.0)
    parser.add_argument("--idle-seconds", type=float, default=10.0)
    parser.add_argument("--skip-without-server", action="store_true")
    arguments = parser.parse_args()
    if arguments.runs < 1:
        parser.error("--runs must be at least 1")
    arguments.peer = None if arguments.peer == "none" else Path(arguments.peer)
    return arguments


def main():
    arguments = parse_arguments()
    if not os.environ.get("DISPLAY"):
        sys.exit("no DISPLAY: run the script through scripts/with-xvfb.sh")
    if arguments.peer is not None and not arguments.peer.exists():
        print(f"{arguments.peer} is missing (apt-get install sgt-puzzles): the game alone")
        arguments.peer = None
    runs = interleaved_runs(programs_to_run(arguments), arguments)
    print(f"\n{arguments.runs} runs of each, taking turns, on a bare virtual display; settled "
          f"{arguments.settle_seconds:g} s, idle over {arguments.idle_seconds:g} s with the "
          f"pointer away:\n")
    print(startup_report.table(runs, GAME, PEER_LABEL if arguments.peer else None))


if __name__ == "__main__":
    main()
