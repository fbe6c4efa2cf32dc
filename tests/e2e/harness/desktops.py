"""The desktop the game is tested on, named by VORMELIN_E2E_DESKTOP:

- "bare": the virtual display alone, no window manager, no compositing manager; a notification
  area only for the tests that ask for one;
- "openbox": a window manager (openbox), no compositing manager, no notification area, as on a
  light X desktop;
- "openbox-composited": openbox with a compositing manager (xcompmgr) and a notification area
  (trayer) on a panel, as on a full desktop.

Every desktop has a plain root of a known colour, so that what shows around the game's frame
can be told from the frame, and a keyboard with a key for "é", as a French player's has (typing
a character that has no key makes xdotool remap a key for a moment, and a busy program may read
the key after the mapping is gone).
"""

import os
import shutil
import subprocess
import tempfile
from contextlib import ExitStack, contextmanager
from dataclasses import dataclass
from pathlib import Path

from . import tray, x11
from .geometry import Point
from .helpers import running_helper
from .waiting import wait_until

VARIABLE = "VORMELIN_E2E_DESKTOP"
ROOT_COLOUR = "#6b7b8c"
SPARE_KEYCODE = 248  # no key of the virtual display's keyboard has it
# A point of the bare desktop, far from every window: the end-of-game box is moved to the top
# left corner, and the notification area is at the bottom right.
DESKTOP_POINT = Point(3, 764)
START_TIMEOUT = 15.0


@dataclass(frozen=True)
class Desktop:
    name: str
    window_manager: bool
    compositor: bool
    # "always", "never", or "asked" (only for the tests that ask for one)
    notification_area: str

    def has_notification_area(self, asked):
        return self.notification_area == "always" or (asked and self.notification_area == "asked")


DESKTOPS = {
    "bare": Desktop("bare", window_manager=False, compositor=False, notification_area="asked"),
    "openbox": Desktop("openbox", window_manager=True, compositor=False, notification_area="never"),
    "openbox-composited": Desktop("openbox-composited", window_manager=True, compositor=True,
                                  notification_area="always"),
}


def current():
    name = os.environ.get(VARIABLE, "bare")
    if name not in DESKTOPS:
        raise ValueError(f"{VARIABLE}={name!r} names no desktop; one of {', '.join(DESKTOPS)}")
    return DESKTOPS[name]


def backdrop(shot):
    """The colour behind the game's translucent pixels as the screenshot shows them: with a
    compositing manager the desktop's own, without one black (the X server then shows a pixel's
    colour premultiplied by its alpha, as if over black)."""
    if current().compositor:
        return shot.pixel(DESKTOP_POINT.x, DESKTOP_POINT.y)[:3]
    return (0, 0, 0)


def _root_property(name):
    connection = x11.connect()
    try:
        return x11.get_property(connection, connection.root, name)
    finally:
        x11.close(connection)


def _selection_owned(name):
    connection = x11.connect()
    try:
        return x11.selection_owner(connection, name) != 0
    finally:
        x11.close(connection)


def _helper_environment(home):
    return dict(os.environ, HOME=str(home), XDG_CONFIG_HOME=str(home / ".config"),
                XDG_CACHE_HOME=str(home / ".cache"), XDG_DATA_HOME=str(home / ".local/share"))


def _start(stack, arguments, home, ready, what):
    process = stack.enter_context(running_helper(arguments, env=_helper_environment(home)))

    def started():
        if process.poll() is not None:
            raise RuntimeError(f"{arguments[0]} ended with code {process.returncode}")
        return ready()

    wait_until(started, what, timeout=START_TIMEOUT)


def compositing_manager_running():
    return _selection_owned("_NET_WM_CM_S0")


@contextmanager
def compositing_manager(home):
    """Runs a compositing manager (without shadows of its own) while the block runs; yields once
    it is at work. `home` is a folder for its files."""
    with ExitStack() as stack:
        _start(stack, ["xcompmgr"], Path(home), compositing_manager_running,
               "the compositing manager to start")
        yield


@contextmanager
def running_desktop(desktop=None):
    """Makes the display look like `desktop` (the current one by default) while the block runs;
    yields the Desktop once its window manager and compositing manager are at work."""
    desktop = desktop or current()
    home = Path(tempfile.mkdtemp(prefix="vormelin-desktop-"))
    try:
        with ExitStack() as stack:
            subprocess.run(["xsetroot", "-solid", ROOT_COLOUR], check=True, timeout=10)
            subprocess.run(["xmodmap", "-e", f"keycode {SPARE_KEYCODE} = eacute Eacute"],
                           check=True, timeout=10)
            if desktop.window_manager:
                # openbox names itself early in its start; the work area comes once it manages
                # windows (a panel mapped before that may never be shown).
                _start(stack, ["openbox", "--sm-disable"], home,
                       lambda: _root_property("_NET_WORKAREA"), "the window manager to start")
            if desktop.compositor:
                stack.enter_context(compositing_manager(home))
            if desktop.notification_area == "always":
                stack.enter_context(tray.notification_area())
            yield desktop
    finally:
        shutil.rmtree(home, ignore_errors=True)


def stacking_order():
    """The top-level windows from the bottom of the stack to its top: the window manager's list
    of its clients, or without a window manager the root's children."""
    connection = x11.connect()
    try:
        if current().window_manager:
            return x11.get_property(connection, connection.root, "_NET_CLIENT_LIST_STACKING") or []
        return x11.children(connection, connection.root)
    finally:
        x11.close(connection)


def is_above(window, other):
    """Whether `window` is stacked above `other` (both top-level windows of the display)."""
    order = stacking_order()
    return window in order and other in order and order.index(window) > order.index(other)


def focused_window():
    """The window that has the keyboard focus."""
    connection = x11.connect()
    try:
        return x11.input_focus(connection)
    finally:
        x11.close(connection)


def frame_extents(window):
    """(left, right, top, bottom) widths of the frame the window manager put around the window."""
    if not current().window_manager:
        return (0, 0, 0, 0)
    connection = x11.connect()
    try:
        return tuple(x11.get_property(connection, window, "_NET_FRAME_EXTENTS") or (0, 0, 0, 0))
    finally:
        x11.close(connection)
