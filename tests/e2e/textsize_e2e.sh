#!/usr/bin/env bash
# The text size of the word and meaning boxes, as a reader changes it: Ctrl+= twice makes the word box's text larger
# (read through the accessibility tree), Ctrl+0 brings it back, and the size is kept in the user's configuration.
#   textsize_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
set -u
. "$(dirname "$0")/lib.sh"
start_accessible_program "$@"
wait_for "the accessibility tree" atspi has "push button" "Slide the word tray out" ||
    fail "the word tray's out arrow is not in the accessibility tree"
atspi press "push button" "Slide the word tray out" || fail "could not press the word tray's out arrow"
wait_for "the word tray out" tray_at $((X - 232)) $((Y + 7)) || fail "the word tray did not slide out"
xdotool mousemove $((X - 232 + 60)) $((Y + 7 + 60)) click 1 # the keyboard to the word box
tray_has_keyboard() { [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "Form1" ]; }
wait_for "the word box to take the keyboard" tray_has_keyboard || fail "the word box has no keyboard"
size() { atspi size text "Word"; }
designed=$(size) || fail "the word box's text size cannot be read"
xdotool key ctrl+equal ctrl+equal
larger() { [ "$(size)" != "$designed" ]; }
wait_for "the text to grow" larger || fail "Ctrl+= twice left the text at $designed"
grown=$(size)
python3 -c "import sys; sys.exit(0 if float('$grown') > float('$designed') * 1.15 else 1)" ||
    fail "Ctrl+= twice: $designed -> $grown"
grep -q "^textSizeStep=2$" "$XDG_CONFIG_HOME/lexorant/lexorant.conf" ||
    fail "the size is not kept: $(cat "$XDG_CONFIG_HOME/lexorant/lexorant.conf" 2>&1)"
xdotool key ctrl+0
back() { [ "$(size)" = "$designed" ]; }
wait_for "the text to come back" back || fail "Ctrl+0 left the text at $(size), designed $designed"
close_program
echo "PASS: the text grows with Ctrl+= and comes back with Ctrl+0, kept for the next run"
