"""Saves a picture of the game's window as a player sees it, for a person to look at.

    python3 screenshot.py <vormelin executable> <output.png> [--hover BUTTON]

It needs a display (scripts/screenshot.sh provides one). Without a compositor the window shows
over the display's black root window with its alpha ignored.
"""

import argparse
from pathlib import Path

from harness import layout, screen
from harness.game import game_window_rect, running_game
from harness.png import write_png
from harness.window import hover_button, wait_until_shown


def main():
    parser = argparse.ArgumentParser(description="Saves a picture of the game's window.")
    parser.add_argument("executable", type=Path)
    parser.add_argument("output", type=Path)
    parser.add_argument("--hover", choices=sorted(layout.BUTTONS),
                        help="show this button lit, with the pointer over it")
    arguments = parser.parse_args()

    with running_game(arguments.executable.resolve()) as game:
        wait_until_shown(game)
        if arguments.hover:
            hover_button(game, arguments.hover)
        write_png(arguments.output, screen.crop(screen.take_screenshot(), game_window_rect(game)))
    print(f"saved {arguments.output}")


if __name__ == "__main__":
    main()
