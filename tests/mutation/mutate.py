#!/usr/bin/env python3
"""Mutation sample of the engine: applies each mutation of mutations.txt on its own to a copy
of the source tree, rebuilds engine_tests there, runs it and records whether the tests killed
the mutation. Not run by CI: a full sample takes a long while on two cores.

Usage: tests/mutation/mutate.py [--only ID[,ID...]] [--jobs N] [--timeout SECONDS]

The copy lives in build-mutate/ (ignored by git), so the worktree is never modified and other
builds are not disturbed. The results go to tests/mutation/results.md; with --only, the other
rows keep the outcome of the previous run.
"""
import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
HERE = os.path.join(ROOT, "tests", "mutation")
WORK = os.path.join(ROOT, "build-mutate")
SOURCE = os.path.join(WORK, "src")
BUILD = os.path.join(WORK, "build")
STATE = os.path.join(WORK, "outcomes.json")
FOLDERS = ["diagnostics", "containers", "reader", "interpreter", "values"]


def parse_mutations(path):
    """Blocks of three lines: 'ID file[#occurrence]', '- text', '+ replacement'."""
    mutations, block = [], []
    with open(path, encoding="utf-8") as listing:
        lines = [line.rstrip("\n") for line in listing] + [""]
    for line in lines:
        if line.startswith("#"):
            continue
        if line.strip():
            block.append(line)
            continue
        if not block:
            continue
        if len(block) != 3 or not block[1].startswith("- ") or not block[2].startswith("+ "):
            sys.exit("malformed mutation block: %r" % block)
        ident, target = block[0].split(None, 1)
        occurrence = 1
        if "#" in target:
            target, number = target.split("#")
            occurrence = int(number)
        mutations.append({"id": ident, "file": target, "occurrence": occurrence,
                          "old": block[1][2:], "new": block[2][2:]})
        block = []
    return mutations


def copy_tree():
    """Copies the tracked and the new, not ignored files of the worktree into SOURCE."""
    files = subprocess.run(["git", "ls-files", "-co", "--exclude-standard"], cwd=ROOT,
                           check=True, capture_output=True, text=True).stdout.split("\n")
    if os.path.isdir(SOURCE):
        shutil.rmtree(SOURCE)
    for name in files:
        if not name or not os.path.isfile(os.path.join(ROOT, name)):
            continue
        target = os.path.join(SOURCE, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy2(os.path.join(ROOT, name), target)


def run(command, timeout, cwd=None):
    try:
        done = subprocess.run(command, cwd=cwd, capture_output=True, text=True, errors="replace", timeout=timeout)
        return done.returncode, done.stdout + done.stderr
    except subprocess.TimeoutExpired:
        return None, "timeout"


def build(jobs):
    return run(["cmake", "--build", BUILD, "--target", "engine_tests", "-j%d" % jobs], 3600)


def run_tests(timeout):
    work = os.path.join(BUILD, "tests", "work")
    os.makedirs(work, exist_ok=True)
    return run([os.path.join(BUILD, "tests", "engine_tests"), "--gtest_brief=1"], timeout, work)


def failed_tests(output):
    return sorted(set(re.findall(r"^\[  FAILED  \] (\S+?)(?:,| \(|$)", output, re.M)))


def apply(mutation):
    path = os.path.join(SOURCE, mutation["file"])
    with open(path, encoding="utf-8") as source:
        text = source.read()
    at = -1
    for _ in range(mutation["occurrence"]):
        at = text.find(mutation["old"], at + 1)
        if at < 0:
            sys.exit("%s: text not found in %s" % (mutation["id"], mutation["file"]))
    mutated = text[:at] + mutation["new"] + text[at + len(mutation["old"]):]
    with open(path, "w", encoding="utf-8") as target:
        target.write(mutated)
    return path, text


def folder_of(mutation):
    parts = mutation["file"].split("/")
    return parts[1] if len(parts) > 2 and parts[0] == "engine" else "other"


def write_results(mutations, outcomes):
    rows, totals = [], {}
    for m in mutations:
        outcome = outcomes.get(m["id"], {"result": "not run", "by": []})
        folder = folder_of(m)
        tally = totals.setdefault(folder, {"killed": 0, "survived": 0, "no-compile": 0, "not run": 0})
        tally[outcome["result"] if outcome["result"] in tally else "killed"] += 1
        by = ", ".join(outcome["by"][:2]) + (" ..." if len(outcome["by"]) > 2 else "")
        rows.append("| %s | %s | `%s` → `%s` | %s | %s |" % (
            m["id"], m["file"], m["old"].strip().replace("|", "\\|"),
            m["new"].strip().replace("|", "\\|"), outcome["result"], by))
    killed = sum(t["killed"] for t in totals.values())
    survived = sum(t["survived"] for t in totals.values())
    lines = ["# Mutation sample of the engine", "",
             "Written by `tests/mutation/mutate.py` from `tests/mutation/mutations.txt`: each",
             "mutation applied alone, `engine_tests` rebuilt and run. A mutation is killed when",
             "the tests fail (or time out), survived when they pass.", "",
             "| Folder | Killed | Survived | No compile | Killed of those that compile |",
             "|---|---|---|---|---|"]
    for folder in FOLDERS + sorted(set(totals) - set(FOLDERS)):
        t = totals.get(folder)
        if not t:
            continue
        compiled = t["killed"] + t["survived"]
        share = "%d%%" % round(100 * t["killed"] / compiled) if compiled else "-"
        lines.append("| %s | %d | %d | %d | %s |" % (folder, t["killed"], t["survived"],
                                                     t["no-compile"], share))
    compiled = killed + survived
    share = "%.0f%%" % (100 * killed / compiled) if compiled else "-"
    lines += ["| all | %d | %d | %d | %s |" % (killed, survived,
                                                sum(t["no-compile"] for t in totals.values()), share),
              "", "| Id | File | Mutation | Result | Killed by (first tests) |", "|---|---|---|---|---|"]
    lines += rows
    with open(os.path.join(HERE, "results.md"), "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")
    return killed, survived


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--only", default="")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--timeout", type=int, default=600)
    args = parser.parse_args()

    mutations = parse_mutations(os.path.join(HERE, "mutations.txt"))
    chosen = [m for m in mutations if not args.only or m["id"] in args.only.split(",")]
    # Source files first: a mutated header rebuilds every file that includes it, and the
    # container headers are included by nearly every file.
    chosen.sort(key=lambda m: 0 if not m["file"].endswith(".h")
                else 2 if m["file"].startswith("engine/containers/") else 1)
    outcomes = {}
    if os.path.exists(STATE):
        with open(STATE) as state:
            outcomes = json.load(state)

    copy_tree()
    # Lightly optimised and without debug information: the sample rebuilds far more than it runs.
    status, output = run(["cmake", "-S", SOURCE, "-B", BUILD, "-DCMAKE_BUILD_TYPE=Debug",
                          "-DCMAKE_CXX_FLAGS_DEBUG=-O1", "-DTARVEL_ENGINE_ONLY=ON"], 600)
    if status != 0:
        sys.exit("configure failed:\n" + output)
    status, output = build(args.jobs)
    if status != 0:
        sys.exit("the unmutated engine does not build:\n" + output)
    status, output = run_tests(args.timeout)
    if status != 0:
        sys.exit("the unmutated engine fails its tests:\n" + output)

    for m in chosen:
        started = time.time()
        path, original = apply(m)
        try:
            status, output = build(args.jobs)
            if status != 0 and "Error running test executable" in output:
                # Compiled, but the test binary crashed while the build listed its tests.
                outcome = {"result": "killed", "by": ["(crash listing the tests)"]}
            elif status != 0:
                outcome = {"result": "no-compile", "by": []}
            else:
                status, output = run_tests(args.timeout)
                if status == 0:
                    outcome = {"result": "survived", "by": []}
                elif status is None:
                    outcome = {"result": "killed", "by": ["(timeout)"]}
                else:
                    outcome = {"result": "killed", "by": failed_tests(output) or ["(exit %d)" % status]}
        finally:
            with open(path, "w", encoding="utf-8") as restore:
                restore.write(original)
        outcomes[m["id"]] = outcome
        with open(STATE, "w") as state:
            json.dump(outcomes, state, indent=1)
        killed, survived = write_results(mutations, outcomes)
        print("%-4s %-10s %4.0fs  %s" % (m["id"], outcome["result"], time.time() - started,
                                         " ".join(outcome["by"][:3])), flush=True)
    # The copy keeps the tree's file times, so objects built from the last mutation would look
    # newer than its restored file at the next run: they are rebuilt from the restored one now.
    build(args.jobs)
    print("killed %d, survived %d" % write_results(mutations, outcomes))


if __name__ == "__main__":
    main()
