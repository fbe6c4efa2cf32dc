"""The X DAMAGE extension on the harness's X client: being told when a window is drawn into."""

import struct
from dataclasses import dataclass

from . import x11

QUERY_VERSION = 0
CREATE = 1
SUBTRACT = 3
# One DamageNotify when the window's damaged region becomes non-empty, then none until the
# region is subtracted again: one event a frame, however many requests draw it.
REPORT_NON_EMPTY = 3
BAD_WINDOW = 3
BAD_MATCH = 8  # a window that shows nothing (input only)
BAD_DRAWABLE = 9
NOTIFY = 0  # the extension's one event, counted from its first event code
BAD_DAMAGE = 0  # its one error, counted from its first error code


@dataclass(frozen=True)
class Extension:
    major: int
    first_event: int
    first_error: int


@dataclass(frozen=True)
class DamageNotify:
    drawable: int
    damage: int
    # The damaged rectangle (x, y, width, height) in the drawable.
    area: tuple
    received: float


def start(connection):
    """Makes the extension ready on the connection (a client must ask for its version first);
    raises XError when the server lacks it."""
    codes = x11.query_extension(connection, "DAMAGE")
    if codes is None:
        raise x11.XError("the X server has no DAMAGE extension")
    extension = Extension(*codes)
    x11.extension_reply(connection, extension.major,
                        struct.pack("<BHII", QUERY_VERSION, 3, 1, 1), "DamageQueryVersion")
    return extension


def create(connection, extension, window, level=REPORT_NON_EMPTY):
    """Starts tracking what is drawn into the window; returns the Damage's id."""
    damage = x11.new_id(connection)
    x11.extension_request(connection, extension.major,
                          struct.pack("<BHIIB3x", CREATE, 4, damage, window, level))
    return damage


def subtract(connection, extension, damage):
    """Empties the Damage's region, so that the next drawing is reported again."""
    x11.extension_request(connection, extension.major,
                          struct.pack("<BHII4x", SUBTRACT, 4, damage, 0))


def notify(extension, packet):
    """The DamageNotify in a packet, or None when it is another event."""
    if packet.code != extension.first_event + NOTIFY:
        return None
    drawable, damage, x, y, width, height = struct.unpack_from("<4xII4xhhHH", packet.data)
    return DamageNotify(drawable, damage, (x, y, width, height), packet.received)


def is_error_of_untracked_window(extension, packet):
    """Whether a packet is the error of a Damage request on a window that cannot be tracked: one
    that was already gone (windows may live a moment only), or one that shows nothing."""
    if not packet.is_error:
        return False
    code, major = packet.data[1], packet.data[10]
    return major == extension.major and code in (BAD_WINDOW, BAD_MATCH, BAD_DRAWABLE,
                                                 extension.first_error + BAD_DAMAGE)
