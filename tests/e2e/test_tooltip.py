"""The tooltip of a round button: it comes when the pointer has rested on the button for a
moment, below the pointer, pale yellow with dark writing, and goes a few seconds later."""

import time

from harness import desktops, layout, screen
from harness.case import GameTestCase, main
from harness.desktop import find_visible_windows, pointer_position, window_rect
from harness.geometry import Rect
from harness.waiting import WaitTimeout, wait_until
from harness.window import move_pointer_to, wait_until_shown

TOOLTIP_TITLE = "^ToolTipQelm$"
# Seconds after the pointer came to rest; the game looks at the pointer every 100 ms.
SHOWN_AFTER = (1.2, 2.5)
GONE_AFTER = (4.2, 5.5)
BELOW_POINTER = 20
# The colours the screen shows: the pale yellow premultiplied by its alpha (and with a
# compositing manager, blended with what is behind it), and the ink.
PALE_YELLOW = (229, 229, 168)
PALE_YELLOW_ALPHA = 229
TOLERANCE = 12
DARKEST_INK = 80


def pale_yellow_over(behind):
    if not desktops.current().compositor:
        return PALE_YELLOW
    left = 1 - PALE_YELLOW_ALPHA / 255
    return tuple(PALE_YELLOW[c] + behind[c] * left for c in range(3))


def is_pale_yellow(colour, behind):
    expected = pale_yellow_over(behind)
    return all(abs(colour[c] - expected[c]) <= TOLERANCE for c in range(3))


def is_ink(colour):
    return max(colour[:3]) <= DARKEST_INK


class TooltipTest(GameTestCase):
    def tooltips(self):
        return find_visible_windows(TOOLTIP_TITLE, pid=self.game.process.pid)

    def test_help_tooltip_comes_after_a_rest_and_goes_later(self):
        self.start_game()
        wait_until_shown(self.game)
        move_pointer_to(self.game, layout.button_rect("help").centre)
        rested = time.monotonic()
        pointer = pointer_position()
        before = screen.take_screenshot()

        tooltip = wait_until(self.tooltips, "the tooltip to show", timeout=6.0)[0]
        shown_after = time.monotonic() - rested
        self.assertTrue(SHOWN_AFTER[0] <= shown_after <= SHOWN_AFTER[1],
                        f"the tooltip showed {shown_after:.2f} s after the pointer rested")
        rect = window_rect(tooltip)
        self.assertEqual((rect.x, rect.y), (pointer.x, pointer.y + BELOW_POINTER))
        # Inside its dark border: the pale background and the word's ink.
        # A compositing manager may show the mapped window a little later: read until it does.
        inside_rect = Rect(rect.x + 1, rect.y + 1, rect.width - 2, rect.height - 2)
        behind = screen.crop(before, inside_rect)
        points = [(x, y) for y in range(behind.height) for x in range(behind.width)]

        def pale_and_ink():
            inside = screen.crop(screen.take_screenshot(), inside_rect)
            pale = sum(is_pale_yellow(inside.pixel(x, y), behind.pixel(x, y)) for x, y in points)
            ink = sum(is_ink(inside.pixel(x, y)) for x, y in points)
            return (pale, ink) if pale > len(points) // 2 and ink > 10 else None

        try:
            wait_until(pale_and_ink, "the tooltip's pale background and dark writing", timeout=1.0)
        except WaitTimeout:
            self.fail("the tooltip is not pale yellow with dark writing")

        wait_until(lambda: not self.tooltips(), "the tooltip to go", timeout=8.0)
        gone_after = time.monotonic() - rested
        self.assertTrue(GONE_AFTER[0] <= gone_after <= GONE_AFTER[1],
                        f"the tooltip went {gone_after:.2f} s after the pointer rested")


if __name__ == "__main__":
    main()
