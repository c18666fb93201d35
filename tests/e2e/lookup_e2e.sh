#!/usr/bin/env bash
# Looking words up from outside and going back through them: later starts of the program hand their look-ups (the
# words given, the selected text) to the one that runs, which finds them; Alt+Left and Alt+Right step back and
# forward through the words found without a box; Ctrl+click on a word in the meaning box finds that word; a look-up
# of nothing brings the window to the front from behind another program's.
#   lookup_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
set -u
. "$(dirname "$0")/lib.sh"
in_session_bus "$@"
# apple's meaning is a word of the list, to look it up from the meaning box.
E2E_DB_SQL="UPDATE Table3 SET Meaning = 'cherry' WHERE Name = 'apple';" start_program "$@"

programs() { pgrep -c -f "^$WORK/lexorant" || true; }
# look_up ARGS: a later start of the program with ARGS ends at once with status 0, and the running one finds.
look_up() {
    timeout 10 "$WORK/lexorant" "$@" >>"$WORK/later.log" 2>&1 || fail "lexorant $*: status $? ($(cat "$WORK/later.log"))"
    wait_for "the DATA FOUND box after 'lexorant $*'" box_up || fail "lexorant $*: the running program did not find"
    [ "$(programs)" = 1 ] || fail "lexorant $*: $(programs) programs run"
    xdotool key Return
    wait_for "the box to close" box_gone || fail "the message box stayed"
}
printf 'banana' | xclip -selection primary
look_up --selection
look_up cherry
look_up apple

xdotool mousemove $((X + 9)) $((Y + 47)) click 1 # the word tray out, to read its box
wait_for "the word tray out" tray_at $((X - 232)) $((Y + 7)) || fail "the word tray did not slide out"
word_box() { box_text $((X - 232 + 60)) $((Y + 7 + 60)); }
[ "$(word_box)" = "apple" ] || fail "after three look-ups the word box shows '$(word_box)'"
step() {
    xdotool key "$1"
    sleep 0.3
    box_gone || fail "$1 opened a box"
    [ "$(word_box)" = "$2" ] || fail "$1: the word box shows '$(word_box)', not $2"
}
step alt+Left cherry
step alt+Left banana
step alt+Right cherry

# apple's meaning box holds "cherry": Ctrl+click on it.
look_up apple
xdotool mousemove $((X + 303)) $((Y + 48)) click 1
wait_for "the meaning tray out" tray_at $((X + 302)) $((Y + 7)) || fail "the meaning tray did not slide out"
xdotool mousemove $((X + 302 + 8 + 16)) $((Y + 7 + 32 + 10)) keydown ctrl click 1 keyup ctrl
wait_for "the DATA FOUND box after Ctrl+click" box_up || fail "Ctrl+click on the meaning did not find"
xdotool key Return
wait_for "the box to close" box_gone || fail "the message box stayed"
[ "$(word_box)" = "cherry" ] || fail "after Ctrl+click on 'cherry' the word box shows '$(word_box)'"

# From behind another program's window, with nothing selected anywhere: the main window comes to the front alone.
xmessage -geometry +0+0 "another program" 2>/dev/null &
other_pid=$!
wait_for "the other program's window" has_window xmessage || fail "xmessage did not start"
other=$(window_id xmessage)
xdotool windowactivate --sync "$other" 2>/dev/null || xdotool windowfocus --sync "$other"
printf '' | xclip -selection primary
printf '' | xclip -selection clipboard
timeout 10 "$WORK/lexorant" --selection >>"$WORK/later.log" 2>&1 || fail "lexorant --selection of nothing: status $?"
main_has_keyboard() { [ "$(xdotool getwindowfocus)" = "$MAIN" ]; }
wait_for "the main window in front" main_has_keyboard || fail "the main window did not come to the front"
box_gone || fail "a look-up of nothing opened a box"
kill "$other_pid"
close_program
echo "PASS: look-ups handed to the running program, back and forward through them, Ctrl+click in the meaning box"
