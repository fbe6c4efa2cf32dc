"""A minimal client of the X protocol, on the socket of the local display: enough to hold the
display open, to read the screen's pixels, and to read the window manager's properties and the
stacking of windows, without starting a program for each look."""

import os
import re
import socket
import struct
from dataclasses import dataclass

TIMEOUT = 10.0
QUERY_TREE = 15
INTERN_ATOM = 16
GET_PROPERTY = 20
GET_SELECTION_OWNER = 23
GET_INPUT_FOCUS = 43
GET_IMAGE = 73
ANY_PROPERTY_TYPE = 0
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
    """The root window, its size and depth, and the bits per pixel of that depth."""
    vendor_length, screen_count, format_count, byte_order = struct.unpack_from("<16xH2xBBB", body)
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
    return root, width, height, root_depth, formats.get(root_depth, 0)


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


def _request(connection, data, what):
    """Sends one request and returns its whole reply (header and extra data)."""
    connection.sock.sendall(data)
    header = _receive(connection.sock, 32)
    if header[0] == 0:
        raise XError(f"{what} failed with error {header[1]}")
    (extra,) = struct.unpack_from("<I", header, 4)
    return header + _receive(connection.sock, extra * 4)


def intern_atom(connection, name):
    """The atom of a name, made if the server does not know it yet."""
    encoded = name.encode()
    data = struct.pack("<BBHH2x", INTERN_ATOM, 0, 2 + _padded(len(encoded)) // 4, len(encoded))
    reply = _request(connection, data + encoded.ljust(_padded(len(encoded)), b"\0"),
                     f"InternAtom {name}")
    return struct.unpack_from("<I", reply, 8)[0]


def get_property(connection, window, name):
    """The 32-bit values of a window's property (atoms, windows, cardinals), or None when the
    window has no such property."""
    atom = intern_atom(connection, name)
    data = struct.pack("<BBHIIIII", GET_PROPERTY, 0, 6, window, atom, ANY_PROPERTY_TYPE, 0,
                       1 << 20)
    reply = _request(connection, data, f"GetProperty {name}")
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
