"""The figures of the start-up runs: each run's, their medians and the game's ratios to its
peer, as a table."""

import statistics
from dataclasses import dataclass


@dataclass
class RunFigures:
    """One start of one program; None where the figure was not taken."""
    mapped_ms: float | None  # from the exec to its main window's map
    first_frame_ms: float | None  # from the exec to its main window's first picture
    cpu_ms: float | None  # CPU time to the first picture
    rss_mib: float  # resident memory once settled
    idle_cpu_percent: float  # of one core, idle with the pointer away
    wakeups_per_second: float
    blank_drawings: int | None = None  # drawings of the mapped window before its picture


# (field of RunFigures, row title, digits after the point)
ROWS = (
    ("first_frame_ms", "exec to first frame, ms", 1),
    ("mapped_ms", "exec to main window mapped, ms", 1),
    ("cpu_ms", "CPU to first frame, ms", 1),
    ("rss_mib", "RSS after settling, MiB", 1),
    ("idle_cpu_percent", "idle CPU, % of a core", 3),
    ("wakeups_per_second", "wakeups per second", 1),
)


def median(runs, name):
    """The median of one figure over the runs that have it, or None."""
    values = [getattr(run, name) for run in runs if getattr(run, name) is not None]
    return statistics.median(values) if values else None


def ratio(value, reference):
    """value / reference, or None when either is missing or the reference is 0."""
    if value is None or not reference:
        return None
    return value / reference


def _cell(value, digits, width):
    return f"{'—' if value is None else f'{value:.{digits}f}':>{width}}"


def table(columns, game_label, peer_label=None):
    """The medians of each program as a table, one column a program (`columns` maps labels to
    their runs, in order), with the ratio of the game to its peer when the peer ran."""
    labels = list(columns)
    width = max(12, *(len(label) for label in labels))
    header = f"{'median of the runs':<32}" + "".join(f"{label:>{width + 2}}" for label in labels)
    with_ratio = peer_label is not None and peer_label in columns
    if with_ratio:
        header += f"{'ratio':>10}"
    lines = [header]
    for name, title, digits in ROWS:
        medians = [median(columns[label], name) for label in labels]
        line = f"{title:<32}" + "".join(_cell(value, digits, width + 2) for value in medians)
        if with_ratio:
            line += _cell(ratio(median(columns[game_label], name),
                                median(columns[peer_label], name)), 2, 10)
        lines.append(line)
    return "\n".join(lines)


def run_line(label, number, figures):
    """One run's figures on a line, as the runs go."""
    def shown(value, digits):
        return "—" if value is None else f"{value:.{digits}f}"

    return (f"run {number} {label}: first frame {shown(figures.first_frame_ms, 1)} ms "
            f"(mapped {shown(figures.mapped_ms, 1)}, blank drawings before it "
            f"{shown(figures.blank_drawings, 0)}), CPU {shown(figures.cpu_ms, 1)} ms, "
            f"RSS {figures.rss_mib:.1f} MiB, idle {figures.idle_cpu_percent:.3f} % "
            f"and {figures.wakeups_per_second:.1f} wakeups/s")
