#!/usr/bin/env bash
# Installs what is missing, builds and opens the editor on FILE (default: the worked example),
# which validates it at once; without a display, validates FILE with tarvel-check instead.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
file="${1:-$root/examples/worked-road.c}"
targets=(tarvel-check)
has_display=""
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  has_display=1
  targets+=(tarvel)
fi

"$root/scripts/install-deps.sh"

# A build tree that ./test.sh already configured keeps its build type, so that switching
# between the two commands does not rebuild everything each time.
config=()
[ -f "$root/build/CMakeCache.txt" ] || config=(-DCMAKE_BUILD_TYPE=Release)
mkdir -p "$root/build"
log="$root/build/run-build.log"
if ! { cmake -S "$root" -B "$root/build" "${config[@]}" &&
       cmake --build "$root/build" -j"$(nproc)" --target "${targets[@]}"; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "run.sh: the build failed (log: $log)" >&2
  exit 2
fi

[ -n "$has_display" ] && exec "$root/build/app/tarvel" "$file"
echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); showing the result with tarvel-check" >&2
exec "$root/build/cli/tarvel-check" "$file"
