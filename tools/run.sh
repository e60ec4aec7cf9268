#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Wendrix and starts the desktop program with the survey list
# that the example logs make. On a machine without a display it says so and runs the headless
# demonstration of the command-line tool instead: the catalogue summary, a call resolved with
# its reasons, and the member's job on the example logs (import, survey list, totals).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh

# Only what is started below: the command-line tool, which also makes the example list, and the
# desktop program when there is a display for it. The tests and benchmarks are tools/test.sh's.
display=false
targets=(wendrix-cli)
if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
    display=true
    targets+=(wendrix)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target "${targets[@]}"

cli=build/cli/wendrix-cli
demo=build/demo
rm -rf "$demo"
mkdir -p "$demo"

if $display; then
    "$cli" import --call DA0WDX --dir "$demo" --resolved accept examples/demo.adi \
        examples/later.adi > /dev/null
    echo "Starting wendrix with the list $demo/DA0WDX.CFD"
    exec build/app/wendrix "$demo"
fi

echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): the desktop program cannot open"
echo "its window here, so this runs the command-line tool's demonstration instead."
echo "(tools/screenshot.sh renders the window to a picture without a display.)"

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
