#!/usr/bin/env bash
# Installs what is missing, builds tarvel-check and validates FILE (default: the worked example).
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
file="${1:-$root/examples/worked-road.c}"

"$root/scripts/install-deps.sh"

# A build tree that ./test.sh already configured keeps its build type, so that switching
# between the two commands does not rebuild everything each time.
config=()
[ -f "$root/build/CMakeCache.txt" ] || config=(-DCMAKE_BUILD_TYPE=Release)
mkdir -p "$root/build"
log="$root/build/run-build.log"
if ! { cmake -S "$root" -B "$root/build" "${config[@]}" &&
       cmake --build "$root/build" -j"$(nproc)" --target tarvel-check; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "run.sh: the build failed (log: $log)" >&2
  exit 2
fi

exec "$root/build/cli/tarvel-check" "$file"
