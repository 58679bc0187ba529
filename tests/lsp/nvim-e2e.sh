#!/usr/bin/env bash
# Runs the Neovim end-to-end test: $1 is the built tarvel-lsp, $2 the source tree.
set -euo pipefail
server=$1
source=$2
if ! command -v nvim >/dev/null 2>&1; then
  echo "SKIPPED: nvim is not installed (scripts/install-deps.sh installs it)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'int count;\nstring name;\ncount = offset + 1;\ncount = ask(count);\ncount = name * 2;\n' > "$work/script.c"
cd "$work"
TARVEL_LSP="$server" TARVEL_NVIM_CONFIG="$source/editors/nvim/tarvel.lua" TARVEL_SCRIPT="$work/script.c" \
  timeout 60 nvim --headless --clean -c "luafile $source/tests/lsp/nvim_e2e.lua"
test ! -e "$work/logfile.txt" || { echo "tarvel-lsp wrote logfile.txt"; exit 1; }
