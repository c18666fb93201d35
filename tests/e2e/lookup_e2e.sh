#!/usr/bin/env bash
# Looking words up from outside and going back through them: later starts of the program hand their look-ups (the
# words given, the selected text) to the one that runs, which shows what they lead to at once, with no box ("  Geese,"
# selected: goose); Ctrl+click on a word in the meaning box does the same ("discoveries": discovery); what leads
# nowhere is left in the find box with its offers open. Alt+Left and Alt+Right step back and forward through the words
# found. The trays that are out come to the front with the main window, and a parked tray stays under it.
#   lookup_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
set -u
. "$(dirname "$0")/lib.sh"
# A few words and forms more; apple's meaning holds a form, to look it up from the meaning box.
E2E_DB_SQL="UPDATE Table3 SET Meaning = 'discoveries' WHERE Name = 'apple';
    INSERT INTO Table3 VALUES ('discovery', 'a finding'), ('goose', 'a bird');
    CREATE TABLE BaseForms (Form TEXT, Base TEXT);
    INSERT INTO BaseForms VALUES ('geese', 'goose'), ('discoveries', 'discovery');" start_accessible_program "$@"

programs() { pgrep -c -f "^$WORK/lexorant" || true; }
word_box() { atspi text text "Word" 2>/dev/null; }
shows() { [ "$(word_box)" = "$1" ]; }
# look_up WORD ARGS: a later start of the program with ARGS ends at once with status 0, and the running one shows
# WORD with no box.
look_up() {
    local word=$1
    shift
    timeout 10 "$WORK/lexorant" "$@" >>"$WORK/later.log" 2>&1 || fail "lexorant $*: status $? ($(cat "$WORK/later.log"))"
    wait_for "$word after 'lexorant $*'" shows "$word" || fail "lexorant $*: the word box shows '$(word_box)'"
    box_gone || fail "lexorant $*: a message box"
    [ "$(programs)" = 1 ] || fail "lexorant $*: $(programs) programs run"
}

xdotool mousemove $((X + 9)) $((Y + 47)) click 1 # the word tray out, to read its box
wait_for "the word tray out" tray_at $((X - 232)) $((Y + 7)) || fail "the word tray did not slide out"
printf '  Geese,\n' | xclip -selection primary
look_up goose --selection
look_up cherry cherry
look_up apple "apple."
step() {
    xdotool key "$1"
    wait_for "$2 after $1" shows "$2" || fail "$1: the word box shows '$(word_box)', not $2"
    box_gone || fail "$1 opened a box"
}
step alt+Left cherry
step alt+Left goose
step alt+Right cherry

# apple's meaning box holds "discoveries": Ctrl+click on it shows discovery.
look_up apple apple
xdotool mousemove $((X + 303)) $((Y + 48)) click 1
wait_for "the meaning tray out" tray_at $((X + 302)) $((Y + 7)) || fail "the meaning tray did not slide out"
xdotool mousemove $((X + 302 + 8 + 16)) $((Y + 7 + 32 + 10)) keydown ctrl click 1 keyup ctrl
wait_for "discovery after Ctrl+click" shows discovery || fail "Ctrl+click on 'discoveries' shows '$(word_box)'"
box_gone || fail "Ctrl+click opened a box"

# Nothing to land on: the find tray comes down with the text in its box and the offers for it.
timeout 10 "$WORK/lexorant" zzxq >>"$WORK/later.log" 2>&1 || fail "lexorant zzxq: status $?"
wait_for "the find tray down" tray_at $((X + 10)) $((Y + 204)) || fail "a look-up of zzxq did not bring the find tray down"
timeout 10 "$WORK/lexorant" cherri >>"$WORK/later.log" 2>&1 || fail "lexorant cherri: status $?"
offers() { atspi items list "Offers" 2>/dev/null; }
first_offer_is() { [ "$(offers | head -n 1)" = "$1" ]; }
wait_for "the offers for cherri" first_offer_is cherry || fail "the offers for 'cherri' read: $(offers | tr '\n' ',')"
box_gone || fail "a look-up of nothing opened a box"
shows discovery || fail "a look-up that leads nowhere changed the word shown to '$(word_box)'"
# After "--" everything is a word, even what the toolkit would take for its own option.
timeout 10 "$WORK/lexorant" -- -reverse >>"$WORK/later.log" 2>&1 || fail "lexorant -- -reverse: status $?"
find_box_holds() { [ "$(atspi value text "Word to find" 2>/dev/null)" = "$1" ]; }
wait_for "reverse in the find box" find_box_holds reverse || fail "the find box holds '$(atspi value text "Word to find")'"

# From behind another program's window: the main window comes to the front, and the trays that are out with it.
tray_spot=$(pixel $((X - 232 + 14)) $((Y + 7 + 90))) # the word tray's surface below its boxes
xmessage -geometry 700x500+0+0 "another program" 2>/dev/null &
other_pid=$!
wait_for "the other program's window" has_window xmessage || fail "xmessage did not start"
other=$(window_id xmessage)
xdotool windowactivate --sync "$other" 2>/dev/null || xdotool windowfocus --sync "$other"
xdotool windowraise "$other"
covered() { [ "$(pixel $((X - 232 + 14)) $((Y + 7 + 90)))" != "$tray_spot" ]; }
wait_for "the other program over the word tray" covered || fail "xmessage does not cover the word tray"
# A blank request, from any client of the bus or from --selection with nothing selected, does nothing.
dbus-send --session --type=method_call --dest=example.lexorant.Lexorant / example.lexorant.Lexorant.Request \
    string:"  " || fail "the running program did not take a blank request"
printf '' | xclip -selection primary
printf '' | xclip -selection clipboard
if timeout 10 "$WORK/lexorant" --selection >>"$WORK/later.log" 2>&1; then fail "--selection of nothing succeeded"; fi
grep -q "nothing is selected" "$WORK/later.log" || fail "--selection of nothing did not say so"
sleep 0.5
[ "$(xdotool getwindowfocus)" = "$other" ] || fail "a blank request took the keyboard from the other program"
printf 'banana' | xclip -selection primary
look_up banana --selection
main_has_keyboard() { [ "$(xdotool getwindowfocus)" = "$MAIN" ]; }
wait_for "the main window in front" main_has_keyboard || fail "the main window did not come to the front"
uncovered() { ! covered; }
wait_for "the word tray in front" uncovered || fail "the word tray stayed behind the other program's window"
kill "$other_pid"

# A program that holds the selection and never answers is waited on two seconds, then the clipboard is taken.
printf 'never' | xclip -selection primary
holder=$(pgrep -n -x xclip)
kill -STOP "$holder"
printf 'cherry' | xclip -selection clipboard
asked=$(date +%s)
look_up cherry --selection
[ $(($(date +%s) - asked)) -le 5 ] || fail "--selection waited $(($(date +%s) - asked)) s on a selection that never came"
kill -CONT "$holder"
kill "$holder" 2>/dev/null

# Past the end every tray is parked behind the main window; a look-up then keeps them there.
title=$(pixel $((X + 150)) $((Y + 20)))
xdotool mousemove $((X + 200)) $((Y + 160)) click 1
wait_for "the keyboard on the main window" main_has_keyboard || fail "the main window did not take the keyboard"
xdotool key Left
wait_for "the Front End box" has_window "  Error!" || fail "no message before the first word"
xdotool key Return
end_box_gone() { ! has_window "  Error!"; }
wait_for "the box to close" end_box_gone || fail "the message box stayed"
timeout 10 "$WORK/lexorant" cherry >>"$WORK/later.log" 2>&1 || fail "lexorant cherry: status $?"
sleep 0.5
[ "$(pixel $((X + 150)) $((Y + 20)))" = "$title" ] || fail "a parked tray covers the main window's title after a look-up"
close_program

# A start a moment after another hands its look-up to it, even before the first one's window is up.
(cd / && exec "$WORK/lexorant" >"$WORK/out3.log" 2>&1) &
APP_PID=$!
sleep 0.05
timeout 10 "$WORK/lexorant" cherry >>"$WORK/later.log" 2>&1 || fail "a start just after another: status $?"
[ "$(programs)" = 1 ] || fail "a start just after another made $(programs) programs"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null
# The same when the first start is held up before it reaches the bus, as a busy machine may hold it: the later one
# waits for it rather than starting a program of its own.
(cd / && exec "$WORK/lexorant" >"$WORK/out4.log" 2>&1) &
APP_PID=$!
# Held once it is the program (not the shell that starts it), long before it reaches the bus.
is_lexorant() { [ "$(cat "/proc/$APP_PID/comm" 2>/dev/null)" = lexorant ]; }
for _ in $(seq 1000); do is_lexorant && break; sleep 0.002; done
kill -STOP "$APP_PID"
timeout 10 "$WORK/lexorant" cherry >>"$WORK/later.log" 2>&1 &
later=$!
sleep 1
kill -CONT "$APP_PID"
wait "$later" || fail "a start just after one held up: status $?"
[ "$(programs)" = 1 ] || fail "a start just after one held up made $(programs) programs"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null
APP_PID=
echo "PASS: look-ups handed over and from the meaning box shown with no box, forms to their base words, back and" \
    "forward, nothing found left in the find box with its offers, the trays in front with the main window"
