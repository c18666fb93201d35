#!/usr/bin/env bash
# The program with a word database made with Microsoft Access (Jet 4): it browses, finds "o'clock" typed in another
# letter case and a word with an accent, shows a 70,000-character memo whole, and leaves the file as it was. The same
# file with a database password is the engine's error 3031.
#   jet_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR JET_FILE
set -u
export E2E_DB_FILE=$5
. "$(dirname "$0")/lib.sh"
start_program "$1" "$2" "$3" "$4"
before=$(sha256sum <"$WORK/db2.mdb")

xdotool mousemove $((X + 9)) $((Y + 47)) click 1
wait_for "the word tray out" tray_at $((X - 232)) $((Y + 7)) || fail "the word tray did not slide out"
xdotool mousemove $((X + 303)) $((Y + 48)) click 1
wait_for "the meaning tray out" tray_at $((X + 302)) $((Y + 7)) || fail "the meaning tray did not slide out"
word_box() { box_text $((X - 232 + 60)) $((Y + 7 + 60)); }
meaning_box() { box_text $((X + 302 + 60)) $((Y + 7 + 60)); }

xdotool mousemove $((X + 160)) $((Y + 100)) click 1 # Next: the second word
[ "$(word_box)" = "Émile" ] || fail "the word box shows '$(word_box)' after Next"
[ "$(meaning_box)" = "a name with an accent" ] || fail "the meaning box shows '$(meaning_box)'"

xdotool mousemove $((X + 16)) $((Y + 205)) click 1
wait_for "the find tray down" tray_at $((X + 10)) $((Y + 204)) || fail "the find tray did not slide down"
find_word() {
    xdotool mousemove $((X + 10 + 140)) $((Y + 204 + 60)) click --repeat 3 1 # select what is there
    # Letters outside the keyboard map are typed by remapping a key for each: slowly, so none is lost.
    xdotool type --delay "${2:-20}" "$1"
    xdotool key alt+f
    wait_for "the DATA FOUND box" box_up || fail "Alt+F did not answer for '$1'"
    xdotool key Return
    wait_for "the box to close" box_gone || fail "the message box stayed"
}
find_word "O'CLOCK"
[ "$(word_box)" = "o'clock" ] || fail "the word box shows '$(word_box)' after finding O'CLOCK"
find_word "NAÏVE CAFÉ" 150
meaning_box | head -n 1 | grep -qx "non-ASCII in both" || fail "(typed: $(box_text $((X + 10 + 140)) $((Y + 204 + 60)))) the meaning box shows '$(meaning_box)' for naïve café"
find_word "long"
memo=$(meaning_box)
{ [ "${#memo}" = 70000 ] && [ "${memo: -5}" = "jumps" ]; } || fail "the long memo shows ${#memo} characters"

close_program
[ "$(sha256sum <"$WORK/db2.mdb")" = "$before" ] || fail "the database file changed"
after=$(files_beside_the_program)
[ "$after" = "$BEFORE" ] || fail "files beside the program changed: '$BEFORE' -> '$after'"

# run_to_error DIR DB EXPECTED: the program in DIR with DB as its word database shows the engine's error in a box,
# and ends with status 1 when it is closed; the line it writes is EXPECTED.
run_to_error() {
    local dir=$1 pid status
    cp "$2" "$dir/db2.mdb"
    (cd / && exec "$dir/lexorant" >"$dir/out.log" 2>&1) &
    pid=$!
    wait_for "the error box" box_up || fail "no box for $dir"
    # The box is the window shown last; with no window manager it takes the keyboard only when given it.
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Lexorant$' | tail -1)" key Return
    wait_for "the program to end" bash -c "! kill -0 $pid 2>/dev/null" || fail "the program did not end after the box"
    wait "$pid"
    status=$?
    grep -qx "$3" "$dir/out.log" || fail "$(cat "$dir/out.log")"
    [ "$status" = 1 ] || fail "$dir: the program ended with status $status"
    cmp -s "$dir/db2.mdb" "$2" || fail "$dir: the file changed"
}

# The same file with a database password: the engine's error.
locked=$WORK/password
mkdir "$locked"
cp "$WORK/lexorant" "$WORK/lexorant-jet-reader" "$WORK"/*.pts "$locked/"
run_to_error "$locked" "$(dirname "$5")/password.mdb" "lexorant: run-time error 3031: Not a valid password."
# The program without its reader beside it: an error that says so.
alone=$WORK/alone
mkdir "$alone"
cp "$WORK/lexorant" "$WORK"/*.pts "$alone/"
run_to_error "$alone" "$5" \
    "lexorant: run-time error 53: The Access reader '$alone/lexorant-jet-reader' could not be started: No such file or directory."
echo "PASS: an Access database browses, finds and shows a 70,000-character memo, unchanged; one with a password is error 3031; without the reader, error 53 says so"
