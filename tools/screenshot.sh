#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the main window to PNG pictures, offscreen: the member's view with the list that the
# example logs make, and the club evaluation of 40 generated lists.
#   tools/screenshot.sh [BUILD_DIR] [OUT_DIR]      (defaults: build, docs)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
out=${2:-docs}

if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
fi
cmake --build "$build" --target wendrix wendrix-cli wendrix-make-lists > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/member" "$work/club" "$work/config" "$out"

# Thresholds come from a settings file of its own, not from the user's.
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work

"$build/cli/wendrix-cli" import --call DA0WDX --dir "$work/member" --resolved accept \
    examples/demo.adi examples/later.adi > /dev/null
WENDRIX_SCREENSHOT=$out/main-window.png "$build/app/wendrix" "$work/member"

"$build/bench/lists/wendrix-make-lists" "$work/club" 40 > /dev/null
WENDRIX_SCREENSHOT=$out/main-window-evaluation.png "$build/app/wendrix" RESULT "$work/club"

echo "$out/main-window.png"
echo "$out/main-window-evaluation.png"
