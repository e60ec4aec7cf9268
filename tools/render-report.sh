#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the club report of 40 generated lists in a real browser, as a club member would open
# it: headless Chromium takes a screenshot of the page and prints it (A4 landscape) to a PDF.
# Installs Chromium when it is missing (it is not needed by the test command).
#   tools/render-report.sh [OUTPUT_DIR]   (default: docs/, giving docs/club-report.png, and the
#   first two printed pages as club-report-print-1.png and -2.png)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs}")

if ! command -v chromium > /dev/null; then
    if [[ $(id -u) -ne 0 ]]; then
        echo "render-report: chromium is missing; install Debian's chromium package" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends chromium poppler-utils > /dev/null
fi

build=build
if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
fi
cmake --build "$build" --target wendrix-cli wendrix-make-lists > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/club" "$out"
"$build/bench/lists/wendrix-make-lists" "$work/club" 40 > /dev/null
"$build/cli/wendrix-cli" evaluate "$work/club" --report "$work/club/Wendrix.html" 2> /dev/null \
    > /dev/null

browser=(chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run
    --disable-background-networking --disable-component-update --disable-sync
    --user-data-dir="$work/profile" --hide-scrollbars)
"${browser[@]}" --window-size=1200,1000 --screenshot="$out/club-report.png" \
    "file://$work/club/Wendrix.html" 2> /dev/null
"${browser[@]}" --no-pdf-header-footer --print-to-pdf="$work/club-report.pdf" \
    "file://$work/club/Wendrix.html" 2> /dev/null
if command -v pdftoppm > /dev/null; then
    pdftoppm -png -r 60 -f 1 -l 2 "$work/club-report.pdf" "$out/club-report-print"
fi
echo "render-report: $out/club-report.png$(command -v pdftoppm > /dev/null &&
    echo " and the printed pages $out/club-report-print-*.png")"
