"""A notification area on the display, at its bottom right corner (trayer), where the game puts
its icon while its window is hidden."""

import os
import shutil
import tempfile
from contextlib import contextmanager
from pathlib import Path

from . import desktop
from .geometry import Point, Rect
from .helpers import running_helper
from .waiting import wait_until

# The area on a 1024 × 768 screen, where an icon, the only one, shows in it, and a point of its
# plain background that no single icon covers.
AREA = Rect(924, 744, 100, 24)
ICON_POINT = Point(1012, 756)
PLAIN_POINT = Point(930, 756)
START_TIMEOUT = 15.0


def _arguments():
    return ["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel",
            "--width", str(AREA.width), "--height", str(AREA.height), "--transparent", "false",
            "--tint", "0x444444"]


@contextmanager
def notification_area():
    """Runs the notification area while the block runs; yields once its panel is mapped (it
    takes the icons' selection before it shows itself)."""
    home = Path(tempfile.mkdtemp(prefix="vormelin-tray-"))
    try:
        env = dict(os.environ, HOME=str(home), XDG_CONFIG_HOME=str(home / ".config"),
                   XDG_CACHE_HOME=str(home / ".cache"))
        with running_helper(_arguments(), env=env) as process:
            def panel_mapped():
                if process.poll() is not None:
                    raise RuntimeError(f"trayer ended with code {process.returncode}")
                return desktop.xdotool("search", "--onlyvisible", "--class", "^trayer$",
                                       check=False).split()

            wait_until(panel_mapped, "the notification area to show", timeout=START_TIMEOUT)
            yield
    finally:
        shutil.rmtree(home, ignore_errors=True)


def shows_an_icon(shot):
    """Whether something other than the area's plain background shows around the icon's
    place."""
    plain = shot.pixel(PLAIN_POINT.x, PLAIN_POINT.y)
    return any(shot.pixel(ICON_POINT.x + dx, ICON_POINT.y + dy) != plain
               for dx in range(-6, 7, 3) for dy in range(-6, 7, 3))
