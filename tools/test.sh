#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, checks the formatting, builds Wendrix warning-free and runs every test
# (the Debian package with lintian among them): once as built, the Windows build of the core and
# the command-line tool under Wine, and the core tests once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, with the fuzz targets' corpora replayed.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh

# The house style first, as it is cheap: every tracked C++ file exactly as Debian's clang-format
# (version 14) lays it out with the repository's .clang-format.
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWENDRIX_WARNINGS_AS_ERRORS=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

tools/test-windows.sh build

# The fuzz targets as plain replay drivers: every corpus (seeds and mended crashes) once more.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWENDRIX_SANITIZE=ON \
    -DWENDRIX_WARNINGS_AS_ERRORS=ON -DWENDRIX_BUILD_BENCH=OFF -DWENDRIX_BUILD_FUZZ=ON
cmake --build build-sanitize -j "$jobs" --target core_tests fuzz_replay
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs" -L 'core|fuzz'
