"""The main window on a real X display: its place, its lit buttons, dragging it, and ending."""

import os

from harness import desktop, layout
from harness.case import GameTestCase, main
from harness.game import game_window_rect, processes_left, wait_for_exit
from harness.geometry import Point, Rect
from harness.window import (button_looks_lit, hover_button, move_pointer_to, to_screen,
                            wait_for_picture, wait_for_region, wait_until_shown,
                            wait_until_window_at, window_region)

# The strip of the window that holds the five buttons.
BUTTON_STRIP = Rect(467, 461, 655 - 467, 504 - 461)


class MainWindowTest(GameTestCase):
    def setUp(self):
        super().setUp()
        self.start_game()

    def assert_ended_cleanly(self):
        self.assertEqual(wait_for_exit(self.game), 0)
        self.assertEqual(processes_left(self.game), [])
        # Nothing changed the scores, so the game writes no file at all, not even the scores.
        self.assertEqual(os.listdir(self.game.working_directory), [])

    def test_window_opens_centred_at_its_size(self):
        self.assertEqual(desktop.screen_size(), (1024, 768))
        wait_until_shown(self.game)
        self.assertEqual(game_window_rect(self.game), Rect(162, 109, 700, 550))

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
