#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up to the first painted main window, next to a bare Qt Widgets program that shows one
# window with one line of text, the yardstick of the goal (at most 1.5 times as long), and the
# same program with an empty window for information only: an empty window never loads the font
# database, which any window with text must, so it is no fair floor. All report the moment of
# their first complete frame and quit. Runs
# each RUNS times (default 30), alternating, under the offscreen platform, and reports medians
# and ratios, with the machine's load before and after. wendrix builds its catalogue on a second
# thread while the toolkit reads the fonts, so on a busy machine (a load near the number of cores)
# it loses more than the single-threaded yardsticks: compare figures taken at a like load, or the
# instruction counts of startup-callgrind.sh, which do not depend on it.
#   bench/ui/startup.sh BUILD_DIR [RUNS]
set -euo pipefail

build=${1:?usage: startup.sh BUILD_DIR [RUNS]}
runs=${2:-30}
wendrix=$build/app/wendrix
bare=$build/bench/ui/wendrix-bare-window
for program in "$wendrix" "$bare"; do
    [[ -x $program ]] || { echo "startup: $program is not built" >&2; exit 1; }
done

export QT_QPA_PLATFORM=offscreen WENDRIX_QUIT_AFTER_FIRST_PAINT=1
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
empty=$(mktemp -d)
trap 'rm -rf "$empty"' EXIT

# Microseconds from starting a program to its first complete frame (which it reports); the
# time it takes to shut down afterwards is not start-up and is left out.
elapsed() {
    local start painted
    start=$(date +%s%N)
    painted=$("$@" 2> /dev/null | awk '/^first-paint-ns / { print $2 }')
    [[ -n $painted ]] || { echo "startup: $1 reported no first paint" >&2; exit 1; }
    echo $(((painted - start) / 1000))
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.1f", m / 1000 }'
}

load() { awk '{ print $1 " " $2 " " $3 }' /proc/loadavg; }
load_before=$(load)

# One warm-up run each, so all start with the same files in the page cache.
elapsed "$wendrix" "$empty" > /dev/null
elapsed "$bare" > /dev/null
elapsed "$bare" --text > /dev/null

# Alternating, so a change in the machine's load falls on all three alike.
wendrix_times=()
bare_times=()
text_times=()
for ((i = 0; i < runs; ++i)); do
    wendrix_times+=("$(elapsed "$wendrix" "$empty")")
    bare_times+=("$(elapsed "$bare")")
    text_times+=("$(elapsed "$bare" --text)")
done

wendrix_median=$(printf '%s\n' "${wendrix_times[@]}" | median)
bare_median=$(printf '%s\n' "${bare_times[@]}" | median)
text_median=$(printf '%s\n' "${text_times[@]}" | median)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "runs: $runs each; load average before: $load_before, after: $(load)"
echo "wendrix to first paint:         $wendrix_median ms (median)"
echo "bare Qt window:                 $bare_median ms (median)"
echo "bare Qt window, one text line:  $text_median ms (median)"
echo "ratio to the window with text:  $(ratio "$wendrix_median" "$text_median") (goal: at most 1.5)"
echo "ratio to the empty window:      $(ratio "$wendrix_median" "$bare_median") (no font database: for information)"
