#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the core, wendrix-cli and the core tests for 64-bit Windows with MinGW-w64 and runs
# them under Wine, including a check that the Windows program writes the same list and result
# files as the Linux one. The Linux build to compare with is the first argument (default: build).
#   tools/test-windows.sh [LINUX_BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

reference=$(realpath "${1:-build}")
[[ -x $reference/cli/wendrix-cli ]] || {
    echo "test-windows: no Linux build in $reference to compare with" >&2
    exit 1
}
jobs=$(nproc 2>/dev/null || echo 2)

# Windows has no Qt here: no desktop program, print-out or Qt settings store (the thresholds
# live in the registry there), and no Google Benchmark.
cmake -S . -B build-windows -G Ninja --toolchain cmake/toolchains/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWENDRIX_WARNINGS_AS_ERRORS=ON \
    -DWENDRIX_WITH_QT_SETTINGS=OFF -DWENDRIX_BUILD_DESKTOP=OFF -DWENDRIX_BUILD_PRINT=OFF \
    -DWENDRIX_BUILD_BENCH=OFF -DWENDRIX_REFERENCE_BUILD="$reference"
cmake --build build-windows -j "$jobs"
ctest --test-dir build-windows --output-on-failure -j "$jobs"
