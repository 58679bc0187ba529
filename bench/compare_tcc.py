#!/usr/bin/env python3
"""Times tarvel-check against a C compiler on the same generated program, alternating.

  compare_tcc.py TARVEL_CHECK [--sizes 1 10] [--runs 7]

For each size (MiB) it writes a script with gen_script.py and the same text behind the C
prelude, checks that tarvel-check validates it, then runs `tarvel-check --no-log` and
`tcc -c` alternately, one of each per round, and prints the median wall time and peak memory
of each and the median of the per-round time ratios. Needs Debian's tcc and /usr/bin/time (package time).
"""
import argparse
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_script  # noqa: E402


def timed(command, folder):
    """Wall seconds and peak resident MiB of one run of command."""
    # /usr/bin/time reports the peak of the command alone: a child forked from this process
    # would count the interpreter's own memory from before the exec.
    figures = os.path.join(folder, "time.txt")
    start = time.perf_counter()
    done = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", figures, *command],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    if done.returncode != 0:
        sys.exit(f"failed: {' '.join(command)}")
    with open(figures) as f:
        return wall, int(f.read().split()[-1]) / 1024.0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("tarvel_check")
    parser.add_argument("--sizes", type=float, nargs="+", default=[1, 10])
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="tarvel-bench-") as folder:
        print(f"{'size':>6} {'tarvel-check':>14} {'peak':>9} {'tcc -c':>9} {'peak':>9} {'ratio':>7}")
        for size in args.sizes:
            script = gen_script.generate(int(size * 1048576), random.Random(1))
            plain = os.path.join(folder, "script.c")
            as_c = os.path.join(folder, "script_c.c")
            with open(plain, "w", newline="\r\n") as f:
                f.write(script)
            with open(as_c, "w", newline="\r\n") as f:
                f.write(gen_script.PRELUDE + script)
            check = subprocess.run([args.tarvel_check, "--no-log", plain], capture_output=True)
            if check.returncode != 0:
                sys.exit("the generated script does not validate:\n" + check.stdout.decode())
            ours, theirs, ratios = [], [], []
            for _ in range(args.runs):
                a = timed([args.tarvel_check, "--no-log", plain], folder)
                b = timed(["tcc", "-c", as_c, "-o", os.path.join(folder, "script.o")], folder)
                ours.append(a)
                theirs.append(b)
                ratios.append(a[0] / b[0])
            med = statistics.median
            print(f"{size:>4g}Mi {med(t for t, _ in ours):>12.3f} s {med(m for _, m in ours):>5.1f} MiB"
                  f" {med(t for t, _ in theirs):>7.3f} s {med(m for _, m in theirs):>5.1f} MiB"
                  f" {med(ratios):>7.2f}")


if __name__ == "__main__":
    main()
