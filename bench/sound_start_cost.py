#!/usr/bin/env python3
"""What the sound costs the game's start: the wall time and the CPU time from the exec to the
first window being mapped, then, after a settle, the resident memory and the shared libraries
mapped; with a private sound server (the first window is the game's) and with none (it is the
"Problème" box, which is then answered).

    scripts/with-xvfb.sh python3 bench/sound_start_cost.py build/app/vormelin [--runs 10]

Medians over the runs. The CPU time is the scheduler's count (schedstat) of the game's threads
at the moment the X server tells of the map (MapNotify), on the bare display.
"""

import argparse
import os
import statistics
import struct
import sys
import time
from contextlib import ExitStack
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))

from harness import dialogs, sound, x11  # noqa: E402
from harness import game as games  # noqa: E402
from harness.window import wait_until_shown  # noqa: E402

CHANGE_WINDOW_ATTRIBUTES = 2
EVENT_MASK = 0x800
SUBSTRUCTURE_NOTIFY = 1 << 19
MAP_NOTIFY = 19
SETTLE_SECONDS = 3.0


def watch_maps():
    """A connection to the display that hears of every top-level window being mapped."""
    connection = x11.connect()
    request = struct.pack("<BxHIII", CHANGE_WINDOW_ATTRIBUTES, 4, connection.root, EVENT_MASK,
                          SUBSTRUCTURE_NOTIFY)
    connection.sock.sendall(request)
    return connection


def wait_for_map(connection):
    """Waits for the next top-level window to be mapped (one no window manager passes over)."""
    while True:
        event = x11._receive(connection.sock, 32)
        if event[0] & 0x7F == MAP_NOTIFY and not event[12]:
            return


def cpu_seconds(pid):
    total = 0
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            total += int((task / "schedstat").read_text().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass  # the thread ended meanwhile
    return total / 1e9


def resident_mib(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024
    return 0.0


def libraries(pid):
    paths = {line.split(maxsplit=5)[-1] for line in Path(f"/proc/{pid}/maps").read_text()
             .splitlines() if ".so" in line}
    return len(paths)


def one_run(executable, address):
    """(ms to the first map, CPU ms to it, MiB resident, libraries) of one start of the game."""
    with ExitStack() as stack:
        connection = watch_maps()
        stack.callback(x11.close, connection)
        start = time.monotonic()
        game = stack.enter_context(games.running_game(executable, sound_server=address))
        wait_for_map(connection)
        mapped = time.monotonic()
        cpu = cpu_seconds(game.process.pid)
        if address == sound.NO_SERVER:
            _, rect = dialogs.wait_for_window(game, dialogs.PROBLEM, 'the "Problème" box')
            dialogs.press_key_in(rect, "Return")
        wait_until_shown(game)
        time.sleep(SETTLE_SECONDS)
        pid = game.process.pid
        return (1000 * (mapped - start), 1000 * cpu, resident_mib(pid), libraries(pid))


def report(title, runs):
    print(f"\n{title} (medians of {len(runs)} runs):")
    names = ("wall time to the first map, ms", "CPU time to the first map, ms",
             f"resident after {SETTLE_SECONDS:g} s, MiB", "shared libraries mapped")
    for index, name in enumerate(names):
        values = [run[index] for run in runs]
        print(f"  {name:<36} {statistics.median(values):8.1f}   "
              f"(min {min(values):.1f}, max {max(values):.1f})")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("executable", type=Path)
    parser.add_argument("--runs", type=int, default=10)
    arguments = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("no DISPLAY: run the script through scripts/with-xvfb.sh")
    executable = arguments.executable.resolve()
    with sound.private_sound_server() as server:
        report("With a sound server (the first map is the game's window)",
               [one_run(executable, server.address) for _ in range(arguments.runs)])
    report('Without a sound server (the first map is the "Problème" box)',
           [one_run(executable, sound.NO_SERVER) for _ in range(arguments.runs)])


if __name__ == "__main__":
    main()
