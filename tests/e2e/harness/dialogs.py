"""The game's other windows: message boxes and the name dialog, found by their titles and sizes,
and answered from the keyboard, which each of them takes when it comes.
"""

from . import desktop, desktops
from .game import game_output
from .geometry import Rect
from .waiting import wait_until

END_OF_GAME = "^Fin de la partie$"
# "Problème": matched on its first letters, whatever the encoding of the accented one.
PROBLEM = "^Probl"
NAME_DIALOG = "^Vormelin$"  # the main window's title too: told apart by its size
# The dialog's outer rectangle starts there (its frame, where a window manager gives it one);
# its inside is 300 × 130.
NAME_DIALOG_RECT = Rect(362, 319, 300, 130)
# Where the pointer rests while keys are typed into a window that must have the keyboard
# wherever the pointer is.
AWAY = desktops.DESKTOP_POINT


def visible_windows(game, title_pattern, size=None):
    """(id, screen rectangle) of each mapped window of the game whose title matches, and whose
    size is `size` (width, height) when given."""
    found = []
    for window in desktop.find_visible_windows(title_pattern, pid=game.process.pid):
        try:
            rect = desktop.window_rect(window)
        except RuntimeError:
            continue  # gone meanwhile
        if size is None or (rect.width, rect.height) == size:
            found.append((window, rect))
    return found


def wait_for_window(game, title_pattern, what, size=None, timeout=10.0):
    """Waits until exactly one such window is mapped and returns (id, screen rectangle)."""
    def single_window():
        if game.process.poll() is not None:
            raise AssertionError(f"the game ended with code {game.process.returncode} while "
                                 f"waiting for {what}; its output:\n{game_output(game)}")
        windows = visible_windows(game, title_pattern, size)
        if len(windows) > 1:
            raise AssertionError(f"{len(windows)} windows for {what}: {windows}")
        return windows[0] if windows else None

    return wait_until(single_window, what, timeout=timeout)


def wait_until_closed(game, window, what, timeout=10.0):
    wait_until(lambda: window not in desktop.find_visible_windows(".*", pid=game.process.pid),
               f"{what} to close", timeout=timeout)


def outer_rect(window):
    """The window's rectangle on the screen with its frame, if it has one."""
    rect = desktop.window_rect(window)
    left, right, top, bottom = desktops.frame_extents(window)
    return Rect(rect.x - left, rect.y - top, rect.width + left + right,
                rect.height + top + bottom)


def press_key_away(key):
    """Presses a key with the pointer away from every window."""
    desktop.move_pointer(AWAY)
    desktop.press_key(key)


def type_away(text):
    """Types a text with the pointer away from every window."""
    desktop.move_pointer(AWAY)
    desktop.xdotool("type", "--delay", "60", text)


def press_key_in(rect, key):
    """Puts the pointer over the window at `rect` and presses a key there."""
    desktop.move_pointer(rect.centre)
    desktop.press_key(key)


def type_in(rect, text):
    """Puts the pointer over the window at `rect` and types a text there."""
    desktop.move_pointer(rect.centre)
    desktop.xdotool("type", "--delay", "60", text)


def wait_for_name_dialog(game, timeout=10.0):
    return wait_for_window(game, NAME_DIALOG, "the name dialog",
                           size=(NAME_DIALOG_RECT.width, NAME_DIALOG_RECT.height),
                           timeout=timeout)
