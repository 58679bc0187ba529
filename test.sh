#!/usr/bin/env bash
# Builds everything, runs every test, then runs the engine tests again under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake g++ make googletest libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev xvfb xauth)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEL_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure

# -O1 keeps the instrumented build and run reasonably quick. Warnings are enforced by the build
# above; the instrumented optimiser reports false positives, so they are not fatal here.
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DTARVEL_SANITIZE=ON -DTARVEL_ENGINE_ONLY=ON
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure
