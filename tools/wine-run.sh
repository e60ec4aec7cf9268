#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine, quietly and in a Wine prefix of the project's own (created
# on first use), so the Windows build's tests neither need nor touch the user's ~/.wine. Windows
# open on no display unless WENDRIX_WINE_DISPLAY names an X display for them.
#   tools/wine-run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail

export WINEPREFIX=${WENDRIX_WINEPREFIX:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/wendrix/wine}
export WINEDEBUG=${WINEDEBUG:--all}
# No offer to download Mono or Gecko, which nothing here needs.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
unset DISPLAY WAYLAND_DISPLAY
if [[ -n ${WENDRIX_WINE_DISPLAY:-} ]]; then
    export DISPLAY=$WENDRIX_WINE_DISPLAY
fi
# Arguments and file names pass between Linux and Wine as UTF-8.
export LC_ALL=C.UTF-8

if [[ ! -f $WINEPREFIX/system.reg ]]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Several tests may start at once; one of them sets the prefix up, the others wait.
    (
        flock 9
        if [[ ! -f $WINEPREFIX/system.reg ]]; then
            wineboot --init > /dev/null 2>&1 || true
            wineserver --wait || true
        fi
    ) 9> "$WINEPREFIX.lock"
    [[ -f $WINEPREFIX/system.reg ]] || { echo "wine-run: could not set up $WINEPREFIX" >&2; exit 1; }
fi
# Wine has none of the Windows fonts the window is laid out for ("MS Sans Serif", "Arial",
# "Courier New"); without them Qt falls back to a serif face, the hint texts are cut and the
# report columns do not line up. Debian's Liberation fonts are their metric twins.
if ! grep -q 'Liberation Mono' "$WINEPREFIX/user.reg" 2> /dev/null; then
    (
        flock 9
        if ! grep -q 'Liberation Mono' "$WINEPREFIX/user.reg" 2> /dev/null; then
            for replacement in 'MS Sans Serif=Liberation Sans' 'Arial=Liberation Sans' \
                'Times New Roman=Liberation Serif' 'Courier New=Liberation Mono'; do
                wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${replacement%%=*}" \
                    /d "${replacement#*=}" /f > /dev/null 2>&1 || true
            done
            wineserver --wait || true
        fi
    ) 9> "$WINEPREFIX.lock"
fi

exec wine "$@"
