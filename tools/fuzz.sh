#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang (-fsanitize=fuzzer,address,undefined) in a tree of their
# own and runs each for SECONDS (default 600), one after the other, or only the targets named:
#   tools/fuzz.sh [SECONDS] [TARGET...]
# Inputs found worth keeping go to <tree>/corpus/<target>, crashes and leaks to
# <tree>/findings/<target>/ (reproduce with: <tree>/fuzz/.../<target> <file>). The committed
# seeds in fuzz/*/corpus are read, never written; a crash once mended belongs there.
# Environment: WENDRIX_FUZZ_BUILD (tree, default build-fuzz), WENDRIX_FUZZ_JOBS (build jobs).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
shift || true
tree=${WENDRIX_FUZZ_BUILD:-build-fuzz}
jobs=${WENDRIX_FUZZ_JOBS:-$(nproc 2>/dev/null || echo 2)}

# target name and the folder of its sources and seed corpus under fuzz/
declare -A folders=(
    [fuzz-adif-reader]=import
    [fuzz-load-list]=lists
    [fuzz-import-run]=importrun
    [fuzz-resolver]=resolver
    [fuzz-country-list]=countrylist
    [fuzz-thresholds]=thresholds
    [fuzz-command-line]=commandline
)
all=(fuzz-adif-reader fuzz-load-list fuzz-import-run fuzz-resolver fuzz-country-list
     fuzz-thresholds fuzz-command-line)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=("${all[@]}")
fi
for target in "${targets[@]}"; do
    if [ -z "${folders[$target]:-}" ]; then
        echo "fuzz.sh: no target $target (known: ${all[*]})" >&2
        exit 2
    fi
done

cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
    -DWENDRIX_BUILD_FUZZ=ON -DWENDRIX_FUZZ_LIBFUZZER=ON -DWENDRIX_BUILD_TESTS=OFF \
    -DWENDRIX_BUILD_BENCH=OFF -DWENDRIX_BUILD_CLI=OFF -DWENDRIX_WITH_QT_SETTINGS=OFF \
    -DWENDRIX_BUILD_DESKTOP=OFF -DWENDRIX_BUILD_PRINT=OFF >/dev/null
cmake --build "$tree" -j "$jobs" --target "${targets[@]}"

status=0
for target in "${targets[@]}"; do
    folder=${folders[$target]}
    corpus="$tree/corpus/$target"
    findings="$tree/findings/$target"
    mkdir -p "$corpus" "$findings"
    echo "== $target: $seconds s"
    if ! "$tree/fuzz/$folder/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "fuzz/$folder/corpus" \
        2>"$tree/findings/$target.log"; then
        status=1
        echo "   a finding: see $findings/ and $tree/findings/$target.log"
    fi
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done)' \
        "$tree/findings/$target.log" || true
done
exit $status
