"""The first frame of a program, seen from the X server: a watcher that listens, from before the
program starts, to the creation and mapping of the root's windows and to the drawing into them
(DAMAGE), and says when the program's main window was mapped and when it first showed a picture.

Meant for a bare display (no window manager): the program's windows are then the root's own
children, and nothing else draws on the screen.
"""

import re
import time
from dataclasses import dataclass, field

import process_stats
from harness import damage, x11
from harness.geometry import Rect

TIMEOUT = 30.0
# A window shows its picture when these rows of it (fractions of its height) have at least
# PICTURE_COLOURS colours between them on the screen: an empty window shows one (what was under
# it, or its background colour), a picture several (a board of three colours on a grey ground
# five or six, the game's hundreds). A few rows are read rather than the whole window because
# events wait unread meanwhile: the whole would take 5 to 10 ms, three rows well under one.
SAMPLE_ROWS = (0.25, 0.5, 0.75)
PICTURE_COLOURS = 4
# Looked up once, so that telling the main window costs only the reading of its properties.
WINDOW_PROPERTIES = ("_NET_WM_PID", "_NET_WM_NAME", "WM_NAME")


class NoFirstFrame(RuntimeError):
    """The program ended, or did not show its picture in time."""


@dataclass
class FirstFrame:
    """Seconds from the start of the program to its main window's map and to its first picture,
    and what it had cost until the picture."""
    mapped: float
    drawn: float
    cpu_ns: int
    # Drawings of the mapped window that left it without a picture: the map itself, which the
    # server reports as a drawing of the whole window, or a background cleared first.
    blank_drawings: int
    window: int
    rect: Rect


@dataclass
class _Window:
    rect: Rect
    damage: int


@dataclass
class _Watch:
    pid: int
    title: re.Pattern
    windows: dict = field(default_factory=dict)
    main: int | None = None
    mapped: float = 0.0
    blank_drawings: int = 0


def colours(rgba):
    """The different colours (red, green, blue bytes) of RGBA pixels."""
    return {rgba[at:at + 3] for at in range(0, len(rgba), 4)}


def on_screen(rect, width, height):
    """The part of a rectangle inside a screen of `width` × `height`, or None."""
    left, top = max(rect.x, 0), max(rect.y, 0)
    right, bottom = min(rect.x + rect.width, width), min(rect.y + rect.height, height)
    if right <= left or bottom <= top:
        return None
    return Rect(left, top, right - left, bottom - top)


class Watcher:
    """A connection to the display that sees every top-level window from its creation on.
    Open it before starting the program; one program at a time."""

    def __enter__(self):
        self.connection = x11.connect()
        try:
            self.damage = damage.start(self.connection)
            for name in WINDOW_PROPERTIES:
                x11.intern_atom(self.connection, name)
            x11.select_root_events(self.connection, x11.SUBSTRUCTURE_NOTIFY_MASK)
            x11.sync(self.connection)
            if any(packet.is_error for packet in self.connection.pending):
                raise x11.XError("the display refused to be watched")
        except BaseException:
            x11.close(self.connection)
            raise
        return self

    def __exit__(self, *exception):
        self.close()

    def close(self):
        """Ends the watch; the server frees the Damages with the connection. Safe to repeat."""
        x11.close(self.connection)

    def first_frame(self, process, started, title_pattern, timeout=TIMEOUT):
        """Waits until the main window of the running `process` (the first window mapped with a
        title matching `title_pattern`) shows a picture; `started` is the time.monotonic() of
        its start. Returns a FirstFrame."""
        watch = _Watch(process.pid, re.compile(title_pattern))
        deadline = time.monotonic() + timeout
        while True:
            packet = x11.next_packet(self.connection, min(deadline - time.monotonic(), 0.1))
            if process.poll() is not None:
                raise NoFirstFrame(f"the program ended with code {process.returncode}")
            if packet is None:
                if time.monotonic() > deadline:
                    raise NoFirstFrame(f"no picture within {timeout:g} s")
                continue
            frame = self._handle(watch, packet, started)
            if frame is not None:
                return frame

    def _handle(self, watch, packet, started):
        if packet.is_error:
            if damage.is_error_of_untracked_window(self.damage, packet):
                return None
            raise x11.XError(f"a request of the watcher failed with error {packet.data[1]}")
        event = x11.window_event(packet)
        if event is not None:
            self._window_changed(watch, event, packet.received, started)
            return None
        notice = damage.notify(self.damage, packet)
        if notice is not None:
            return self._drawn(watch, notice, started)
        return None

    def _window_changed(self, watch, event, received, started):
        rect = Rect(event.x, event.y, event.width, event.height)
        if event.code == x11.CREATE_NOTIFY:
            watch.windows[event.window] = _Window(
                rect, damage.create(self.connection, self.damage, event.window))
        elif event.code == x11.CONFIGURE_NOTIFY and event.window in watch.windows:
            watch.windows[event.window].rect = rect
        elif event.code == x11.DESTROY_NOTIFY:
            watch.windows.pop(event.window, None)
        elif (event.code == x11.MAP_NOTIFY and watch.main is None
              and not event.override_redirect and self._is_main(watch, event.window)):
            watch.main = event.window
            watch.mapped = received - started

    def _is_main(self, watch, window):
        if window not in watch.windows:
            return False  # created before the watch began: not the program's
        try:
            pids = x11.get_property(self.connection, window, "_NET_WM_PID")
            title = (x11.get_text_property(self.connection, window, "_NET_WM_NAME")
                     or x11.get_text_property(self.connection, window, "WM_NAME") or "")
        except x11.XError:
            return False  # gone meanwhile
        return (not pids or pids[0] == watch.pid) and watch.title.search(title) is not None

    def _drawn(self, watch, notice, started):
        # Emptied at once, so that the next drawing of the window is reported on its own.
        damage.subtract(self.connection, self.damage, notice.damage)
        if notice.drawable != watch.main:
            return None  # another window, or the main one before its map (that shows nothing)
        # What the program has cost, read before the look: it goes on running meanwhile.
        cpu = process_stats.cpu_ns(watch.pid)
        rect = watch.windows[watch.main].rect
        shows_picture = self.shows_picture(rect)
        if self._drawn_again(watch):
            return None  # the screen read may show the later drawing: that one decides
        if not shows_picture:
            watch.blank_drawings += 1
            return None
        return FirstFrame(watch.mapped, notice.received - started, cpu, watch.blank_drawings,
                          watch.main, rect)

    def _drawn_again(self, watch):
        """Whether the main window was drawn into again while it was being looked at (its next
        DamageNotify came in meanwhile)."""
        return any(getattr(damage.notify(self.damage, packet), "drawable", None) == watch.main
                   for packet in self.connection.pending)

    def shows_picture(self, rect):
        """Whether the window's rectangle on the screen (what the X server shows there) has the
        colours of a picture."""
        visible = on_screen(rect, self.connection.width, self.connection.height)
        if visible is None:
            return False
        seen = set()
        for fraction in SAMPLE_ROWS:
            y = visible.y + int(visible.height * fraction)
            seen |= colours(x11.get_image(self.connection, visible.x, y, visible.width, 1))
        return len(seen) >= PICTURE_COLOURS
