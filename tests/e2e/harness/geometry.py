"""Points and rectangles in screen or client pixels."""

from dataclasses import dataclass


@dataclass(frozen=True)
class Point:
    x: int
    y: int

    def offset(self, dx, dy):
        return Point(self.x + dx, self.y + dy)


@dataclass(frozen=True)
class Rect:
    """A rectangle that includes its left and top edges and excludes its right and bottom ones."""
    x: int
    y: int
    width: int
    height: int

    @property
    def top_left(self):
        return Point(self.x, self.y)

    @property
    def centre(self):
        return Point(self.x + self.width // 2, self.y + self.height // 2)

    def contains(self, point):
        return (self.x <= point.x < self.x + self.width
                and self.y <= point.y < self.y + self.height)

    def offset(self, dx, dy):
        return Rect(self.x + dx, self.y + dy, self.width, self.height)

    def overlaps(self, other):
        return (self.x < other.x + other.width and other.x < self.x + self.width
                and self.y < other.y + other.height and other.y < self.y + self.height)
