#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building, testing, packaging and fuzzing Wendrix need (the
# format check, the manual pages, the AppStream check and lintian among them), plus a virtual
# X server, a small window manager and screenshot tools for looking at the desktop window on a
# machine without a display. Run as root; installs only what is missing, so a second run is quick.
#   tools/setup-debian.sh                      what building and testing need
#   tools/setup-debian.sh --qt-windows-source  also a deb-src entry for the machine's own Debian
#       suite, so that tools/build-qt-windows.sh can fetch Qt's source package through apt
set -euo pipefail

with_qt_source=0
case ${1:-} in
    "") ;;
    --qt-windows-source) with_qt_source=1 ;;
    *)
        echo "usage: tools/setup-debian.sh [--qt-windows-source]" >&2
        exit 2
        ;;
esac

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

# Qt for Windows is cross-built from Debian's own qt6-base source package, fetched and verified
# by apt like any package; only that step asks for source packages, so only it adds the entry.
if ((with_qt_source)); then
    source_list=/etc/apt/sources.list.d/wendrix-qt-source.sources
    if [[ ! -f $source_list ]]; then
        if [[ $(id -u) -ne 0 ]]; then
            echo "setup: no deb-src entry for Qt's source; run this script as root" >&2
            exit 1
        fi
        . /etc/os-release
        # The mirror the machine already installs from (any Debian archive serves the source).
        mirror=$(apt-get indextargets --format '$(REPO_URI)' 'Created-By: Packages' 2>/dev/null |
            grep -m1 -E '/debian/?$' || true)
        mirror=${mirror:-http://deb.debian.org/debian/}
        cat > "$source_list.new" << EOF
# Added by Wendrix's tools/setup-debian.sh --qt-windows-source (Qt's source for Windows builds)
Types: deb-src
URIs: $mirror
Suites: $VERSION_CODENAME
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
        mv "$source_list.new" "$source_list"
        echo "setup: added $source_list"
        apt-get update -qq
    fi
fi
