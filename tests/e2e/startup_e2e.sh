#!/usr/bin/env bash
# Starts the real program from a directory of its own under Xvfb: the main window shows shaped and shaded, 313 x 210
# pixels, centred on the screen, and a click on the close area ends the program with status 0.
#   startup_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
set -u
. "$(dirname "$0")/lib.sh"
start_program "$@"
echo "main window at $X,$Y size ${W}x$H"
{ [ "$W" = 313 ] && [ "$H" = 210 ]; } || fail "size ${W}x$H, not 313x210"
{ [ $((X - 355)) -ge -1 ] && [ $((X - 355)) -le 1 ] && [ $((Y - 279)) -ge -1 ] && [ $((Y - 279)) -le 1 ]; } ||
    fail "not centred: $X,$Y"
# The outline: the corner is cut away (the black root shows).
corner=$(pixel "$X" "$Y")
[ "$corner" = "0,0,0" ] || fail "the corner is not cut away: $corner"
close_program
echo "PASS: shaped, shaded, centred, closed with status 0"
