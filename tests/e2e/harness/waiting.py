"""Waiting for a condition by polling it, with a deadline, instead of sleeping blindly."""

import time

# Generous: a loaded machine or a sanitizer build is slow, and only a failing wait lasts this long.
DEFAULT_TIMEOUT = 10.0
POLL_INTERVAL = 0.03


class WaitTimeout(AssertionError):
    """A condition did not come true in time; the message says what was awaited and seen."""


def wait_until(condition, what, timeout=DEFAULT_TIMEOUT, interval=POLL_INTERVAL, describe=repr):
    """Calls condition() until it returns a true value, and returns that value.

    On timeout raises WaitTimeout naming `what` and the last value seen (through `describe`).
    A condition that raises stops the wait with its own exception.
    """
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise WaitTimeout(f"timed out after {timeout:.1f} s waiting for {what}; "
                              f"last seen: {describe(value)}")
        time.sleep(interval)
