"""The main window on a real X display: its place, its outline, its lit buttons, dragging it,
and ending."""

import os
import tempfile

from harness import desktop, desktops, layout
from harness.case import GameTestCase, main
from harness.game import game_window_rect, processes_left, wait_for_exit
from harness.geometry import Point, Rect
from harness.screen import take_screenshot
from harness.waiting import wait_until
from harness.window import (button_looks_lit, hover_button, move_pointer_to, to_screen,
                            wait_for_picture, wait_for_region, wait_until_shown,
                            wait_until_window_at, window_region)

# The strip of the window that holds the five buttons.
BUTTON_STRIP = Rect(467, 461, 655 - 467, 504 - 461)
# Without a compositing manager the window is cut to its pixels that are at least half opaque.
LEAST_SHOWN_ALPHA = 128


def client_points(alphas):
    """The client points where the background picture's alpha is in `alphas`."""
    background = layout.picture("FOND")
    return [Point(x, y) for y in range(background.height) for x in range(background.width)
            if background.pixel(x, y)[3] in alphas]


def darkest_shadow_point():
    """A point of the frame's shadow, outside the frame, where the shadow is darkest."""
    background = layout.picture("FOND")
    shadow = client_points(range(1, LEAST_SHOWN_ALPHA))
    return max(shadow, key=lambda p: background.pixel(p.x, p.y)[3])


class MainWindowTest(GameTestCase):
    def setUp(self):
        super().setUp()
        self.start_game()

    def assert_ended_cleanly(self):
        self.assertEqual(wait_for_exit(self.game), 0)
        self.assertEqual(processes_left(self.game), [])
        # Nothing changed the scores, so the game writes no file at all, not even the scores.
        self.assertEqual(os.listdir(self.game.working_directory), [])

    def test_window_shows_the_notification_area_picture_as_its_icon(self):
        wait_until_shown(self.game)
        properties = desktop.window_property(self.game.window, "_NET_WM_ICON")
        # "_NET_WM_ICON = <width>, <height>, <pixels>..., <width>, ...": the picture at its size,
        # then its second set at twice the size for dense screens.
        values = [int(value) for value in properties.split("=", 1)[1].split(",")]
        sizes = []
        while values:
            width, height = values[:2]
            sizes.append((width, height))
            values = values[2 + width * height:]
        expected = [layout.picture(name) for name in ("SYSTRAY", "SYSTRAY@2x")]
        self.assertEqual(sorted(sizes), [(p.width, p.height) for p in expected])

    def test_window_opens_centred_at_its_size(self):
        self.assertEqual(desktop.screen_size(), (1024, 768))
        wait_until_shown(self.game)
        self.assertEqual(game_window_rect(self.game), Rect(162, 109, 700, 550))

    def desktop_colour_at(self, client_points):
        """For each client point of the window, whether the screen shows the desktop's own
        colour there."""
        shot = take_screenshot()
        origin = game_window_rect(self.game).top_left
        desk = shot.pixel(desktops.DESKTOP_POINT.x, desktops.DESKTOP_POINT.y)
        return [shot.pixel(origin.x + p.x, origin.y + p.y) == desk for p in client_points]

    def test_only_the_desktop_shows_around_the_frame(self):
        wait_until_shown(self.game)
        # Without a compositing manager the X server would show black where the window is
        # transparent; with one, what is fully transparent shows the desktop.
        hidden = range(0, 1) if self.desktop.compositor else range(0, LEAST_SHOWN_ALPHA)
        points = client_points(hidden)
        wrong = [p for p, desk in zip(points, self.desktop_colour_at(points)) if not desk]
        self.assertEqual(wrong[:5], [], f"{len(wrong)} of {len(points)} pixels around the frame "
                                        f"are not the desktop's colour")

    def test_a_compositing_manager_that_comes_and_goes_is_followed(self):
        if self.desktop.compositor:
            self.skipTest("this desktop's compositing manager stays")
        wait_until_shown(self.game)
        shadow = [darkest_shadow_point()]
        self.assertEqual(self.desktop_colour_at(shadow), [True],
                         "a shadow without a compositing manager")
        with tempfile.TemporaryDirectory() as home:
            with desktops.compositing_manager(home):
                wait_until(lambda: self.desktop_colour_at(shadow) == [False],
                           "the shadow to show once a compositing manager runs")
                wait_for_picture(self.game)
        wait_until(lambda: self.desktop_colour_at(shadow) == [True],
                   "the shadow to go with the compositing manager")
        wait_for_picture(self.game)

    def test_buttons_light_while_hovered_and_rest_afterwards(self):
        wait_until_shown(self.game)
        move_pointer_to(self.game, layout.BARE_BACKGROUND.centre)
        resting = window_region(self.game, BUTTON_STRIP)
        self.assertFalse(button_looks_lit(self.game, "help"))

        for button in layout.BUTTONS:
            shot = hover_button(self.game, button)
            # Only the hovered button lights; the others keep their resting look.
            for other in layout.BUTTONS:
                if other != button:
                    self.assertFalse(button_looks_lit(self.game, other, shot),
                                     f"{other} with {button} hovered")

        move_pointer_to(self.game, layout.BARE_BACKGROUND.centre)
        wait_for_region(self.game, BUTTON_STRIP, resting,
                        "the buttons to return to their resting look", tolerance=0)
        self.assertFalse(button_looks_lit(self.game, "help"))

    def test_dragging_the_background_moves_the_window(self):
        wait_until_shown(self.game)
        # A press in the board's well never drags, even on its margin beside the board's cells.
        desktop.drag(to_screen(self.game, layout.BOARD_AREA.top_left.offset(3, 3)), 30, 30)
        # Pointer events are handled in order: once the help button lights, that drag is over.
        hover_button(self.game, "help")
        self.assertEqual(game_window_rect(self.game).top_left, Point(162, 109))

        desktop.drag(to_screen(self.game, Point(668, 41)), 50, 40, steps=5)
        wait_until_window_at(self.game, Point(212, 149))
        self.assertEqual(game_window_rect(self.game), Rect(212, 149, 700, 550))
        wait_for_picture(self.game)  # the picture moved with the window

    def test_escape_ends_the_game_with_code_0(self):
        wait_until_shown(self.game)
        # Without a window manager the keyboard focus follows the pointer.
        move_pointer_to(self.game, layout.BARE_BACKGROUND.centre)
        desktop.press_key("Escape")
        self.assert_ended_cleanly()

    def test_close_button_ends_the_game_with_code_0(self):
        wait_until_shown(self.game)
        desktop.click(to_screen(self.game, layout.button_rect("close").centre))
        self.assert_ended_cleanly()


if __name__ == "__main__":
    main()
