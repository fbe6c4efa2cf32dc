"""The game's main window as it shows on the screen: its client points, its pixels, and waiting
for them to look as expected."""

from . import desktop, layout, screen, tray
from .game import WINDOW_TITLE_PATTERN, game_window_rect, wait_for_window
from .geometry import Rect
from .waiting import wait_until


def to_screen(game, client_point):
    """The screen point of a client point of the main window."""
    return game_window_rect(game).top_left.offset(client_point.x, client_point.y)


def screen_rect(game, client_rect):
    top_left = to_screen(game, client_rect.top_left)
    return Rect(top_left.x, top_left.y, client_rect.width, client_rect.height)


def move_pointer_to(game, client_point):
    desktop.move_pointer(to_screen(game, client_point))


def window_region(game, client_rect, shot=None):
    """The pixels at a client rectangle of the main window, from `shot` or a new screenshot."""
    shot = shot or screen.take_screenshot()
    return screen.crop(shot, screen_rect(game, client_rect))


def compare_region(game, client_rect, expected, opaque_only=False,
                   tolerance=screen.DEFAULT_TOLERANCE, shot=None):
    """Compares the pixels at a client rectangle with a picture of its size."""
    return screen.compare_colours(window_region(game, client_rect, shot), expected,
                                  opaque_only=opaque_only, tolerance=tolerance)


def wait_for_region(game, client_rect, expected, what, opaque_only=False,
                    tolerance=screen.DEFAULT_TOLERANCE):
    """Waits until the pixels at a client rectangle match a picture; returns the screenshot in
    which they did."""
    last = None

    def matching_screenshot():
        nonlocal last
        shot = screen.take_screenshot()
        last = compare_region(game, client_rect, expected, opaque_only, tolerance, shot)
        return shot if last.same else None

    return wait_until(matching_screenshot, what, describe=lambda _: str(last))


def wait_for_picture(game):
    """Waits until the window shows its background picture where it is now (its title, which no
    widget covers)."""
    title = screen.crop(layout.picture("FOND"), layout.TITLE_AREA)
    wait_for_region(game, layout.TITLE_AREA, title, "the window to show its background picture",
                    opaque_only=True)


def wait_until_shown(game):
    """Waits until the main window is mapped and shows its picture; returns its id."""
    window = wait_for_window(game)
    wait_for_picture(game)
    return window


def wait_until_window_at(game, screen_point):
    """Waits until the main window's top-left corner is at a screen point."""
    wait_until(lambda: game_window_rect(game).top_left == screen_point,
               f"the window to be at ({screen_point.x}, {screen_point.y})",
               describe=lambda _: str(game_window_rect(game)))


def hover_button(game, name):
    """Moves the pointer onto a round button and waits until it shows its lit face; returns the
    screenshot that showed it."""
    rect = layout.button_rect(name)
    move_pointer_to(game, rect.centre)
    return wait_for_region(game, rect, layout.lit_face(name), f"the {name} button to light",
                           opaque_only=True)


def click_button(game, name):
    """Clicks the middle of a round button."""
    desktop.click(to_screen(game, layout.button_rect(name).centre))


def minimise_until_hidden(game, notification_area):
    """Clicks the minimise button and waits until the window is gone from the screen, and, on a
    desktop with a notification area, until the game's icon shows there."""
    click_button(game, "minimise")
    pid = game.process.pid
    wait_until(lambda: not desktop.find_visible_windows(WINDOW_TITLE_PATTERN, pid=pid),
               "the window to hide")
    if notification_area:
        wait_until(lambda: tray.shows_an_icon(screen.take_screenshot()), "the icon to show")


def button_looks_lit(game, name, shot=None):
    return compare_region(game, layout.button_rect(name), layout.lit_face(name),
                          opaque_only=True, shot=shot).same
