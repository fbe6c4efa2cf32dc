"""What a running process has cost so far: its CPU time to the nanosecond, from the kernel's
clock of the process, and its resident memory, from /proc."""

import ctypes
import time
from pathlib import Path

_libc = ctypes.CDLL(None, use_errno=True)


def process_cpu_clock(pid):
    """The id of the clock that counts the CPU time of the whole process `pid`."""
    clock = ctypes.c_int()
    error = _libc.clock_getcpuclockid(pid, ctypes.byref(clock))
    if error:
        raise ProcessLookupError(error, f"no CPU clock for process {pid}")
    return clock.value


def cpu_ns(pid):
    """The CPU time of the process so far, in nanoseconds: the scheduler's count, summed over
    all its threads, those that have already ended included (/proc's per-thread schedstat
    forgets those, and its stat counts in ticks of 10 ms)."""
    return time.clock_gettime_ns(process_cpu_clock(pid))


def vm_rss_kib(status_text):
    """VmRSS in KiB from the text of /proc/<pid>/status."""
    for line in status_text.splitlines():
        name, _, value = line.partition(":")
        if name == "VmRSS":
            number, unit = value.split()
            if unit != "kB":
                raise ValueError(f"VmRSS in {unit!r}")
            return int(number)
    raise ValueError("no VmRSS: a process without memory (a zombie)")


def resident_kib(pid):
    return vm_rss_kib(Path(f"/proc/{pid}/status").read_text())
