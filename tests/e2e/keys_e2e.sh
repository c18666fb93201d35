#!/usr/bin/env bash
# The keyboard alone: Right and Page Down step on, Left and Page Up step back, Ctrl+F brings the find tray down and
# puts the keyboard in its box, where Enter finds the typed word.
#   keys_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
set -u
. "$(dirname "$0")/lib.sh"
start_program "$@"
xdotool mousemove $((X + 9)) $((Y + 47)) click 1 # the word tray out, to read its box
wait_for "the word tray out" tray_at $((X - 232)) $((Y + 7)) || fail "the word tray did not slide out"
word_box() { box_text $((X - 232 + 60)) $((Y + 7 + 60)); }
main_has_keyboard() { [ "$(xdotool getwindowfocus)" = "$MAIN" ]; }
keys() {
    xdotool mousemove $((X + 200)) $((Y + 160)) click 1 # a bare part of the main window: it takes the keyboard
    wait_for "the main window to take the keyboard" main_has_keyboard || fail "the main window has no keyboard"
    xdotool key "$@"
}
keys Right Right
[ "$(word_box)" = "cherry" ] || fail "Right, Right: the word box shows '$(word_box)'"
keys Prior
[ "$(word_box)" = "banana" ] || fail "Page Up: the word box shows '$(word_box)'"
keys Next
[ "$(word_box)" = "cherry" ] || fail "Page Down: the word box shows '$(word_box)'"
keys Left
[ "$(word_box)" = "banana" ] || fail "Left: the word box shows '$(word_box)'"

keys ctrl+f
wait_for "the find tray down" tray_at $((X + 10)) $((Y + 204)) || fail "Ctrl+F did not bring the find tray down"
xdotool type --delay 20 "apple"
xdotool key Return
wait_for "the DATA FOUND box" box_up || fail "Enter in the find box did not find"
xdotool key Return
wait_for "the box to close" box_gone || fail "the message box stayed"
[ "$(word_box)" = "apple" ] || fail "after the find the word box shows '$(word_box)'"
close_program
echo "PASS: browsing and finding from the keyboard"
