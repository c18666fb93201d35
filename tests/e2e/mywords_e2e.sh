#!/usr/bin/env bash
# My words as a reader keeps them: three words kept with Ctrl+D, the program started again, "My words" browsed in
# the order kept, a review answered, the words exported and read back, all kept in the user's data folder.
#   mywords_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
set -u
. "$(dirname "$0")/lib.sh"
start_accessible_program "$@"
store="$XDG_DATA_HOME/lexorant/mywords.sqlite"
word_box() { atspi text text "Word" 2>/dev/null; }
meaning_box() { atspi text text "Meaning" 2>/dev/null; }
shows() { [ "$(word_box)" = "$1" ]; }
main_has_keyboard() { [ "$(xdotool getwindowfocus)" = "$MAIN" ]; }
keys() {
    xdotool mousemove $((X + 200)) $((Y + 160)) click 1 # a bare part of the main window: it takes the keyboard
    wait_for "the main window to take the keyboard" main_has_keyboard || fail "the main window has no keyboard: $(xdotool getwindowfocus getwindowname) main $MAIN $(xdotool getwindowfocus)"
    xdotool key "$@"
}
# An item of the main window's context menu, chosen by its key (a menu that pops up is not in the accessibility
# tree until it has the focus).
menu() {
    xdotool mousemove $((X + 200)) $((Y + 160)) click 3
    # The menu's window is a window of the program's named after it (in _NET_WM_NAME only) beside the main window.
    menu_up() {
        local w
        for w in $(xdotool search --onlyvisible --classname lexorant 2>/dev/null); do
            [ "$w" != "$MAIN" ] && [ "$(xdotool getwindowname "$w")" = Lexorant ] && return 0
        done
        return 1
    }
    wait_for "the context menu" menu_up || fail "no context menu"
    xdotool key "$1"
}
wait_for "the accessibility tree" atspi has "push button" "Slide the word tray out" || fail "no accessibility tree"
trays_out() {
    atspi press "push button" "Slide the word tray out"
    wait_for "the word tray out" tray_at $((X - 232)) $((Y + 7)) || fail "the word tray did not slide out"
    atspi press "push button" "Slide the meaning tray out"
    wait_for "the meaning tray out" tray_at $((X + 302)) $((Y + 7)) || fail "the meaning tray did not slide out"
}
trays_out
wait_for "the word box" shows Word || fail "the word box shows '$(word_box)'" # no word yet, as designed

# Kept in the order cherry, apple, banana.
keys Right Right
wait_for "cherry" shows cherry || fail "Right, Right shows '$(word_box)'"
keys ctrl+d Left Left
wait_for "apple" shows apple || fail "Left, Left shows '$(word_box)'"
keys ctrl+d Right
wait_for "banana" shows banana || fail "Right shows '$(word_box)'"
keys ctrl+d
kept() { [ "$(sqlite3 "$store" 'SELECT count(*) FROM kept' 2>/dev/null)" = 3 ]; }
wait_for "three words kept" kept || fail "kept: $(sqlite3 "$store" 'SELECT word FROM kept' 2>&1)"

close_program
launch_program
wait_for "the accessibility tree" atspi has "push button" "Slide the word tray out" || fail "no tree after the restart"
trays_out
menu m
wait_for "the first word kept" shows cherry || fail "My words opens on '$(word_box)'"
keys Right
wait_for "the second word kept" shows apple || fail "Right in My words shows '$(word_box)'"
keys Right
wait_for "the third word kept" shows banana || fail "Right in My words shows '$(word_box)'"
keys Right
wait_for "the end box" has_window "  Error!" || fail "no box past the last word kept"
xdotool key Return
end_box_gone() { ! has_window "  Error!"; }
wait_for "the box to close" end_box_gone || fail "the end box stayed"
wait_for "back on the first word kept" shows cherry || fail "past the end: '$(word_box)'"

# The review: the meaning hidden until Space; 1 knew it, 2 not yet.
menu v
wait_for "the first card" shows cherry || fail "the review opens on '$(word_box)'"
hidden() { meaning_box | grep -q '^Space or Enter shows the meaning'; }
wait_for "the meaning hidden" hidden || fail "the meaning box shows '$(meaning_box)'"
for answer in 1 2 1; do
    xdotool key space
    shown() { ! hidden && [ -n "$(meaning_box)" ]; }
    wait_for "the meaning" shown || fail "Space did not show the meaning"
    xdotool key "$answer"
    [ "$answer" = 1 ] && [ "$(word_box)" = banana ] && break
done
wait_for "the review's end" box_up || fail "no box at the end of the review"
xdotool key Return
wait_for "the box to close" box_gone || fail "the review's box stayed"
boxes=$(sqlite3 "$store" 'SELECT word || ":" || box FROM kept ORDER BY kept_at, rowid' | tr '\n' ' ')
[ "$boxes" = "cherry:2 apple:1 banana:2 " ] || fail "after the review the boxes are: $boxes"

# The export, through the file dialog, read back.
exported="$WORK/user/exported.tsv"
menu e
dialog_up() { xdotool search --onlyvisible --name '^Export my words$' >/dev/null 2>&1; }
wait_for "the file dialog" dialog_up || fail "no file dialog"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 10 "$exported"
xdotool key Return
wait_for "the exported file" test -s "$exported" || fail "nothing was exported"
[ "$(cut -f1 "$exported" | tr '\n' ' ')" = "word cherry apple banana " ] || fail "exported: $(cat "$exported")"
grep -q $'^apple\t1. (noun) fruit with red or yellow or green skin\t20[0-9-]*\t1$' "$exported" ||
    fail "the apple line reads: $(grep '^apple' "$exported")"
close_program
echo "PASS: three words kept, browsed after a restart in the order kept, reviewed, exported"
