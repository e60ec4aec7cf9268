#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds Qt for 64-bit Windows (Core, Gui, Widgets, PrintSupport, Test) from Debian's own
# qt6-base source package, the same version as the Linux build's Qt, with the project's MinGW-w64
# tool chain and the Linux Qt's moc, rcc and uic. The result goes to a per-user cache,
#   ${XDG_CACHE_HOME:-~/.cache}/wendrix/qt6-mingw-VERSION   (or $WENDRIX_WINDOWS_QT)
# and a second run does nothing once that cache is complete. The first run compiles 1,234 steps,
# about an hour on a 2-core machine (56 minutes here with other builds sharing it; the compiler
# runs at low priority, so it takes longer the busier the machine is); run it as root the first
# time on a machine, since it adds a deb-src entry for the machine's Debian suite (tools/setup-debian.sh
# --qt-windows-source). apt checks the source package against the signed archive index, as it
# does for every package it installs.
#   tools/build-qt-windows.sh          prints the Qt prefix as its last line
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
# Progress goes to standard error, so that a caller can take the prefix from standard output.
exec 3>&1 1>&2

deb_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev 2>/dev/null || true)
if [[ -z $deb_version ]]; then
    "$repo/tools/setup-debian.sh"
    deb_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
fi
qt_version=${deb_version%%+*}
qt_version=${qt_version#*:}
cache=${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/wendrix
prefix=${WENDRIX_WINDOWS_QT:-$cache/qt6-mingw-$qt_version}
# Written last, so a build that was cut off is never taken for a finished one.
marker=$prefix/wendrix-qt-complete

if [[ -f $marker ]]; then
    echo "build-qt-windows: Qt $qt_version for Windows is ready" >&2
    echo "$prefix" >&3
    exit 0
fi

mkdir -p "$(dirname "$prefix")"
exec 9> "$prefix.lock"
if ! flock -n 9; then
    echo "build-qt-windows: another run is building $prefix; waiting for it" >&2
    flock 9
fi
if [[ -f $marker ]]; then
    echo "$prefix" >&3
    exit 0
fi

started=$(date +%s)
"$repo/tools/setup-debian.sh" --qt-windows-source

work=$prefix.work
source_dir=$work/qtbase
mkdir -p "$work"
if [[ ! -f $source_dir/.extracted ]]; then
    rm -rf "$work/download" "$source_dir"
    mkdir -p "$work/download"
    # apt's download sandbox user must be able to write there.
    if [[ $(id -u) -eq 0 ]] && id _apt > /dev/null 2>&1; then
        chown _apt "$work/download"
    fi
    echo "build-qt-windows: fetching qt6-base $deb_version" >&2
    (cd "$work/download" && apt-get source --download-only -q "qt6-base=$deb_version") || {
        echo "build-qt-windows: apt could not fetch qt6-base $deb_version (no deb-src entry?" \
            "run tools/setup-debian.sh --qt-windows-source as root)" >&2
        exit 1
    }
    dsc=("$work"/download/qt6-base_*.dsc)
    dpkg-source -x "${dsc[0]}" "$source_dir"
    touch "$source_dir/.extracted"
fi

# The build keeps a copy of the tool chain, so that it does not depend on this checkout's file
# (Ninja would configure again whenever that changes, and fail once it is gone).
cp "$repo/cmake/toolchains/mingw-w64-x86_64.cmake" "$work/toolchain.cmake"
# Only the modules the program needs. Qt's bundled third-party code is used throughout, so the
# DLLs need nothing beyond MinGW's runtime. Debian's source leaves out the Wintab headers, hence
# no tablet events; OpenGL stays on (dynamic, loaded at run time) because the Windows platform
# plugin of 6.4 does not build without it.
cmake -S "$source_dir" -B "$work/build" -G Ninja --toolchain "$work/toolchain.cmake" \
    -DWENDRIX_MINGW_SHARED_RUNTIME=ON \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_doubleconversion=OFF

jobs=$(nproc 2> /dev/null || echo 2)
nice -n 10 cmake --build "$work/build" -j "$jobs"
rm -rf "$prefix"
cmake --install "$work/build"

elapsed=$(($(date +%s) - started))
printf 'qt6-base %s for x86_64-w64-mingw32, built %s in %d min on %d cores\n' \
    "$deb_version" "$(date -u +%Y-%m-%dT%H:%MZ)" $((elapsed / 60)) "$jobs" > "$marker"
rm -rf "$work"
echo "build-qt-windows: Qt $qt_version for Windows built in $((elapsed / 60)) min" >&2
echo "$prefix" >&3
