"""Screenshots of the whole display and comparisons of their pixels with pictures.

Without a compositor the X server shows a window's premultiplied colour and ignores its alpha,
so only pixels that the program draws opaque can be compared with a picture's colours; for the
others, compare two screenshots with each other.
"""

from dataclasses import dataclass

from . import desktop, x11
from .png import Picture

DEFAULT_TOLERANCE = 8  # per colour channel, out of 255


def take_screenshot():
    """The whole screen as a Picture (alpha is 255 everywhere)."""
    width, height = desktop.screen_size()
    connection = x11.connect()
    try:
        rgba = x11.get_image(connection, 0, 0, width, height)
    finally:
        x11.close(connection)
    return Picture(width, height, rgba)


def crop(picture, rect):
    """The part of a picture inside `rect`, which must lie within it."""
    if (rect.x < 0 or rect.y < 0 or rect.x + rect.width > picture.width
            or rect.y + rect.height > picture.height):
        raise ValueError(f"{rect} is not inside a {picture.width} x {picture.height} picture")
    stride = picture.width * 4
    rows = (picture.rgba[(rect.y + row) * stride + rect.x * 4:
                         (rect.y + row) * stride + (rect.x + rect.width) * 4]
            for row in range(rect.height))
    return Picture(rect.width, rect.height, b"".join(rows))


@dataclass
class Comparison:
    """How two pictures of the same size differ on the compared pixels."""
    compared: int
    different: int
    worst: int  # the largest difference of one colour channel
    first_difference: tuple | None  # (x, y, colour seen, colour expected)

    @property
    def same(self):
        return self.compared > 0 and self.different == 0

    def __str__(self):
        text = f"{self.different} of {self.compared} pixels differ, worst channel by {self.worst}"
        if self.first_difference:
            x, y, seen, expected = self.first_difference
            text += f"; first at ({x}, {y}): {seen} instead of {expected}"
        return text


def compare_colours(seen, expected, opaque_only=False, tolerance=DEFAULT_TOLERANCE):
    """Compares the red, green and blue of two pictures of one size.

    With opaque_only, only the pixels that are fully opaque in `expected` count.
    """
    if (seen.width, seen.height) != (expected.width, expected.height):
        raise ValueError("pictures of different sizes")
    compared = different = worst = 0
    first = None
    for at in range(0, len(expected.rgba), 4):
        if opaque_only and expected.rgba[at + 3] != 255:
            continue
        compared += 1
        delta = max(abs(seen.rgba[at + c] - expected.rgba[at + c]) for c in range(3))
        worst = max(worst, delta)
        if delta > tolerance:
            different += 1
            if first is None:
                index = at // 4
                first = (index % expected.width, index // expected.width,
                         tuple(seen.rgba[at:at + 3]), tuple(expected.rgba[at:at + 3]))
    return Comparison(compared, different, worst, first)
