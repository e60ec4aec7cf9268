#!/usr/bin/env bash
# Installs what is missing, builds Wendrix and starts it. The desktop window is not built yet, so
# this starts the command-line tool: the catalogue summary and a demonstration import.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

cli=build/cli/wendrix-cli
echo
echo "== wendrix-cli catalogue"
"$cli" catalogue
echo
echo "== wendrix-cli resolve DL1ABC/P 20200101 --explain"
"$cli" resolve DL1ABC/P 20200101 --explain
