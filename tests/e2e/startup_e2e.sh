#!/usr/bin/env bash
# Starts the real program from a directory of its own under Xvfb: the main window shows shaped and shaded, 313 x 210
# pixels, centred on the screen, and a click on the close area ends the program with status 0.
#   startup_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/xvfb.sh"
program=$1 wordnet2db=$2 wordlist=$3 regions=$4

WORK=$(mktemp -d)
cp "$program" "$WORK/lexorant"
cp "$regions"/main.pts "$regions"/lh.pts "$regions"/rh.pts "$regions"/bot.pts "$WORK/"
"$wordnet2db" --words "$wordlist" "$WORK/db2.mdb" >/dev/null || fail "could not build the test database"

start_xvfb 1024x768x24
cd /   # the program must not depend on the current directory
"$WORK/lexorant" >"$WORK/out.log" 2>&1 &
APP_PID=$!
wait_for "the main window" has_window Lexorant || { cat "$WORK/out.log"; fail "no main window"; }
win=$(window_id Lexorant)
read -r x y w h <<<"$(geometry "$win")"
echo "main window at $x,$y size ${w}x$h"
[ "$w" = 313 ] && [ "$h" = 210 ] || fail "size ${w}x$h, not 313x210"
[ $((x - 355)) -ge -1 ] && [ $((x - 355)) -le 1 ] && [ $((y - 279)) -ge -1 ] && [ $((y - 279)) -le 1 ] ||
    fail "not centred: $x,$y"

# Wait until the window has painted: the metal shading's band edges at 156 and 261 pixels show the light and the
# dark band's first colours.
shaded() { [ "$(pixel $((x + 156)) $((y + 150)))" = "215,215,215" ] && [ "$(pixel $((x + 261)) $((y + 150)))" = "50,50,50" ]; }
wait_for "the shading" shaded || fail "the window is not shaded: $(pixel $((x + 156)) $((y + 150)))"

# The outline: the corner is cut away (the black root shows).
corner=$(pixel "$x" "$y")
[ "$corner" = "0,0,0" ] || fail "the corner is not cut away: $corner"

# The close area sits over the "X" at the top right.
xdotool mousemove $((x + 298)) $((y + 14)) click 1
wait_for "the program to end" bash -c "! kill -0 $APP_PID 2>/dev/null" || fail "the program did not end"
wait "$APP_PID"
status=$?
APP_PID=
[ "$status" = 0 ] || { cat "$WORK/out.log"; fail "exit status $status"; }
echo "PASS: shaped, centred, closed with status 0"
