"""Reading and writing 8-bit RGBA PNG pictures with the standard library only (zlib and the five
row filters): the form of all the game's own pictures, and enough for saving screenshots."""

import struct
import zlib
from dataclasses import dataclass

SIGNATURE = b"\x89PNG\r\n\x1a\n"
RGBA_COLOUR_TYPE = 6
BYTES_PER_PIXEL = 4


@dataclass
class Picture:
    """Straight (not premultiplied) RGBA pixels, 4 bytes a pixel, rows top to bottom."""
    width: int
    height: int
    rgba: bytes

    def pixel(self, x, y):
        """(red, green, blue, alpha) of one pixel."""
        at = (y * self.width + x) * BYTES_PER_PIXEL
        return tuple(self.rgba[at:at + BYTES_PER_PIXEL])


def _chunks(data):
    if not data.startswith(SIGNATURE):
        raise ValueError("not a PNG file")
    at = len(SIGNATURE)
    while at + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if len(body) != length:
            raise ValueError("truncated PNG chunk")
        yield kind, body
        at += 12 + length  # length, type, body, CRC
        if kind == b"IEND":
            return
    raise ValueError("PNG file without IEND")


def _unfilter_row(kind, row, previous):
    """Undoes one row's filter in place, given the row above it (zeros above the first row).

    The first pixel of a row has no left neighbour: there the left and upper-left bytes are 0.
    """
    size = len(row)
    step = BYTES_PER_PIXEL
    if kind == 0:
        return
    if kind == 1:  # sub
        for i in range(step, size):
            row[i] = (row[i] + row[i - step]) & 0xFF
    elif kind == 2:  # up
        for i in range(size):
            row[i] = (row[i] + previous[i]) & 0xFF
    elif kind == 3:  # average
        for i in range(step):
            row[i] = (row[i] + (previous[i] >> 1)) & 0xFF
        for i in range(step, size):
            row[i] = (row[i] + ((row[i - step] + previous[i]) >> 1)) & 0xFF
    elif kind == 4:  # Paeth: the neighbour nearest to left + up - up-left, in that order of ties
        for i in range(step):
            row[i] = (row[i] + previous[i]) & 0xFF
        for i in range(step, size):
            left, up, up_left = row[i - step], previous[i], previous[i - step]
            to_left, to_up = abs(up - up_left), abs(left - up_left)
            to_up_left = abs(left + up - 2 * up_left)
            if to_left <= to_up and to_left <= to_up_left:
                nearest = left
            elif to_up <= to_up_left:
                nearest = up
            else:
                nearest = up_left
            row[i] = (row[i] + nearest) & 0xFF
    else:
        raise ValueError(f"unknown PNG row filter {kind}")


def decode_png(data):
    """Decodes non-interlaced 8-bit RGBA PNG data into a Picture."""
    header = None
    compressed = bytearray()
    for kind, body in _chunks(data):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
    if header is None:
        raise ValueError("PNG file without IHDR")
    width, height, depth, colour_type, _, _, interlace = header
    if depth != 8 or colour_type != RGBA_COLOUR_TYPE or interlace != 0:
        raise ValueError(f"unsupported PNG: depth {depth}, colour type {colour_type}, "
                         f"interlace {interlace}")
    stride = width * BYTES_PER_PIXEL
    raw = zlib.decompress(bytes(compressed))
    if len(raw) < height * (stride + 1):
        raise ValueError("PNG pixel data is too short")
    previous = bytearray(stride)
    rows = []
    for y in range(height):
        start = y * (stride + 1)
        row = bytearray(raw[start + 1:start + 1 + stride])
        _unfilter_row(raw[start], row, previous)
        rows.append(bytes(row))
        previous = row
    return Picture(width, height, b"".join(rows))


def read_png(path):
    with open(path, "rb") as file:
        return decode_png(file.read())


def _chunk(kind, body):
    return (struct.pack(">I", len(body)) + kind + body
            + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))


def encode_png(picture):
    """Encodes a Picture as RGBA PNG data, every row unfiltered."""
    stride = picture.width * BYTES_PER_PIXEL
    raw = b"".join(b"\x00" + picture.rgba[y * stride:(y + 1) * stride]
                   for y in range(picture.height))
    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, RGBA_COLOUR_TYPE, 0, 0, 0)
    return (SIGNATURE + _chunk(b"IHDR", header) + _chunk(b"IDAT", zlib.compress(raw, 6))
            + _chunk(b"IEND", b""))


def write_png(path, picture):
    with open(path, "wb") as file:
        file.write(encode_png(picture))
