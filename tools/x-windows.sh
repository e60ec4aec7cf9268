# SPDX-License-Identifier: GPL-3.0-or-later
# Window look-ups for the scripts that drive a program on an X server with xdotool. Sourced.

# wait_window TITLE [TRIES]: the id of the visible window whose title matches, looking every
# 0.2 s, TRIES times (default 50, ten seconds); fails with a message when none shows.
wait_window() {
    local id
    for _ in $(seq "${2:-50}"); do
        id=$(xdotool search --onlyvisible --name "$1" 2> /dev/null | head -n 1) || true
        if [[ -n $id ]]; then
            echo "$id"
            return
        fi
        sleep 0.2
    done
    echo "${0##*/}: no window \"$1\"" >&2
    return 1
}
