#!/usr/bin/env bash
# Installs the Debian packages the build needs, asking apt only when one is missing.
set -euo pipefail

# python3-jsonschema checks the SARIF output; dpkg-dev's dpkg-shlibdeps gives the Debian
# package its dependencies; neovim is the real client of the language server's end-to-end test.
packages=(cmake g++ make googletest libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev xvfb xauth
  python3-jsonschema dpkg-dev nlohmann-json3-dev neovim)
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
