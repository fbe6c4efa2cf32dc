"""The X display as a player meets it, through xdotool: windows, the pointer and the keyboard.

Every call talks to the display named by DISPLAY and returns once the X server has the request;
the program under test reacts later, so callers wait for its reaction (see waiting.py).
"""

import functools
import os
import subprocess
import time
from contextlib import contextmanager

from . import x11
from .geometry import Point, Rect

XDOTOOL_TIMEOUT = 10.0
# The game starts following a drag when it handles the press, from where the pointer is then:
# the first move waits a little longer, so that even a busy game has handled the press by then.
DRAG_START_PAUSE = 0.1
# A pause between the steps of a drag, so that the program sees each move on its own.
DRAG_STEP_PAUSE = 0.03
# Moves of a pointer coming to rest, and the pause after each.
SETTLING_MOVES = 6
SETTLING_PAUSE = 0.06


def xdotool(*arguments, check=True):
    """Runs xdotool with the arguments and returns its standard output."""
    done = subprocess.run(["xdotool", *map(str, arguments)], capture_output=True, text=True,
                          timeout=XDOTOOL_TIMEOUT, check=False)
    if check and done.returncode != 0:
        raise RuntimeError(f"xdotool {' '.join(map(str, arguments))} failed "
                           f"({done.returncode}): {done.stderr.strip()}")
    return done.stdout


@contextmanager
def display_kept_open():
    """Holds a connection to the X server for the time of the block.

    The X server resets itself whenever its last client leaves, and a program that connects
    during such a reset is turned away; with xdotool connecting and leaving all the time, a game
    starting meanwhile would now and then find no display.
    """
    connection = x11.connect()
    try:
        yield
    finally:
        x11.close(connection)


def _shell_values(text):
    """The NAME=value lines of xdotool's --shell output as a dictionary."""
    return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)


def find_visible_windows(name_pattern, pid=None):
    """Ids of the mapped windows whose name matches the regular expression (and of `pid`)."""
    arguments = ["search", "--onlyvisible", "--name", name_pattern]
    if pid is not None:
        arguments = ["search", "--all", "--onlyvisible", "--pid", pid, "--name", name_pattern]
    # xdotool exits with 1 when nothing matches: that is an answer, not a failure.
    return [int(word) for word in xdotool(*arguments, check=False).split()]


def window_rect(window):
    """The window's rectangle on the screen (without a window manager there is no frame)."""
    values = _shell_values(xdotool("getwindowgeometry", "--shell", window))
    return Rect(int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"]))


def screen_size():
    """(width, height) of the screen, which stays the same while a display runs."""
    return _screen_size_of(os.environ.get("DISPLAY"))


@functools.cache
def _screen_size_of(display):
    width, height = xdotool("getdisplaygeometry").split()
    return int(width), int(height)


def pointer_position():
    values = _shell_values(xdotool("getmouselocation", "--shell"))
    return Point(int(values["X"]), int(values["Y"]))


def move_pointer(point):
    xdotool("mousemove", point.x, point.y)


def settle_pointer(point):
    """Moves the pointer onto a point, then a pixel aside and back a few times, as a hand coming
    to rest does. The game finds a widget nested in another (a label on a panel on the board)
    one level deeper with each move it handles."""
    move_pointer(point)
    for step in range(SETTLING_MOVES):
        time.sleep(SETTLING_PAUSE)
        move_pointer(point.offset(step % 2, 0))
    time.sleep(SETTLING_PAUSE)


def press_button(button=1):
    xdotool("mousedown", button)


def release_button(button=1):
    xdotool("mouseup", button)


def click(point, button=1):
    move_pointer(point)
    xdotool("click", button)


def press_key(key):
    """Presses and releases a key (an X keysym name such as "Escape") on the focused window."""
    xdotool("key", key)


def drag(start, dx, dy, steps=5, button=1):
    """Presses at `start`, moves by (dx, dy) in `steps` equal steps, and releases."""
    move_pointer(start)
    press_button(button)
    try:
        time.sleep(DRAG_START_PAUSE)
        for step in range(1, steps + 1):
            if step > 1:
                time.sleep(DRAG_STEP_PAUSE)
            move_pointer(start.offset(dx * step // steps, dy * step // steps))
        time.sleep(DRAG_STEP_PAUSE)
    finally:
        release_button(button)


def window_property(window, name):
    """A property of a window of 32-bit numbers, as xprop prints it: "NAME = 1, 2, ..." (never
    drawn as a picture)."""
    return subprocess.run(["xprop", "-notype", "-id", str(window), "-f", name, "32c",
                           " = $0+\\n", name], check=True,
                          capture_output=True, text=True).stdout.strip()
