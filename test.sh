#!/usr/bin/env bash
# Builds everything, runs every test, then runs the engine and command-line tests again under
# the sanitizers.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEL_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure

# -O1 keeps the instrumented build and run reasonably quick. Warnings are enforced by the build
# above; the instrumented optimiser reports false positives, so they are not fatal here.
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DTARVEL_SANITIZE=ON -DTARVEL_ENGINE_ONLY=OFF -DTARVEL_CLI_ONLY=ON
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure
