"""Sound for the game: a private PulseAudio server with a null sink named "game", a recorder of
what that sink plays, and the client settings that point the game at a server (or at none).

The game opens its MIDI output through the sound server; with none it says so in a message box
before its window appears. Tests therefore run the game with a server of their own by default.
"""

import array
import os
import re
import shutil
import signal
import subprocess
import tempfile
import threading
from contextlib import ExitStack, contextmanager
from dataclasses import dataclass
from pathlib import Path

from .helpers import running_helper
from .waiting import wait_until

SINK = "game"
SAMPLE_RATE = 44100
START_TIMEOUT = 15.0
# A server address where nothing ever answers.
NO_SERVER = "unix:/nonexistent"


def client_environment(folder, server_address):
    """The environment variables that send a sound client to `server_address` and never let it
    start a server of its own; writes the client's settings into `folder`."""
    config = Path(folder) / "pulse-client.conf"
    config.write_text("autospawn = no\n")
    return {"PULSE_SERVER": server_address, "PULSE_CLIENTCONFIG": str(config)}


@dataclass
class SoundServer:
    folder: Path
    process: subprocess.Popen

    @property
    def address(self):
        return f"unix:{self.folder / 'runtime' / 'native'}"

    def helper_environment(self):
        """The environment of a sound client of the harness (pactl, parec): its home is the
        server's, so that nothing it keeps lands elsewhere."""
        env = _private_environment(self.folder)
        env.update(client_environment(self.folder, self.address))
        return env

    def log(self):
        return (self.folder / "server.log").read_text(errors="replace")


def _private_environment(folder):
    env = dict(os.environ)
    env.update({"HOME": str(folder / "home"), "XDG_RUNTIME_DIR": str(folder / "runtime"),
                "XDG_CONFIG_HOME": str(folder / "home" / ".config")})
    env.pop("PULSE_SERVER", None)
    return env


def _server_arguments(socket_path):
    return ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disable-shm=yes",
            f"--load=module-native-protocol-unix socket={socket_path} auth-anonymous=1",
            f"--load=module-null-sink sink_name={SINK}",
            "--log-target=stderr", "--log-level=error"]


def _answers(server):
    if server.process.poll() is not None:
        raise RuntimeError(f"the sound server ended with code {server.process.returncode}:\n"
                           f"{server.log()}")
    done = subprocess.run(["pactl", "info"], env=server.helper_environment(),
                          capture_output=True, timeout=10, check=False)
    return done.returncode == 0


@contextmanager
def private_sound_server():
    """Runs a PulseAudio server with the null sink "game" in a private folder; yields a
    SoundServer once it answers, and ends it and removes the folder when the block ends."""
    folder = Path(tempfile.mkdtemp(prefix="vormelin-sound-"))
    try:
        for name in ("home", "runtime"):
            (folder / name).mkdir(mode=0o700)
        socket_path = folder / "runtime" / "native"
        with open(folder / "server.log", "wb") as log, \
                running_helper(_server_arguments(socket_path), env=_private_environment(folder),
                               stderr=log) as process:
            server = SoundServer(folder, process)
            wait_until(lambda: _answers(server), "the sound server to answer",
                       timeout=START_TIMEOUT)
            yield server
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def kill_server(server):
    """Ends the sound server at once, as a crash would."""
    os.killpg(server.process.pid, signal.SIGKILL)
    server.process.wait()


def playing_applications(server):
    """The application names of the streams that play on the server's sink now, one per
    stream."""
    done = subprocess.run(["pactl", "list", "sink-inputs"], env=server.helper_environment(),
                          capture_output=True, text=True, timeout=10, check=True)
    return re.findall(r'application\.name = "([^"]*)"', done.stdout)


@contextmanager
def watching_streams(server, interval=0.05):
    """Yields a list that receives, while the block runs, each new list of the applications
    playing on the sink (see playing_applications), starting with the one at its start; a
    stream that lives a moment is seen even when nobody looks at that moment."""
    seen = [playing_applications(server)]
    stop = threading.Event()

    def watch():
        while not stop.wait(interval):
            now = playing_applications(server)
            if now != seen[-1]:
                seen.append(now)

    watcher = threading.Thread(target=watch, daemon=True)
    watcher.start()
    try:
        yield seen
    finally:
        stop.set()
        watcher.join()


@dataclass
class Recording:
    """What the sink played since the recording started: 16-bit mono samples in a file."""
    path: Path

    def samples(self):
        data = self.path.read_bytes()
        samples = array.array("h")
        samples.frombytes(data[:len(data) // 2 * 2])
        return samples

    def sample_count(self):
        return self.path.stat().st_size // 2

    def peak(self, start=0):
        """The largest absolute sample from sample number `start` on (0 when there is none)."""
        return max((abs(value) for value in self.samples()[start:]), default=0)


@contextmanager
def recording(server):
    """Records the sink's monitor while the block runs; yields a Recording once samples flow."""
    with ExitStack() as stack:
        folder = Path(tempfile.mkdtemp(prefix="recording-", dir=server.folder))
        path = folder / "sink.raw"
        output = stack.enter_context(open(path, "wb"))
        process = stack.enter_context(running_helper(
            ["parec", "-d", f"{SINK}.monitor", "--format=s16le", f"--rate={SAMPLE_RATE}",
             "--channels=1", "--latency-msec=20"], env=server.helper_environment(),
            stdout=output))
        rec = Recording(path)

        def flowing():
            if process.poll() is not None:
                raise RuntimeError(f"parec ended with code {process.returncode}")
            return rec.sample_count() > 0

        wait_until(flowing, "the recorder to receive samples", timeout=START_TIMEOUT)
        yield rec
