#!/usr/bin/env python3
"""Differential check of tarvel-check: records everything one binary prints for a set of
scripts and compares it with what another binary prints, byte for byte.

  differential.py record BINARY OUT.jsonl   # the outputs of BINARY
  differential.py check BINARY OUT.jsonl    # BINARY must reproduce them; lists differences

Each script is validated in a fresh folder, twice (declining and continuing after a load
error), with --json; what is kept per run is standard output, standard error, the exit status
and logfile.txt, whose time and free-memory figures are blanked because they vary between any
two runs. The scripts: examples/, fuzz/corpus/, generated scripts of every construct and
deterministic mutations of them and of the examples (valid and broken alike).
"""
import json
import os
import random
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "bench"))
import gen_script  # noqa: E402

LOG_FIGURES = re.compile(rb"\(Time:[0-9.]+, free sysmem:-?[0-9]+\)")
MUTATIONS_PER_SCRIPT = 30
TIMEOUT_SECONDS = 20


def seed_scripts():
    scripts = []
    for folder in ("examples", "examples/mistakes", "fuzz/corpus"):
        path = os.path.join(ROOT, folder)
        for name in sorted(os.listdir(path)):
            full = os.path.join(path, name)
            if os.path.isfile(full):
                with open(full, "rb") as f:
                    scripts.append((folder + "/" + name, f.read()))
    for seed in range(1, 9):
        text = gen_script.generate(1500 * seed, random.Random(seed)).replace("\n", "\r\n")
        scripts.append((f"generated/{seed}", text.encode()))
    return scripts


def mutate(data, rng):
    """One plausible edit: a byte dropped, doubled or replaced, or two lines swapped."""
    if not data:
        return b";"
    data = bytearray(data)
    choice = rng.randrange(4)
    at = rng.randrange(len(data))
    if choice == 0:
        del data[at]
    elif choice == 1:
        data.insert(at, data[at])
    elif choice == 2:
        data[at] = rng.choice(b"(){}[];,+-*/=<>!&|\"#$x1. \r\n")
    else:
        lines = bytes(data).split(b"\r\n")
        if len(lines) > 1:
            i, j = rng.randrange(len(lines)), rng.randrange(len(lines))
            lines[i], lines[j] = lines[j], lines[i]
        data = bytearray(b"\r\n".join(lines))
    return bytes(data)


def all_scripts():
    rng = random.Random(2026)
    out = []
    for name, data in seed_scripts():
        out.append((name, data))
        for k in range(MUTATIONS_PER_SCRIPT):
            out.append((f"{name}~{k}", mutate(data, rng)))
    return out


def run(binary, data, extra):
    with tempfile.TemporaryDirectory(prefix="tarvel-diff-") as folder:
        script = os.path.join(folder, "script.c")
        with open(script, "wb") as f:
            f.write(data)
        try:
            done = subprocess.run([binary, "--json", *extra, "script.c"], cwd=folder,
                                  capture_output=True, timeout=TIMEOUT_SECONDS)
            status, out, err = done.returncode, done.stdout, done.stderr
        except subprocess.TimeoutExpired:
            status, out, err = "timeout", b"", b""
        log = b""
        log_path = os.path.join(folder, "logfile.txt")
        if os.path.isfile(log_path):
            with open(log_path, "rb") as f:
                log = LOG_FIGURES.sub(b"(Time:*, free sysmem:*)", f.read())
    return {"status": status, "out": out.decode("latin-1"), "err": err.decode("latin-1"),
            "log": log.decode("latin-1")}


def outputs(binary):
    for name, data in all_scripts():
        for extra in ([], ["--continue-on-load-error"]):
            yield {"script": name, "args": extra, **run(binary, data, extra)}


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("record", "check"):
        sys.exit(__doc__)
    mode, binary, path = sys.argv[1:]
    binary = os.path.abspath(binary)
    if mode == "record":
        count = 0
        with open(path, "w") as f:
            for record in outputs(binary):
                f.write(json.dumps(record) + "\n")
                count += 1
        print(f"recorded {count} runs")
        return
    with open(path) as f:
        expected = [json.loads(line) for line in f]
    differences = 0
    for want, got in zip(expected, outputs(binary)):
        if want != got:
            differences += 1
            if differences <= 10:
                print(f"DIFFERENT: {want['script']} {' '.join(want['args'])}")
                for key in ("status", "out", "err", "log"):
                    if want[key] != got[key]:
                        print(f"  {key}:\n    was: {want[key]!r:.400}\n    now: {got[key]!r:.400}")
    print(f"{len(expected)} runs compared, {differences} different")
    sys.exit(1 if differences else 0)


if __name__ == "__main__":
    main()
