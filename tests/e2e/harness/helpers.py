"""Helper programs that run beside the game (a sound server, a recorder, a notification area),
each in a process group of its own that is ended and reaped when its block ends."""

import os
import signal
import subprocess
from contextlib import contextmanager

TERMINATE_GRACE = 2.0


def _signal_group(process, sig):
    try:
        os.killpg(process.pid, sig)
    except ProcessLookupError:
        pass


def stop_helper(process):
    """Ends the helper and everything it started; safe to call again."""
    if process.poll() is None:
        _signal_group(process, signal.SIGTERM)
        try:
            process.wait(TERMINATE_GRACE)
        except subprocess.TimeoutExpired:
            pass
    # Whatever is left of the group, the helper itself included, goes for good.
    _signal_group(process, signal.SIGKILL)
    process.wait()


@contextmanager
def running_helper(arguments, env=None, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL):
    """Starts a program in a new session and yields its Popen; ends it when the block ends."""
    process = subprocess.Popen(arguments, env=env, stdin=subprocess.DEVNULL, stdout=stdout,
                               stderr=stderr, start_new_session=True)
    try:
        yield process
    finally:
        stop_helper(process)
