"""A minimal client of the X protocol, on the socket of the local display: enough to hold the
display open, to read the screen's pixels, to read the window manager's properties and the
stacking of windows, and to watch the windows of the root come and go, without starting a
program for each look."""

import os
import re
import select
import socket
import struct
import time
from collections import deque
from dataclasses import dataclass, field

TIMEOUT = 10.0
CHANGE_WINDOW_ATTRIBUTES = 2
QUERY_TREE = 15
INTERN_ATOM = 16
GET_PROPERTY = 20
GET_SELECTION_OWNER = 23
GET_INPUT_FOCUS = 43
GET_IMAGE = 73
QUERY_EXTENSION = 98
ANY_PROPERTY_TYPE = 0
EVENT_MASK_ATTRIBUTE = 0x800
SUBSTRUCTURE_NOTIFY_MASK = 0x80000
ERROR = 0
REPLY = 1
CREATE_NOTIFY = 16
DESTROY_NOTIFY = 17
MAP_NOTIFY = 19
CONFIGURE_NOTIFY = 22
Z_PIXMAP = 2
ALL_PLANES = 0xFFFFFFFF
LSB_FIRST = 0


class XError(RuntimeError):
    """The X server refused a connection or answered a request with an error."""


@dataclass
class Connection:
    sock: socket.socket
    root: int
    width: int
    height: int
    root_depth: int
    bits_per_pixel: int
    resource_id_base: int
    resource_id_mask: int
    sequence: int = 0  # of the last request sent, modulo 2^16 as the server counts
    ids_used: int = 0
    atoms: dict = field(default_factory=dict)  # by name, as the server gave them
    # Events and errors of earlier requests that came while a reply was awaited, each with the
    # time.monotonic() at which it was read.
    pending: deque = field(default_factory=deque)


@dataclass(frozen=True)
class Packet:
    """An event or an error as the server sent it (32 bytes), and when it was read."""
    received: float
    data: bytes

    @property
    def code(self):
        return self.data[0] & 0x7F  # the top bit says that a client sent the event

    @property
    def is_error(self):
        return self.code == ERROR


def _socket_path():
    number = re.fullmatch(r":(\d+)(\.\d+)?", os.environ.get("DISPLAY", ""))
    if number is None:
        raise XError(f"not a local display: {os.environ.get('DISPLAY')!r}")
    return f"/tmp/.X11-unix/X{number.group(1)}"


def _receive(sock, size):
    data = bytearray()
    while len(data) < size:
        chunk = sock.recv(min(size - len(data), 1 << 20))
        if not chunk:
            raise XError("the X server closed the connection")
        data += chunk
    return bytes(data)


def _padded(length):
    return (length + 3) & ~3


def _parse_setup(body):
    """The root window, its size and depth, the bits per pixel of that depth, and the base and
    mask of the resource ids the client may make."""
    id_base, id_mask, vendor_length, screen_count, format_count, byte_order = struct.unpack_from(
        "<4xII4xH2xBBB", body)
    if byte_order != LSB_FIRST:
        raise XError("an X server that sends pixels most significant byte first")
    at = 32 + _padded(vendor_length)
    formats = {}
    for _ in range(format_count):
        depth, bits_per_pixel = struct.unpack_from("<BB", body, at)
        formats[depth] = bits_per_pixel
        at += 8
    if screen_count < 1:
        raise XError("the X server has no screen")
    root, width, height, root_depth = struct.unpack_from("<I16xHH14xB", body, at)
    return root, width, height, root_depth, formats.get(root_depth, 0), id_base, id_mask


def connect():
    """Opens a connection as a little-endian client of protocol 11.0 without authorization."""
    path = _socket_path()
    sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    sock.settimeout(TIMEOUT)
    try:
        try:
            sock.connect("\0" + path)  # the abstract name, where the server listens first
        except OSError:
            sock.connect(path)
        sock.sendall(struct.pack("<BxHHHHxx", ord("l"), 11, 0, 0, 0))
        status, _, _, _, extra = struct.unpack("<BBHHH", _receive(sock, 8))
        body = _receive(sock, extra * 4)
        if status != 1:
            raise XError(f"the X server of {path} refused a connection")
        return Connection(sock, *_parse_setup(body))
    except BaseException:
        sock.close()
        raise


def close(connection):
    connection.sock.close()


def _send(connection, data):
    """Sends one request; returns its sequence number."""
    connection.sock.sendall(data)
    connection.sequence = (connection.sequence + 1) & 0xFFFF
    return connection.sequence


def _read_packet(connection):
    header = _receive(connection.sock, 32)
    received = time.monotonic()
    if header[0] == REPLY:
        (extra,) = struct.unpack_from("<I", header, 4)
        return Packet(received, header + _receive(connection.sock, extra * 4))
    return Packet(received, header)


def error_sequence(packet):
    return struct.unpack_from("<H", packet.data, 2)[0]


def _request(connection, data, what):
    """Sends one request and returns its whole reply (header and extra data). Events, and errors
    of earlier requests, that come first wait in connection.pending."""
    sequence = _send(connection, data)
    while True:
        packet = _read_packet(connection)
        if packet.data[0] == REPLY:
            return packet.data
        if packet.is_error and error_sequence(packet) == sequence:
            raise XError(f"{what} failed with error {packet.data[1]}")
        connection.pending.append(packet)


def new_id(connection):
    """A fresh id for a resource of this client (a Damage, say)."""
    mask = connection.resource_id_mask
    step = mask & -mask  # the lowest bit of the mask
    connection.ids_used += 1
    value = connection.ids_used * step
    if value & ~mask:
        raise XError("the client has used all its resource ids")
    return connection.resource_id_base | value


def next_packet(connection, timeout):
    """The next event or error of an earlier request (a Packet), or None after `timeout`
    seconds without one."""
    if connection.pending:
        return connection.pending.popleft()
    ready, _, _ = select.select([connection.sock], [], [], max(timeout, 0.0))
    if not ready:
        return None
    packet = _read_packet(connection)
    if packet.data[0] == REPLY:
        raise XError("a reply that no request awaited")
    return packet


def sync(connection):
    """Waits until the server has handled every request sent so far; an error of one of them is
    then in connection.pending."""
    input_focus(connection)


@dataclass(frozen=True)
class WindowEvent:
    """A child of a watched window created, mapped, moved or resized, or destroyed: its
    geometry where the event carries one."""
    code: int
    window: int
    x: int = 0
    y: int = 0
    width: int = 0
    height: int = 0
    override_redirect: bool = False


def window_event(packet):
    """The WindowEvent of a CreateNotify, MapNotify, ConfigureNotify or DestroyNotify packet;
    None for any other."""
    data = packet.data
    if packet.code == CREATE_NOTIFY:
        window, x, y, width, height, override = struct.unpack_from("<8xIhhHH2xB", data)
        return WindowEvent(CREATE_NOTIFY, window, x, y, width, height, bool(override))
    if packet.code == MAP_NOTIFY:
        window, override = struct.unpack_from("<8xIB", data)
        return WindowEvent(MAP_NOTIFY, window, override_redirect=bool(override))
    if packet.code == CONFIGURE_NOTIFY:
        window, x, y, width, height, override = struct.unpack_from("<8xI4xhhHH2xB", data)
        return WindowEvent(CONFIGURE_NOTIFY, window, x, y, width, height, bool(override))
    if packet.code == DESTROY_NOTIFY:
        (window,) = struct.unpack_from("<8xI", data)
        return WindowEvent(DESTROY_NOTIFY, window)
    return None


def select_root_events(connection, mask):
    """Asks for the root window's events of `mask` (SUBSTRUCTURE_NOTIFY_MASK: its children being
    created, mapped, configured and destroyed), which any number of clients may watch."""
    _send(connection, struct.pack("<BxHIII", CHANGE_WINDOW_ATTRIBUTES, 4, connection.root,
                                  EVENT_MASK_ATTRIBUTE, mask))


def query_extension(connection, name):
    """(major opcode, first event, first error) of an extension, or None when the server
    lacks it."""
    encoded = name.encode()
    data = struct.pack("<BxHH2x", QUERY_EXTENSION, 2 + _padded(len(encoded)) // 4, len(encoded))
    reply = _request(connection, data + encoded.ljust(_padded(len(encoded)), b"\0"),
                     f"QueryExtension {name}")
    present, major, first_event, first_error = struct.unpack_from("<BBBB", reply, 8)
    return (major, first_event, first_error) if present else None


def extension_request(connection, major, data):
    """Sends a request of an extension without reply: `data` starts with the minor opcode and
    its length field, as every extension request does after the major opcode."""
    return _send(connection, bytes([major]) + data)


def extension_reply(connection, major, data, what):
    return _request(connection, bytes([major]) + data, what)


def intern_atom(connection, name):
    """The atom of a name, made if the server does not know it yet."""
    if name in connection.atoms:
        return connection.atoms[name]
    encoded = name.encode()
    data = struct.pack("<BBHH2x", INTERN_ATOM, 0, 2 + _padded(len(encoded)) // 4, len(encoded))
    reply = _request(connection, data + encoded.ljust(_padded(len(encoded)), b"\0"),
                     f"InternAtom {name}")
    connection.atoms[name] = struct.unpack_from("<I", reply, 8)[0]
    return connection.atoms[name]


def _property_reply(connection, window, name):
    atom = intern_atom(connection, name)
    data = struct.pack("<BBHIIIII", GET_PROPERTY, 0, 6, window, atom, ANY_PROPERTY_TYPE, 0,
                       1 << 20)
    return _request(connection, data, f"GetProperty {name}")


def get_text_property(connection, window, name):
    """A window's text property (WM_NAME, _NET_WM_NAME) decoded as UTF-8, or None when the window
    has no such property."""
    reply = _property_reply(connection, window, name)
    value_format, value_type = reply[1], struct.unpack_from("<I", reply, 8)[0]
    if value_type == 0:
        return None
    if value_format != 8:
        raise XError(f"the property {name} is not text")
    (length,) = struct.unpack_from("<I", reply, 16)
    return reply[32:32 + length].decode(errors="replace")


def get_property(connection, window, name):
    """The 32-bit values of a window's property (atoms, windows, cardinals), or None when the
    window has no such property."""
    reply = _property_reply(connection, window, name)
    value_format, value_type = reply[1], struct.unpack_from("<I", reply, 8)[0]
    (length,) = struct.unpack_from("<I", reply, 16)
    if value_type == 0:
        return None
    if value_format != 32:
        raise XError(f"the property {name} is not made of 32-bit values")
    return list(struct.unpack_from(f"<{length}I", reply, 32))


def selection_owner(connection, name):
    """The window that owns the selection, or 0."""
    atom = intern_atom(connection, name)
    reply = _request(connection, struct.pack("<BxHI", GET_SELECTION_OWNER, 2, atom),
                     f"GetSelectionOwner {name}")
    return struct.unpack_from("<I", reply, 8)[0]


def input_focus(connection):
    """The window that has the keyboard focus (0 for none, 1 for the window under the pointer)."""
    reply = _request(connection, struct.pack("<BxH", GET_INPUT_FOCUS, 1), "GetInputFocus")
    return struct.unpack_from("<I", reply, 8)[0]


def children(connection, window):
    """The window's children from the bottom of the stack to its top."""
    reply = _request(connection, struct.pack("<BxHI", QUERY_TREE, 2, window), "QueryTree")
    (count,) = struct.unpack_from("<H", reply, 16)
    return list(struct.unpack_from(f"<{count}I", reply, 32))


def get_image(connection, x, y, width, height):
    """The screen's pixels in a rectangle as straight RGBA bytes (alpha 255), rows top to bottom.

    Reads the root window, which shows what every window shows on the screen.
    """
    if connection.root_depth != 24 or connection.bits_per_pixel != 32:
        raise XError(f"a screen of depth {connection.root_depth} and "
                     f"{connection.bits_per_pixel} bits a pixel is not supported")
    reply = _request(connection, struct.pack("<BBHIhhHHI", GET_IMAGE, Z_PIXMAP, 5,
                                             connection.root, x, y, width, height, ALL_PLANES),
                     f"GetImage of {width} x {height} at ({x}, {y})")
    data = reply[32:]
    count = width * height
    if len(data) < count * 4:
        raise XError("GetImage returned too few pixels")
    # Each pixel is blue, green, red and an unused byte, in the server's little-endian order.
    rgba = bytearray(count * 4)
    rgba[0::4] = data[2:count * 4:4]
    rgba[1::4] = data[1:count * 4:4]
    rgba[2::4] = data[0:count * 4:4]
    rgba[3::4] = b"\xff" * count
    return bytes(rgba)
