# Shared by the end-to-end tests: lays the program out in a directory of its own with a small word database, and
# starts it under a private Xvfb.
#   . lib.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/../../scripts/lib/xvfb.sh"

# start_program: copies the program, its region files and a test database to a new directory and starts it there.
start_program() {
    local program=$1 wordnet2db=$2 wordlist=$3 regions=$4
    WORK=$(mktemp -d)
    cp "$program" "$WORK/lexorant"
    cp "$regions"/main.pts "$regions"/lh.pts "$regions"/rh.pts "$regions"/bot.pts "$WORK/"
    "$wordnet2db" --words "$wordlist" "$WORK/db2.mdb" >/dev/null || fail "could not build the test database"
    start_xvfb 1024x768x24
    (cd / && exec "$WORK/lexorant" >"$WORK/out.log" 2>&1) &
    APP_PID=$!
    wait_for "the main window" has_window Lexorant || { cat "$WORK/out.log"; fail "no main window"; }
    MAIN=$(window_id Lexorant)
    read -r X Y W H <<<"$(geometry "$MAIN")"
    # Painted: the shading's band edges at 156 and 261 pixels show the light and the dark band's first colours.
    wait_for "the shading" shaded || fail "the window is not shaded: $(pixel $((X + 156)) $((Y + 150)))"
}

shaded() { [ "$(pixel $((X + 156)) $((Y + 150)))" = "215,215,215" ] && [ "$(pixel $((X + 261)) $((Y + 150)))" = "50,50,50" ]; }

# close_program: clicks the close area and expects the program to end with status 0.
close_program() {
    xdotool mousemove $((X + 298)) $((Y + 14)) click 1
    wait_for "the program to end" bash -c "! kill -0 $APP_PID 2>/dev/null" || fail "the program did not end"
    wait "$APP_PID"
    local status=$?
    APP_PID=
    [ "$status" = 0 ] || { cat "$WORK/out.log"; fail "exit status $status"; }
}
