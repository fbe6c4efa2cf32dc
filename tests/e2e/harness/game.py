"""The game as a process: started in a private folder, watched, ended, and never left behind.

Each run gets a fresh folder holding the game's working directory (work/), its home and runtime
folders, its sound settings and its output, so that nothing the game writes lands anywhere
else. Every process of a
run carries the marker variable VORMELIN_E2E_RUN in its environment, so that even a helper that
left the game's process group is found and ended.
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time
from contextlib import contextmanager
from dataclasses import dataclass
from pathlib import Path

from . import desktop, sound
from .waiting import wait_until

MARKER_VARIABLE = "VORMELIN_E2E_RUN"
WINDOW_TITLE_PATTERN = "^Vormelin$"
WINDOW_TIMEOUT = 15.0
EXIT_TIMEOUT = 10.0
TERMINATE_GRACE = 2.0


class GameEnded(AssertionError):
    """The game ended while the test still expected it to run."""


@dataclass
class Game:
    process: subprocess.Popen
    folder: Path
    log: object  # the open file that receives the game's output
    started: float = 0.0  # time.monotonic() just before the program was started
    window: int | None = None
    environment: dict | None = None  # the game's environment, for later starts beside it
    work_name: str = "work"  # the name of its working directory in the folder

    @property
    def working_directory(self):
        return self.folder / self.work_name

    @property
    def marker(self):
        return str(self.folder)


def _environment(folder, sound_server, changes=None):
    env = dict(os.environ)
    home = folder / "home"
    runtime = folder / "runtime"
    home.mkdir()
    runtime.mkdir(mode=0o700)
    env.update({
        "HOME": str(home),
        "XDG_CONFIG_HOME": str(home / ".config"),
        "XDG_CACHE_HOME": str(home / ".cache"),
        "XDG_DATA_HOME": str(home / ".local" / "share"),
        "XDG_RUNTIME_DIR": str(runtime),
        MARKER_VARIABLE: str(folder),
    })
    env.update(sound.client_environment(folder, sound_server))
    for name, value in (changes or {}).items():
        if value is None:
            env.pop(name, None)
        else:
            env[name] = value
    return env


def start_game(executable, folder, sound_server=sound.NO_SERVER, files=None, arguments=(),
               environment=None, work_name="work"):
    """Starts the game in `folder`/`work_name`, in a process group and session of its own, with
    its MIDI output going to the sound server at the address `sound_server`. `files` maps names
    to the bytes of files put into the working directory first; `arguments` follow the program's
    name; `environment` changes the game's environment (a value None removes the variable)."""
    folder = Path(folder)
    work = folder / work_name
    work.mkdir()
    for name, data in (files or {}).items():
        (work / name).write_bytes(data)
    env = _environment(folder, sound_server, environment)
    log = open(folder / "output.log", "wb")
    try:
        started = time.monotonic()
        process = subprocess.Popen([str(executable), *arguments], cwd=work, env=env,
                                   stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                   start_new_session=True)
    except BaseException:
        log.close()
        raise
    return Game(process, folder, log, started, environment=env, work_name=work_name)


def start_beside(executable, game, arguments=(), cwd=None):
    """Starts the game once more with the first one's environment, in its working directory
    unless `cwd` says otherwise, without waiting; the process belongs to the first game's run
    and is ended with it. Its output is captured (PIPE)."""
    return subprocess.Popen([str(executable), *arguments], cwd=cwd or game.working_directory,
                            env=game.environment, stdin=subprocess.DEVNULL,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                            start_new_session=True)


def game_output(game):
    """What the game has written to its standard output and error so far."""
    game.log.flush()
    return (game.folder / "output.log").read_text(errors="replace")


def _fail_if_ended(game, what):
    code = game.process.poll()
    if code is not None:
        raise GameEnded(f"the game ended with code {code} while {what}; its output:\n"
                        f"{game_output(game)}")


def wait_for_window(game, timeout=WINDOW_TIMEOUT):
    """Waits until the game's main window is mapped and returns its id."""
    def mapped_window():
        _fail_if_ended(game, "waiting for its window")
        windows = desktop.find_visible_windows(WINDOW_TITLE_PATTERN, pid=game.process.pid)
        return windows[0] if windows else None

    game.window = wait_until(mapped_window, "the game's window to be mapped", timeout=timeout)
    return game.window


def game_window_rect(game):
    """The main window's rectangle on the screen."""
    _fail_if_ended(game, "its window was looked at")
    return desktop.window_rect(game.window)


def wait_for_exit(game, timeout=EXIT_TIMEOUT):
    """Waits for the game to end by itself and returns its exit code (negative: a signal)."""
    wait_until(lambda: game.process.poll() is not None, "the game to end", timeout=timeout)
    return game.process.returncode


def _process_ids():
    return [int(name) for name in os.listdir("/proc") if name.isdigit()]


def _belongs_to_run(pid, game):
    try:
        with open(f"/proc/{pid}/environ", "rb") as file:
            environment = file.read()
        if f"{MARKER_VARIABLE}={game.marker}\0".encode() in environment:
            return True
        return os.getpgid(pid) == game.process.pid
    except (ProcessLookupError, FileNotFoundError, PermissionError):
        return False  # gone meanwhile, or not ours to read


def processes_left(game):
    """Ids of the live processes of this run, the game's own while it runs."""
    return [pid for pid in _process_ids() if pid != os.getpid() and _belongs_to_run(pid, game)]


def _kill_all(pids, sig):
    for pid in pids:
        try:
            os.kill(pid, sig)
        except ProcessLookupError:
            pass


def stop_game(game):
    """Ends the game and every process of its run, and reaps the game. Safe to call again."""
    if game.process.poll() is None:
        _kill_all([game.process.pid], signal.SIGTERM)
        try:
            game.process.wait(TERMINATE_GRACE)
        except subprocess.TimeoutExpired:
            pass
    deadline = time.monotonic() + TERMINATE_GRACE
    while (left := processes_left(game)) and time.monotonic() < deadline:
        _kill_all(left, signal.SIGKILL)
        time.sleep(0.02)
    if game.process.poll() is None:
        game.process.kill()
    game.process.wait()
    game.log.close()


@contextmanager
def running_game(executable, sound_server=sound.NO_SERVER, files=None, arguments=(),
                 environment=None, work_name="work"):
    """Starts the game in a fresh temporary folder (see start_game); on leaving, ends every
    process of the run and removes the folder, whether the block succeeded or not. The display
    stays connected all the while, so that it never resets under the game (see
    desktop.display_kept_open)."""
    folder = Path(tempfile.mkdtemp(prefix="vormelin-e2e-"))
    try:
        with desktop.display_kept_open():
            game = start_game(executable, folder, sound_server, files, arguments, environment,
                              work_name)
            try:
                yield game
            finally:
                stop_game(game)
    finally:
        shutil.rmtree(folder, ignore_errors=True)
