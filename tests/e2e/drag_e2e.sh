#!/usr/bin/env bash
# Drags the main window by its strip with the meaning tray out: the window moves by the pointer's distance, and at
# the next movement over the strip the tray stands beside the main window again.
# With E2E_WM=openbox it runs under a window manager.
#   drag_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
set -u
. "$(dirname "$0")/lib.sh"
start_program "$@"
echo "main window at $X,$Y (window manager: ${E2E_WM:-none})"

main_at() { read -r mx my _ _ <<<"$(geometry "$MAIN")"; [ "$mx" = "$1" ] && [ "$my" = "$2" ]; }

xdotool mousemove $((X + 303)) $((Y + 48)) click 1
wait_for "the meaning tray out" tray_at $((X + 302)) $((Y + 7)) || fail "the meaning tray did not slide out"

# Press on the strip, move in steps, release.
xdotool mousemove $((X + 150)) $((Y + 15)) mousedown 1
for i in 1 2 3 4 5; do
    xdotool mousemove $((X + 150 - 20 * i)) $((Y + 15 + 12 * i))
    wait_for "the main window to follow the pointer" main_at $((X - 20 * i)) $((Y + 12 * i)) ||
        fail "the main window did not follow step $i of the drag"
done
xdotool mouseup 1
NX=$((X - 100))
NY=$((Y + 60))
wait_for "the main window at its new place" main_at "$NX" "$NY" ||
    fail "the main window is at $(geometry "$MAIN"), not $NX,$NY"

xdotool mousemove $((NX + 160)) $((NY + 14))
xdotool mousemove $((NX + 162)) $((NY + 15))
# Follow puts the tray exactly on its out target, 180 twips inside the right edge (the slide may overshoot by a step).
wait_for "the tray to follow" tray_at $((NX + 301)) $((NY + 7)) || fail "the meaning tray did not follow: $(for w in $(xdotool search --onlyvisible --name "^Form1$"); do geometry "$w"; done)"
X=$NX
Y=$NY
close_program
echo "PASS: dragged by the pointer's distance; the out tray followed on the strip"
