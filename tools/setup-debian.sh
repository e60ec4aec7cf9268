#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building, testing, packaging and fuzzing Wendrix need (the
# format check, the manual pages, the AppStream check and lintian among them), plus a virtual
# X server, a small window manager and screenshot tools for looking at the desktop window on a
# machine without a display. Run as root; installs only what is missing, so a second run is quick.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkgconf
    libgtest-dev libgmock-dev googletest libbenchmark-dev libcli11-dev
    qt6-base-dev
    clang libclang-rt-14-dev
    python3 hamradio-files
    fonts-liberation2 poppler-utils
    dpkg-dev file desktop-file-utils
    clang-format help2man man-db appstream lintian
    xvfb x11-utils x11-apps imagemagick twm xfonts-base xdotool wmctrl openbox
    g++-mingw-w64-x86-64-posix wine wine64
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} > 0)); then
    if [[ $(id -u) -ne 0 ]]; then
        echo "setup: missing packages ${missing[*]}; run this script as root" >&2
        exit 1
    fi
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
