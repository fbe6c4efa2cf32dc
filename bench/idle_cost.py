#!/usr/bin/env python3
"""What the idle game costs: the CPU time it uses as a share of one core and how often its
threads wake up, over a quiet stretch with its window shown and the pointer away from it; once
with a private sound server and once with none (the game then first says so in a box).

    scripts/with-xvfb.sh python3 bench/idle_cost.py build/app/vormelin [--seconds 10]
        [--desktop bare|openbox|openbox-composited]

Uses the end-to-end harness (tests/e2e/harness) to run the game and its sound server.
"""

import argparse
import os
import sys
import time
from contextlib import ExitStack
from dataclasses import dataclass
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))

from harness import desktop, desktops, dialogs, sound  # noqa: E402
from harness import game as games  # noqa: E402
from harness.geometry import Point  # noqa: E402
from harness.window import wait_until_shown  # noqa: E402

# Far from the centred window, so that no widget is hovered and no tooltip comes.
POINTER_AWAY = Point(2, 2)
# Time for the start-up's own work to finish before the stretch is measured.
SETTLE_SECONDS = 2.0


@dataclass
class ThreadCounters:
    name: str
    cpu_ns: int
    switches: int


def _thread_counters(task_folder):
    name = (task_folder / "comm").read_text().strip()
    # The scheduler's own count of the time the thread ran, in nanoseconds: the CPU time of
    # /proc's stat comes in ticks of 10 ms, too coarse for a few hundredths of a percent.
    cpu_ns = int((task_folder / "schedstat").read_text().split()[0])
    status = dict(line.split(":", 1) for line in (task_folder / "status").read_text().splitlines())
    switches = sum(int(status[key]) for key in ("voluntary_ctxt_switches",
                                                 "nonvoluntary_ctxt_switches"))
    return ThreadCounters(name, cpu_ns, switches)


def process_counters(pid):
    """The counters of each live thread of the process, by thread id."""
    counters = {}
    for task_folder in Path(f"/proc/{pid}/task").iterdir():
        try:
            counters[int(task_folder.name)] = _thread_counters(task_folder)
        except (FileNotFoundError, ProcessLookupError):
            pass  # the thread ended meanwhile
    return counters


def measure(pid, seconds):
    """(name, CPU % of a core, wakeups per second) of each thread over `seconds`."""
    before = process_counters(pid)
    time.sleep(seconds)
    after = process_counters(pid)
    rows = []
    for tid, end in sorted(after.items()):
        start = before.get(tid, ThreadCounters(end.name, 0, 0))
        cpu = 100.0 * (end.cpu_ns - start.cpu_ns) / 1e9 / seconds
        rows.append((f"{end.name} ({tid})", cpu, (end.switches - start.switches) / seconds))
    return rows


def report(title, rows):
    print(f"\n{title}")
    print(f"  {'thread':<28} {'CPU % of a core':>16} {'wakeups/s':>10}")
    for name, cpu, wakeups in rows:
        print(f"  {name:<28} {cpu:>16.3f} {wakeups:>10.1f}")
    print(f"  {'whole process':<28} {sum(row[1] for row in rows):>16.3f} "
          f"{sum(row[2] for row in rows):>10.1f}")


def answer_problem_box(game):
    _, rect = dialogs.wait_for_window(game, dialogs.PROBLEM, 'the "Problème" box')
    dialogs.press_key_in(rect, "Return")


def idle_game(executable, with_server, seconds):
    with ExitStack() as stack:
        address = sound.NO_SERVER
        if with_server:
            address = stack.enter_context(sound.private_sound_server()).address
        game = stack.enter_context(games.running_game(executable, sound_server=address))
        if not with_server:
            answer_problem_box(game)
        wait_until_shown(game)
        desktop.move_pointer(POINTER_AWAY)
        time.sleep(SETTLE_SECONDS)
        return measure(game.process.pid, seconds)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("executable", type=Path)
    parser.add_argument("--seconds", type=float, default=10.0)
    parser.add_argument("--desktop", choices=desktops.DESKTOPS, default="bare")
    arguments = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("no DISPLAY: run the script through scripts/with-xvfb.sh")
    executable = arguments.executable.resolve()
    with desktops.running_desktop(desktops.DESKTOPS[arguments.desktop]):
        for with_server, title in ((True, "With a sound server"),
                                   (False, "Without a sound server")):
            report(f"{title}, idle for {arguments.seconds:g} s on the {arguments.desktop} "
                   f"desktop:", idle_game(executable, with_server, arguments.seconds))


if __name__ == "__main__":
    main()
