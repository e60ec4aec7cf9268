#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The import in the desktop window against the same import by wendrix-cli, on a generated log of
# a million records: medians of RUNS runs each, and their ratio.
#   bench/ui/window-import.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
runs=${2:-5}
cmake --build "$build" --target wendrix-cli wendrix-gen-adif wendrix-window-import > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/log.adi
"$build/bench/import/wendrix-gen-adif" "$log" --records 1000000 > /dev/null

cli_times=()
for _ in $(seq "$runs"); do
    rm -f "$work"/*.CFD
    start=$(date +%s%N)
    "$build/cli/wendrix-cli" import --call DA0WDX --dir "$work" "$log" > /dev/null 2>&1 || true
    cli_times+=($((($(date +%s%N) - start) / 1000000)))
done
cli=$(printf '%s\n' "${cli_times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
window=$("$build/bench/ui/wendrix-window-import" "$log" "$runs" 2> /dev/null |
    sed -n 's/^window-import-ms //p')
echo "wendrix-cli import: median $cli ms"
echo "window import:      median $window ms"
awk -v w="$window" -v c="$cli" 'BEGIN { printf "ratio window / cli: %.2f (goal <= 1.3)\n", w / c }'
