#!/usr/bin/env bash
# The main window shows its design (a gray bar, an arrow), and the about box opens from "A" and closes with Esc.
#   design_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR [SCREENSHOT_DIR]
set -u
. "$(dirname "$0")/lib.sh"
shots=${5:-}
start_program "$1" "$2" "$3" "$4"

bar=$(pixel $((X + 10)) $((Y + 100)))
arrow=$(pixel $((X + 4 + 2)) $((Y + 37 + 10)))
echo "left bar $bar, word tray's out arrow $arrow"
[ "$bar" = "128,128,128" ] || fail "the left gray bar is missing: $bar"
[ "$arrow" = "0,132,0" ] || fail "the out arrow is missing: $arrow"
[ -n "$shots" ] && import -window root -crop "${W}x$H+$X+$Y" "$shots/main-window.png"

xdotool mousemove $((X + 24)) $((Y + 20)) click 1   # "A"
wait_for "the about box" has_window Lexorant   # the main window and the box share the title
about_shown() { [ "$(xdotool search --onlyvisible --name '^Lexorant$' | wc -l)" -ge 2 ]; }
wait_for "the about box" about_shown || fail "the about box did not open"
box=$(xdotool search --onlyvisible --name '^Lexorant$' | grep -v "^$MAIN\$" | head -n 1)
read -r bx by bw bh <<<"$(geometry "$box")"
echo "about box at $bx,$by size ${bw}x$bh"
{ [ "$bw" = 249 ] && [ "$bh" = 197 ]; } || fail "about box size ${bw}x$bh"
about_painted() { [ "$(pixel $((bx + bw / 2)) $((by + bh - 10)))" != "0,0,0" ]; }
wait_for "the about box to be painted" about_painted || fail "the about box shows nothing"
[ -n "$shots" ] && import -window root -crop "${bw}x$bh+$bx+$by" "$shots/about-box.png"
xdotool key --window "$box" Escape
about_gone() { ! about_shown; }
wait_for "the about box to close" about_gone || fail "Esc did not close the about box"
close_program
echo "PASS: design pixels, about box opened and closed"
