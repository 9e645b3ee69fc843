#!/usr/bin/env python3
# Times kivo6-tty as a user meets it: from starting the process in a fresh terminal
# (a pty of 80x24) to its first drawn screen, and from Alt+X (the Exit button) to the
# end of the process, with its peak resident memory (through GNU time). Includes the
# start of /usr/bin/time itself, well under a millisecond. Run by tools/bench-programs.sh.
# Usage: bench-tty.py PROGRAM [RUNS]  (in the folder that holds data.txt)
import fcntl
import os
import pty
import select
import statistics
import struct
import sys
import tempfile
import termios
import time

# The last caption the first screen draws: the Exit button's.
FIRST_SCREEN_DONE = "終了".encode()


def one_run(program, peak_file):
    started = time.perf_counter()
    pid, master = pty.fork()
    if pid == 0:
        # GNU time reports the program's own peak; a forked Python's would be counted
        # in the program's figure otherwise.
        os.execv("/usr/bin/time", ["time", "-f", "%M", "-o", peak_file, program])
    fcntl.ioctl(master, termios.TIOCSWINSZ, struct.pack("HHHH", 24, 80, 0, 0))
    seen = b""
    drawn = None
    while drawn is None:
        ready, _, _ = select.select([master], [], [], 10)
        if not ready:
            raise RuntimeError("no first screen within 10 s")
        seen += os.read(master, 65536)
        if FIRST_SCREEN_DONE in seen:
            drawn = time.perf_counter()
    os.write(master, b"\x1bx")
    while True:
        try:
            if not os.read(master, 65536):
                break
        except OSError:  # the pty closes when the program ends
            break
    _, status = os.waitpid(pid, 0)
    ended = time.perf_counter()
    os.close(master)
    if status != 0:
        raise RuntimeError(f"kivo6-tty ended with status {status}")
    with open(peak_file) as figures:
        peak = int(figures.read().split()[-1])
    return (drawn - started) * 1000, (ended - drawn) * 1000, peak


def main():
    program = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 40
    os.environ.setdefault("TERM", "xterm-256color")
    os.environ.setdefault("LANG", "C.UTF-8")
    with tempfile.NamedTemporaryFile() as peak_file:
        one_run(program, peak_file.name)  # warm the page cache
        first, quit_, peak = zip(*(one_run(program, peak_file.name) for _ in range(runs)))
    print(f"kivo6-tty, {runs} runs in an 80x24 pty:")
    print(f"  start to first drawn screen: median {statistics.median(first):.1f} ms "
          f"(min {min(first):.1f}, max {max(first):.1f})")
    print(f"  Alt+X to process end:        median {statistics.median(quit_):.1f} ms "
          f"(min {min(quit_):.1f}, max {max(quit_):.1f})")
    print(f"  peak resident memory:        {max(peak)} KiB")


main()
