#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop program on Windows, built and tried here: cross-builds everything (the desktop
# program, wendrix-cli with print-out, the core and Qt tests) with MinGW-w64 against the Qt of
# tools/build-qt-windows.sh (which builds it first when its cache is missing, about an hour),
# runs every test under Wine (the Qt tests on the offscreen platform), packs the portable ZIP,
# and starts wendrix.exe from the unpacked ZIP under Wine on a virtual X server with a window
# manager: the main window must come up with the Linux program's caption and size, and a log
# imported into a directory named on the command line and saved must give the same list file
# as the Linux program driven the same way. Measures the start-up to the first painted window
# and leaves a picture of the window in OUT_DIR. Not part of tools/test.sh: run it after
# changes to the desktop layer, the Windows parts of the build, or before a release.
#   tools/test-windows-desktop.sh [LINUX_BUILD_DIR] [OUT_DIR]     (defaults: build, docs)
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
repo=$PWD

reference=${1:-build}
out=${2:-docs}
if [[ ! -x $reference/app/wendrix || ! -x $reference/cli/wendrix-cli ]]; then
    tools/setup-debian.sh
    [[ -f $reference/CMakeCache.txt ]] ||
        cmake -S . -B "$reference" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
    cmake --build "$reference" --target wendrix wendrix-cli
fi
reference=$(realpath "$reference")
jobs=$(nproc 2> /dev/null || echo 2)
seconds() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(seconds)" 'BEGIN { printf "%.1f", b - a }'; }

qt=$(tools/build-qt-windows.sh | tail -n 1)
build=build-windows-desktop

mkdir -p "$build"
cmake -S . -B "$build" -G Ninja --toolchain cmake/toolchains/mingw-w64-x86_64.cmake \
    -DWENDRIX_MINGW_SHARED_RUNTIME=ON -DCMAKE_FIND_ROOT_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWENDRIX_WARNINGS_AS_ERRORS=ON \
    -DWENDRIX_BUILD_BENCH=OFF -DWENDRIX_REFERENCE_BUILD="$reference" > "$build/configure.log" ||
    { cat "$build/configure.log" >&2; exit 1; }
cmake --build "$build" -j "$jobs"

started=$(seconds)
ctest --test-dir "$build" --output-on-failure -j "$jobs" -L ui
ui_seconds=$(since "$started")
ctest --test-dir "$build" --output-on-failure -j "$jobs" -LE ui

# The portable folder, as a club member gets it.
rm -rf "$build/package"
(cd "$build" && cpack -G ZIP -B "$PWD/package" > /dev/null)
zip=$(echo "$build"/package/*.zip)
work=$(mktemp -d)
# The programs started below, the window manager and the X server end with the script.
cleanup() {
    local pid
    for pid in $(cat "$work/pids" 2> /dev/null) ${openbox:-} ${xvfb:-}; do
        kill "$pid" 2> /dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
(cd "$work" && cmake -E tar xf "$repo/$zip")
portable=$(echo "$work"/wendrix-*)
for file in wendrix.exe wendrix-cli.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
    Qt6PrintSupport.dll platforms/qwindows.dll libstdc++-6.dll README.md; do
    [[ -f $portable/$file ]] || {
        echo "test-windows-desktop: $file is missing from $zip" >&2
        exit 1
    }
done
echo "portable folder: $(cd "$portable" && find . -type f | wc -l) files," \
    "$(du -sm "$portable" | cut -f1) MB unpacked, $(du -sm "$zip" | cut -f1) MB as $zip"

# A virtual X server with a window manager, for both programs.
display=:$((90 + RANDOM % 100))
while [[ -e /tmp/.X${display#:}-lock ]]; do display=:$((90 + RANDOM % 100)); done
Xvfb "$display" -screen 0 1280x1024x24 > /dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display WENDRIX_WINE_DISPLAY=$display
export XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/config
# Programs start once the server answers and the window manager has taken over.
ready() {
    for _ in $(seq 100); do
        "$@" > /dev/null 2>&1 && return 0
        sleep 0.2
    done
    echo "test-windows-desktop: no answer from $1" >&2
    return 1
}
ready xdotool getdisplaygeometry
openbox > /dev/null 2>&1 &
openbox=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
ready wm_running

windows=("$repo/tools/wine-run.sh" "$portable/wendrix.exe")
linux=("$reference/app/wendrix")
# A Unix path as the Windows program sees it (Wine's drive Z: is the root).
winpath() { local path=${1//\//\\}; echo "Z:$path"; }

# The visible window whose name matches, waiting up to a minute (Wine starts slowly).
source "$repo/tools/x-windows.sh"
window() { wait_window "$1" 300; }
gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "$1" > /dev/null 2>&1 || return 0
        sleep 0.2
    done
    echo "test-windows-desktop: the window \"$1\" stays open" >&2
    return 1
}
# Waits up to ten seconds for the window to be no longer shown.
hidden() {
    for _ in $(seq 50); do
        xwininfo -id "$1" 2> /dev/null | grep -q IsViewable || return 0
        sleep 0.2
    done
    return 1
}
caption='Wendrix 1.37'
press() {
    xdotool windowactivate --sync "$(window "$1")" > /dev/null 2>&1 || true
    sleep 0.3
    xdotool key "$2"
}
click() { xdotool mousemove --window "$(window "$caption")" "$1" "$2" click 1; }

# The member's job: type the call sign, import the log (no eQSL, every entity resolved from a
# call taken), look at the window, save, close. PROGRAM... DIRECTORY_ARGUMENT LOG_ARGUMENT
member() {
    local log=${*: -1} directory=${*: -2:1}
    local program=("${@:1:$#-2}")
    "${program[@]}" "$directory" >> "$work/programs.log" 2>&1 &
    echo $! >> "$work/pids"
    local id
    id=$(window "$caption")
    echo "$(xdotool getwindowname "$id")" \
        "$(xdotool getwindowgeometry "$id" | awk '/Geometry/ { print $2 }')"
    sleep 2
    click 150 16
    xdotool type --delay 50 'da0/wdx'
    click 314 17                                  # "ADIF-Log(s) importieren"
    press Confirmation alt+n                      # eQSL werten? No
    window 'ADIF-Log' > /dev/null
    sleep 1.5
    xdotool type --delay 20 "$log"
    xdotool key Return
    # Yes to every entity taken from a call, then Yes to the summary's offer of the report.
    local deadline=$((SECONDS + 120)) question
    until xdotool search --onlyvisible --name 'Liste aller' > /dev/null 2>&1; do
        if ((SECONDS > deadline)); then
            echo "test-windows-desktop: the import shows no report" >&2
            return 1
        fi
        question=$(xdotool search --onlyvisible --name Confirmation 2> /dev/null |
            head -n 1) || true
        if [[ -n $question ]]; then
            xdotool windowactivate --sync "$question" > /dev/null 2>&1 || true
            sleep 0.3
            xdotool key alt+y
            hidden "$question" || true
        fi
        sleep 0.3
    done
    press 'Liste aller' Escape
    gone 'Liste aller'
    sleep 1
    import -window root "$work/window.png"
    click 949 18                                  # "Liste speichern"
    sleep 2
    xdotool windowactivate --sync "$(window "$caption")" > /dev/null 2>&1 || true
    xdotool key alt+F4
    gone "$caption"
}

echo "member's job with the Linux program"
mkdir -p "$work/linux" "$work/windows"
linux_window=$(member "${linux[@]}" "$work/linux" "$repo/examples/demo.adi")
echo "  window: $linux_window"
echo "member's job with wendrix.exe under Wine"
windows_window=$(member "${windows[@]}" "$(winpath "$work/windows")" \
    "$(winpath "$repo/examples/demo.adi")")
echo "  window: $windows_window"
cp "$work/window.png" "$work/window-windows.png"

status=0
if [[ $windows_window != "$linux_window" ]]; then
    echo "test-windows-desktop: caption and size differ: $windows_window" >&2
    status=1
fi
# The list is named after the call sign typed in.
if [[ ! -f $work/linux/DA0WDX.CFD ]]; then
    echo "test-windows-desktop: the Linux program saved no DA0WDX.CFD" >&2
    status=1
elif ! cmp "$work/linux/DA0WDX.CFD" "$work/windows/DA0WDX.CFD"; then
    echo "test-windows-desktop: wendrix.exe did not write the same DA0WDX.CFD" >&2
    status=1
else
    echo "  DA0WDX.CFD: the same $(stat -c %s "$work/linux/DA0WDX.CFD") bytes from both programs"
fi
((status == 0)) || { cat "$work/programs.log" >&2; exit 1; }

# Start-up to the first painted main window, on the X server: wendrix.exe under Wine beside the
# Linux program (both report the moment of their first complete frame and quit).
first_paint_ms() {
    local start painted
    start=$(date +%s%N)
    painted=$(WENDRIX_QUIT_AFTER_FIRST_PAINT=1 "$@" 2> /dev/null | tr -d '\r' |
        awk '/^first-paint-ns / { print $2 }')
    [[ -n $painted ]] || { echo "test-windows-desktop: $* reported no first paint" >&2; return 1; }
    echo $(((painted - start) / 1000000))
}
median() {
    sort -n | awk '{ v[NR] = $1 }
        END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
first_paint_ms "${windows[@]}" "$(winpath "$work/windows")" > /dev/null
first_paint_ms "${linux[@]}" "$work/linux" > /dev/null
windows_times=() linux_times=()
for _ in 1 2 3 4 5; do
    windows_times+=("$(first_paint_ms "${windows[@]}" "$(winpath "$work/windows")")")
    linux_times+=("$(first_paint_ms "${linux[@]}" "$work/linux")")
done

mkdir -p "$out"
convert "$work/window-windows.png" -trim +repage "$out/main-window-windows.png"
echo "Qt tests under Wine (offscreen): ${ui_seconds} s"
echo "start-up to the first painted window, median of 5 (ms): wendrix.exe under Wine" \
    "$(printf '%s\n' "${windows_times[@]}" | median) (${windows_times[*]}), Linux program" \
    "$(printf '%s\n' "${linux_times[@]}" | median) (${linux_times[*]});" \
    "load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$out/main-window-windows.png"
echo "test-windows-desktop passed"
