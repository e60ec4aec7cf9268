#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Instructions executed up to the first painted main window, counted by callgrind for wendrix and
# for the two yardsticks of startup.sh (the bare empty window and the bare window with one line of
# text). Unlike the wall-clock figures they do not depend on the machine's load, so they show
# whether a change made the start-up cheaper. The main thread is counted up to the moment the
# first frame is complete; the other threads (wendrix builds its catalogue on one) are counted
# whole, as they end before the program does.
#   bench/ui/startup-callgrind.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: startup-callgrind.sh BUILD_DIR}
wendrix=$build/app/wendrix
bare=$build/bench/ui/wendrix-bare-window
for program in "$wendrix" "$bare"; do
    [[ -x $program ]] || { echo "startup-callgrind: $program is not built" >&2; exit 1; }
done
command -v valgrind > /dev/null || { echo "startup-callgrind: valgrind is missing" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/empty" "$work/runtime"
chmod 700 "$work/runtime"
export QT_QPA_PLATFORM=offscreen WENDRIX_QUIT_AFTER_FIRST_PAINT=1 XDG_RUNTIME_DIR=$work/runtime

# Prints "main-thread-instructions other-threads-instructions" of one program.
count() {
    local name=$1
    shift
    valgrind --tool=callgrind --separate-threads=yes \
        --dump-before='wendrix::app::FirstPaintHook::AfterFirstPaint*' \
        --callgrind-out-file="$work/$name.%p" "$@" > /dev/null 2>&1
    local main others=0 file
    main=$(awk '/^totals:/ { print $2 }' "$work"/"$name".*.1-01)
    shopt -s nullglob
    for file in "$work"/"$name".[0-9]*-0[2-9]; do
        others=$((others + $(awk '/^totals:/ { print $2 }' "$file")))
    done
    shopt -u nullglob
    echo "$main $others"
}

millions() { awk -v n="$1" 'BEGIN { printf "%7.1f M", n / 1e6 }'; }
report() {
    local label=$1 main=$2 others=$3
    printf '%-32s main thread %s   other threads %s\n' "$label" "$(millions "$main")" \
        "$(millions "$others")"
}

read -r wendrix_main wendrix_others < <(count wendrix "$wendrix" "$work/empty")
read -r bare_main bare_others < <(count bare "$bare")
read -r text_main text_others < <(count text "$bare" --text)
report "wendrix to first paint:" "$wendrix_main" "$wendrix_others"
report "bare Qt window:" "$bare_main" "$bare_others"
report "bare Qt window, one text line:" "$text_main" "$text_others"
awk -v w="$wendrix_main" -v b="$bare_main" -v t="$text_main" 'BEGIN {
    printf "ratio to the empty window:       %.2f (main threads)\n", w / b
    printf "ratio to the window with text:   %.2f (main threads)\n", w / t
}'
