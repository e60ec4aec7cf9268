#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Walks through both users' jobs in the desktop program on a real X server (Xvfb with a window
# manager), as a person would: the member types a call sign, imports the demo log, saves, closes,
# starts again and finds the list read back; the club evaluates a folder of lists, opens the
# thresholds and saves the result file. Screenshots of the steps go to OUT_DIR.
#   tools/walkthrough.sh [BUILD_DIR] [OUT_DIR]      (defaults: build, docs)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs}
app=$PWD/$build/app/wendrix
cli=$PWD/$build/cli/wendrix-cli
cmake --build "$build" --target wendrix wendrix-cli wendrix-make-lists > /dev/null

work=$(mktemp -d)
export DISPLAY=:${WENDRIX_DISPLAY:-71} XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work
mkdir -p "$work/member" "$work/club" "$work/shots" "$out"
Xvfb "$DISPLAY" -screen 0 1280x900x24 > /dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2> /dev/null || true; cat "$work/app.log" 2> /dev/null | grep -v XDG_RUNTIME || true; [[ -z ${WENDRIX_KEEP:-} ]] && rm -rf "$work"; true' EXIT
# On a busy machine the server and the window manager take a while: wait for each.
for _ in $(seq 50); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.2; done
openbox > /dev/null 2>&1 &
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q '#' && break; sleep 0.2; done

shot() { sleep "${2:-1}"; import -window root "$work/shots/$1.png"; }
# The visible window with that title, waiting up to ten seconds for it.
source tools/x-windows.sh
window() { wait_window "$1" 50; }
ended() {
    if pgrep -f "$app" | xargs -r ps -o stat= -p | grep -qv Z; then
        echo "walkthrough: the program is still running" >&2
        exit 1
    fi
}
click() { xdotool mousemove --window "$(window 'Wendrix 1.37')" "$1" "$2" click 1; }
# A window's frame on the screen, title bar and border included: "x y width height".
# xwininfo, not xdotool: xdotool's position of a window that the window manager framed is off
# by the frame.
frame() {
    local x y w h extents
    read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF }
        /Absolute upper-left Y/ { y = $NF } /^ *Width/ { w = $NF } /^ *Height/ { h = $NF }
        END { print x, y, w, h }')
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2> /dev/null | grep -oE '[0-9]+, [0-9]+, [0-9]+, [0-9]+' || echo '0, 0, 0, 0')
    IFS=', ' read -r left right top bottom <<< "$extents"
    echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}
# "ADIF-Log(s) importieren", eQSL not counted, the log typed into the file dialog.
import_log() {
    click 314 17
    window 'Confirmation' > /dev/null
    xdotool key alt+n
    window 'ADIF-Log' > /dev/null
    sleep 0.5
    xdotool type --delay 20 "$1"
    xdotool key Return
}
# Fails when the two rectangles ("x y width height") overlap.
apart() {
    local ax ay aw ah bx by bw bh
    read -r ax ay aw ah <<< "$1"
    read -r bx by bw bh <<< "$2"
    if ((ax < bx + bw && bx < ax + aw && ay < by + bh && by < ay + ah)); then
        echo "walkthrough: $3 ($1 over $2)" >&2
        exit 1
    fi
}

echo "member: type the call sign, import the demo log"
"$app" "$work/member" >> "$work/app.log" 2>&1 &
window 'Wendrix 1.37' > /dev/null
sleep 1
click 150 16
xdotool type --delay 50 'da0/wdx'                 # "/" is dropped, letters come out upper-case
import_log "$PWD/examples/demo.adi"
sleep 1.5
box=$(window Confirmation)
progress=$(window Hadrel)
sleep 0.5                                         # placed by the window manager
# The question is asked while the progress window stays on top: it must be clear of it, and the
# progress window has no title bar of the window manager's (whose buttons it would carry).
echo "entity question $(frame "$box"), progress window $(frame "$progress")"
apart "$(frame "$box")" "$(frame "$progress")" "the entity question is under the progress window"
extents=$(xprop -id "$progress" _NET_FRAME_EXTENTS)
[[ $extents == *"not found"* || $extents == *"= 0, 0, 0, 0" ]] ||
    { echo "walkthrough: the progress window has a title bar with buttons: $extents" >&2; exit 1; }
shot member-import-question 0.5
xdotool mousemove --window "$box" 138 58 click 1  # "Yes To All"
shot member-import-summary 1.5
xdotool key alt+y                                 # show the report
shot member-import-report 1.5
xdotool key Escape
sleep 0.5
echo "member: save and close"
click 949 18                                      # "Liste speichern"
sleep 1
[[ -f $work/member/DA0WDX.CFD ]] || { echo "walkthrough: the list was not saved" >&2; exit 1; }
wmctrl -c 'Wendrix 1.37'
sleep 1
ended

echo "member: start again, the list is read back"
"$app" "$work/member" >> "$work/app.log" 2>&1 &
window 'Wendrix 1.37' > /dev/null
sleep 1.5
echo "member: import the later log: the report names what it added, the window marks it"
import_log "$PWD/examples/later.adi"
window Confirmation > /dev/null                   # the summary with the news line
shot member-import-news-summary 0.5
xdotool key alt+y                                 # show the report
shot member-import-news 1.5
xdotool key Escape
sleep 0.5
# Down to JA, whose new band is marked beside the ticks it had before.
xdotool mousemove --window "$(window 'Wendrix 1.37')" 500 400 click --repeat 160 --delay 5 5
shot member-import-marks 1
xdotool key ctrl+z                                # the whole import taken back
shot member-import-undone 1
xdotool key ctrl+y                                # and done again
sleep 0.5
click 300 152                                     # a change by hand
wmctrl -c 'Wendrix 1.37'
shot member-list-read-back 1
xdotool key alt+n                                 # Programm beendet. Daten speichern ? No
sleep 1
ended

echo "member: the club station's QSOs in a log are asked about, clear of the progress window, and left out"
"$app" "$work/member" >> "$work/app.log" 2>&1 &
window 'Wendrix 1.37' > /dev/null
sleep 1.5
import_log "$PWD/examples/club-station.adi"
sleep 1.5
box=$(window Confirmation)
progress=$(window Hadrel)
sleep 0.5
echo "station question $(frame "$box"), progress window $(frame "$progress")"
apart "$(frame "$box")" "$(frame "$progress")" "the station question is under the progress window"
shot member-import-other-station 0.5
xdotool key alt+n                                 # do not count the club station's QSOs
window Confirmation > /dev/null                   # the summary offers the report
sleep 0.5
xdotool key alt+y                                 # which names the stations and what was left out
shot member-import-other-station-report 1.5
xdotool key Escape
sleep 0.5
wmctrl -c 'Wendrix 1.37'
window Confirmation > /dev/null                   # the own portable QSO was counted
xdotool key alt+n                                 # Programm beendet. Daten speichern ? No
sleep 1
ended

echo "club: evaluate, open the thresholds, save Wendrix.TXT and the club report Wendrix.html"
"$PWD/$build/bench/lists/wendrix-make-lists" "$work/club" 40 > /dev/null
cp "$work/member/DA0WDX.CFD" "$work/club/"
"$app" RESULT "$work/club" >> "$work/app.log" 2>&1 &
log=$(window 'Auswertung')
main=$(window 'Wendrix 1.37')
sleep 1
# The buttons and the thresholds grid (down to 309 pixels into the window) stay in view.
controls() {
    local x y w h
    read -r x y w h <<< "$(frame "$main")"
    local top
    top=$(xwininfo -id "$main" | awk '/Absolute upper-left Y/ { print $NF }')
    echo "$x $y $w $((top + 309 - y))"
}
apart "$(frame "$log")" "$(controls)" "the evaluation log covers the main window's controls"
shot evaluation-log 0.5
xdotool windowactivate "$main"
click 534 16                                      # "Schwellwerte"
shot evaluation-thresholds 1
click 534 16                                      # "Neu berechnen": the evaluation runs again
sleep 1.5
apart "$(frame "$log")" "$(controls)" "the log came over the controls after the re-run"
click 949 18                                      # "Liste speichern"
sleep 1
[[ -f $work/club/Wendrix.TXT ]] || { echo "walkthrough: the result file was not saved" >&2; exit 1; }
# The club report beside it, a whole page that names the member's list among the 41.
grep -q '41 Listen gelesen' "$work/club/Wendrix.html" && grep -q '</html>' "$work/club/Wendrix.html" ||
    { echo "walkthrough: the club report was not saved beside the result file" >&2; exit 1; }
wmctrl -c 'Wendrix 1.37'
sleep 1
ended

for name in member-import-question member-import-summary member-import-report \
            member-import-news-summary member-import-news member-import-marks \
            member-import-undone member-list-read-back member-import-other-station \
            member-import-other-station-report \
            evaluation-log evaluation-thresholds; do
    convert "$work/shots/$name.png" -trim +repage "$out/$name.png"
    echo "$out/$name.png"
done
echo "walkthrough passed"
