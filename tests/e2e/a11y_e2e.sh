#!/usr/bin/env bash
# Uses Lexorant as a screen-reader or voice-control user does, through the accessibility tree (AT-SPI): every
# control is found by the text it shows or, where it shows none, by its purpose, and pressed by its action.
#   a11y_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
set -u
. "$(dirname "$0")/lib.sh"
# A record of 9,000 characters without a blank, to read back whole through the word box's text.
long=$(head -c 9000 /dev/zero | tr '\0' w)
E2E_DB_SQL="INSERT INTO Table3 VALUES ('$long', 'a long word');" start_accessible_program "$@"
wait_for "the accessibility tree" atspi has "push button" "Slide the word tray out" ||
    fail "the word tray's out arrow is not in the accessibility tree"

atspi press "push button" "Slide the word tray out" || fail "could not press the word tray's out arrow"
wait_for "the word tray out" tray_at $((X - 232)) $((Y + 7)) || fail "pressing the out arrow did not slide the tray"
atspi press "push button" "Slide the word tray in" || fail "could not press the word tray's in arrow"
word_tray_in() { ! tray_at $((X - 232)) $((Y + 7)); }
wait_for "the word tray in" word_tray_in || fail "pressing the in arrow did not slide the tray back"

# The links are named by their addresses and can be pressed (not pressed here: that would start a web browser).
atspi can link "www.lexorant.example" || fail "the main window's web link cannot be pressed"
atspi press "push button" "A" || fail "could not press \"A\""
wait_for "the about box" box_up || fail "pressing \"A\" did not open the about box"
wait_for "the about box's links" atspi can link "https://www.lexorant.example/" || fail "the about box's web link"
atspi can link "hello@lexorant.example" || fail "the about box's mail link cannot be pressed"
atspi press "push button" "OK" || fail "could not press the about box's OK"
wait_for "the about box to close" box_gone || fail "pressing OK did not close the about box"

# Offers: typed into the find box, read from the accessibility tree, one chosen with the keyboard.
xdotool mousemove $((X + 16)) $((Y + 205)) click 1
wait_for "the find tray down" tray_at $((X + 10)) $((Y + 204)) || fail "the find tray did not slide down"
xdotool mousemove $((X + 10 + 140)) $((Y + 204 + 60)) click 1
xdotool type --delay 50 "ch"
wait_for "the offers" atspi has list "Offers" || fail "no offers list in the accessibility tree"
offered=$(atspi items list "Offers")
[ "$offered" = "cherry" ] || fail "the offers for 'ch' read '$offered'"
xdotool key Down Return
wait_for "the DATA FOUND box" box_up || fail "choosing a offer did not find it"
xdotool key Return
wait_for "the box to close" box_gone || fail "the message box stayed"
atspi press "push button" "Slide the word tray out" || fail "could not press the word tray's out arrow"
wait_for "the word tray out" tray_at $((X - 232)) $((Y + 7)) || fail "the word tray did not slide out"
shown=$(box_text $((X - 232 + 60)) $((Y + 7 + 60)))
[ "$shown" = "cherry" ] || fail "after choosing the offer the word box shows '$shown'"

# The long record, looked up by a later start of the program, reads back exactly as stored.
"$WORK/lexorant" "$long" || fail "the look-up of the long word was not handed over"
long_shown() { [ "$(atspi text text "Word" | wc -c)" = 9000 ]; }
wait_for "the long word shown" long_shown || fail "the long word was not shown"
box_gone || fail "the look-up of the long word opened a box"
read_back=$(atspi text text "Word")
[ "$read_back" = "$long" ] || fail "the word box reads back ${#read_back} characters, not the record's 9,000"

atspi press "push button" "X" || fail "could not press the close area"
wait_for "the program to end" bash -c "! kill -0 $APP_PID 2>/dev/null" || fail "pressing X did not end the program"
wait "$APP_PID"
status=$?
APP_PID=
[ "$status" = 0 ] || fail "exit status $status"
echo "PASS: the arrows, \"A\", OK and X pressed, the offers read and chosen, a 9,000-character record read" \
    "back whole, through the accessibility tree"
