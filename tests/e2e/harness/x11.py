"""A minimal client of the X protocol, on the socket of the local display: enough to hold the
display open and to read the screen's pixels without starting a program for each picture."""

import os
import re
import socket
import struct
from dataclasses import dataclass

TIMEOUT = 10.0
GET_IMAGE = 73
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


def get_image(connection, x, y, width, height):
    """The screen's pixels in a rectangle as straight RGBA bytes (alpha 255), rows top to bottom.

    Reads the root window, which shows what every window shows on the screen.
    """
    if connection.root_depth != 24 or connection.bits_per_pixel != 32:
        raise XError(f"a screen of depth {connection.root_depth} and "
                     f"{connection.bits_per_pixel} bits a pixel is not supported")
    connection.sock.sendall(struct.pack("<BBHIhhHHI", GET_IMAGE, Z_PIXMAP, 5, connection.root,
                                        x, y, width, height, ALL_PLANES))
    header = _receive(connection.sock, 32)
    if header[0] == 0:
        raise XError(f"GetImage of {width} x {height} at ({x}, {y}) failed with error "
                     f"{header[1]}")
    (extra,) = struct.unpack_from("<I", header, 4)
    data = _receive(connection.sock, extra * 4)
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
