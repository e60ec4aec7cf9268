#!/usr/bin/env bash
# Installs what is missing, builds Wendrix and starts it. The desktop window is not built yet, so
# this starts the command-line tool: the catalogue summary, a call resolved with its reasons, and
# the member's job on the example logs (import, survey list, totals).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

cli=build/cli/wendrix-cli
demo=build/demo
rm -rf "$demo"
mkdir -p "$demo"

step() {
    echo
    echo "== wendrix-cli $*"
    "$cli" "$@"
}

step catalogue
step resolve DL1ABC/P 20200101 --explain
step import --call DA0WDX --dir "$demo" --resolved accept examples/demo.adi
step import --call DA0WDX --dir "$demo" --resolved accept examples/later.adi
step show "$demo/DA0WDX.CFD"
echo
echo "The survey list is $demo/DA0WDX.CFD."
