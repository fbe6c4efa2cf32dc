"""The score table: the file "Scores.qelm" as the game writes it, the table a game should leave,
and the picture of the score panel that the game draws for a table.

The picture comes from score_panel_picture, a program built with the game's own drawing code
(its path in VORMELIN_SCORE_PANEL_PICTURE); no text is read back from the screen.
"""

import os
import subprocess
import tempfile
from dataclasses import dataclass, field
from functools import cache
from pathlib import Path

from .geometry import Rect
from .png import read_png

FILE_NAME = "Scores.qelm"
ENCODING = "cp1252"
ENTRY_COUNT = 13
DEFAULT_NAME = "Mr Vormelin"
DEFAULT_RESULT = 224
# The panel's area in client pixels: what score_panel_picture draws.
PANEL_AREA = Rect(475, 175, 660 - 475, 480 - 175)
RENDERER_VARIABLE = "VORMELIN_SCORE_PANEL_PICTURE"
RENDER_TIMEOUT = 30.0


@dataclass(frozen=True)
class ScoreTable:
    last_name: str = ""
    entries: tuple = field(default=((DEFAULT_NAME, DEFAULT_RESULT),) * ENTRY_COUNT)


def file_bytes(table):
    """The score file of a table: the last name, then a line "name|result" per entry, every
    line ending in CR LF, in Windows-1252."""
    lines = [table.last_name] + [f"{name}|{result}" for name, result in table.entries]
    return "".join(line + "\r\n" for line in lines).encode(ENCODING)


def with_entry(table, name, result):
    """The table after a game with `result` entered under `name`: the entry goes before the
    first one that is not better, the last entry drops out, and the name is the last name."""
    entries = list(table.entries)
    for i, (_, entered) in enumerate(entries):
        if entered >= result:
            entries.insert(i, (name, result))
            break
    return ScoreTable(name, tuple(entries[:ENTRY_COUNT]))


def panel_picture(table):
    """The score panel as the game draws it for `table`, in the colours the screen shows."""
    return _render(file_bytes(table))


@cache
def _render(score_file):
    renderer = os.environ.get(RENDERER_VARIABLE)
    if not renderer:
        raise RuntimeError(f"{RENDERER_VARIABLE} does not name the score panel renderer")
    with tempfile.TemporaryDirectory(prefix="score-panel-") as folder:
        (Path(folder) / FILE_NAME).write_bytes(score_file)
        output = Path(folder) / "panel.png"
        # It needs no display: its drawing is the same on Qt's off-screen platform.
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=folder)
        subprocess.run([renderer, str(output)], cwd=folder, env=env, check=True,
                       capture_output=True, timeout=RENDER_TIMEOUT)
        return read_png(output)
