#!/usr/bin/python3
"""Starts Orca as /usr/bin/orca does, with two changes for a test run.

The debug file named by --debug-file is opened line-buffered, so that every
"SPEECH OUTPUT" line is in the file as soon as Orca has spoken it (Orca opens
it with a large buffer otherwise). And an Orca of another session of the same
user (the player's own, another test's) does not stop this one: it has its
own D-Bus session, accessibility bus and X server.

usage: orca_launch.py --debug-file FILE [orca options]
"""
import builtins
import runpy
import sys

ORCA = "/usr/bin/orca"


def main():
    if "--debug-file" not in sys.argv:
        print("orca_launch: --debug-file FILE is required", file=sys.stderr)
        return 2
    debug_file = sys.argv[sys.argv.index("--debug-file") + 1]
    plain_open = builtins.open

    def line_buffered_open(file, mode="r", *args, **kwargs):
        if file == debug_file and "w" in mode and not args and "buffering" not in kwargs:
            kwargs["buffering"] = 1
        return plain_open(file, mode, *args, **kwargs)

    builtins.open = line_buffered_open
    sys.argv[0] = ORCA
    launcher = runpy.run_path(ORCA, run_name="orca_launcher")
    # main() reads otherOrcas from the launcher's own globals.
    launcher["main"].__globals__["otherOrcas"] = lambda: []
    return launcher["main"]()


if __name__ == "__main__":
    sys.exit(main())
