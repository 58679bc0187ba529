#!/usr/bin/env bash
# Times tarvel-check -j N against -j 1 on 2000 small files.
#
#   bench/jobs_speedup.sh build/cli/tarvel-check [RUNS]
#
# The files are the examples and the example mistakes, copied round-robin under 2000 names, once
# with the one example that calls rand and once without it: with -j, a file that draws from
# rand after another one did is checked again in its turn, so rand users cost more than others.
# Needs Debian's hyperfine; prints the median wall time of each command and its speed-up.
set -euo pipefail

tool=$(realpath "$1")
runs=${2:-10}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fill() {  # fill FOLDER SOURCE...
    local folder=$1
    shift
    local sources=("$@")
    mkdir -p "$folder"
    for ((k = 0; k < 2000; k++)); do
        cp "${sources[k % ${#sources[@]}]}" "$folder/$(printf 'f%04d.c' "$k")"
    done
}

mapfile -t all < <(ls "$here"/../examples/*.c "$here"/../examples/mistakes/*.c)
mapfile -t norand < <(grep -L 'rand *(' "${all[@]}")
fill "$work/mixed" "${all[@]}"
fill "$work/norand" "${norand[@]}"

for set in mixed norand; do
    cd "$work/$set"
    # Output and log are the same for every N; check that once before timing.
    "$tool" -j 1 ./*.c >"$work/one.txt" 2>&1 || true
    "$tool" -j 2 ./*.c >"$work/two.txt" 2>&1 || true
    cmp -s "$work/one.txt" "$work/two.txt" || { echo "-j 2 output differs on $set" >&2; exit 1; }
    echo "== $set: $(ls ./*.c | wc -l) files, $(grep -l 'rand *(' ./*.c | wc -l) of them call rand"
    hyperfine --runs "$runs" --warmup 1 --style none --export-json "$work/$set.json" \
        -n 'j1' "$tool -j 1 ./*.c >/dev/null 2>&1 || true" \
        -n 'j2' "$tool -j 2 ./*.c >/dev/null 2>&1 || true" \
        -n 'j4' "$tool -j 4 ./*.c >/dev/null 2>&1 || true" \
        -n 'j2 no-log' "$tool -j 2 --no-log ./*.c >/dev/null 2>&1 || true" \
        -n 'j1 no-log' "$tool -j 1 --no-log ./*.c >/dev/null 2>&1 || true"
    python3 - "$work/$set.json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
base = {"log": results[0]["median"], "no-log": results[4]["median"]}
for r in results:
    one = base["no-log" if "no-log" in r["command"] else "log"]
    print(f'{r["command"]:<16} median {r["median"] * 1000:7.1f} ms   speed-up {one / r["median"]:.2f}x')
PY
done
