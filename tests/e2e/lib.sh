# shellcheck shell=bash
# Shared by the end-to-end tests: lays the program out in a directory of its own with a small word database, and
# starts it under a private Xvfb.
#   . lib.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/../../scripts/lib/xvfb.sh"

# The files beside the program, logs and the test's stand-in for the user's home folders left out, in one line.
files_beside_the_program() {
    find "$WORK" -mindepth 1 -maxdepth 1 ! -name '*.log' ! -name user -printf '%f\n' | sort | tr '\n' ' '
}

# start_program: copies the program, its region files and a test database to a new directory and starts it there.
start_program() {
    local program=$1 wordnet2db=$2 wordlist=$3 regions=$4
    WORK=$(mktemp -d)
    cp "$program" "$WORK/lexorant"
    cp "$(dirname "$program")/lexorant-jet-reader" "$WORK/" # the Access reader goes beside the program
    cp "$regions"/main.pts "$regions"/lh.pts "$regions"/rh.pts "$regions"/bot.pts "$WORK/"
    # E2E_REGIONS: region files that take the place of the usual ones ("main.pts=FILE lh.pts=FILE").
    local swap
    for swap in ${E2E_REGIONS:-}; do cp "${swap#*=}" "$WORK/${swap%%=*}"; done
    if [ -n "${E2E_DB_FILE:-}" ]; then
        cp "$E2E_DB_FILE" "$WORK/db2.mdb" # a database made elsewhere, an Access one for example
    else
        "$wordnet2db" --words "$wordlist" "$WORK/db2.mdb" >/dev/null || fail "could not build the test database"
    fi
    # E2E_DB_SQL reshapes the test database before the program starts (another kind of table, another journal).
    if [ -n "${E2E_DB_SQL:-}" ]; then
        sqlite3 "$WORK/db2.mdb" "$E2E_DB_SQL" >/dev/null || fail "could not reshape the test database"
    fi
    # shellcheck disable=SC2034 # the tests that source this file read it
    BEFORE=$(files_beside_the_program)
    start_xvfb 1024x768x24
    if [ "${E2E_WM:-}" = openbox ]; then
        openbox --sm-disable >"$WORK/wm.log" 2>&1 &
        WM_PID=$!
        # shellcheck disable=SC2317 # called through wait_for
        wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
        wait_for "openbox" wm_running || fail "openbox did not start"
    fi
    # A test may set up what the program needs around it first (an accessibility bus, for one).
    if declare -F before_program >/dev/null; then before_program; fi
    launch_program
}

# launch_program: starts the program in $WORK (again, after close_program, with what it kept) and waits for its
# window, painted.
launch_program() {
    # What the program keeps for the user goes to the test's own folders.
    export XDG_CONFIG_HOME="$WORK/user/config" XDG_DATA_HOME="$WORK/user/data"
    (cd / && exec "$WORK/lexorant" >>"$WORK/out.log" 2>&1) &
    APP_PID=$!
    wait_for "the main window" has_window Lexorant || { cat "$WORK/out.log"; fail "no main window"; }
    MAIN=$(window_id Lexorant)
    # shellcheck disable=SC2034 # the tests that source this file read the size
    read -r X Y W H <<<"$(geometry "$MAIN")"
    # Painted: the shading's band edges at 156 and 261 pixels show the light and the dark band's first colours.
    [ -n "${E2E_NO_SHADING_CHECK:-}" ] && return 0
    wait_for "the shading" shaded || fail "the window is not shaded: $(pixel $((X + 156)) $((Y + 150)))"
}

# in_session_bus ARGS: runs the test script again inside a session bus of its own, as on a desktop (once).
in_session_bus() {
    if [ -z "${E2E_SESSION_BUS:-}" ]; then
        E2E_SESSION_BUS=1 exec dbus-run-session -- "$0" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
    fi
}

# start_accessible_program ARGS: the program as start_program starts it, with an accessibility bus that hangs
# from a session bus of the test's own; atspi reads the tree.
start_accessible_program() {
    in_session_bus "$@"
    before_program() {
        /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
        BUS_PID=$!
        export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    }
    start_program "$@"
    trap 'kill "$BUS_PID" 2>/dev/null; stop_all' EXIT
}
atspi() { /usr/bin/python3 "$here/atspi.py" "$@"; }

# Windows titled "Lexorant" that are showing: the main window, and a message or about box when one is up.
lexorant_windows() { xdotool search --onlyvisible --name '^Lexorant$' 2>/dev/null | wc -l; }
box_up() { [ "$(lexorant_windows)" -ge 2 ]; }
box_gone() { [ "$(lexorant_windows)" -lt 2 ]; }

# The text of a tray's box on the screen, as a user gets it: click into it, select all, copy, paste. Each step waits
# for what it needs: the tray to have the keyboard, then the clipboard to change (an empty box copies nothing, and
# its text is empty after a short wait).
box_text() {
    xdotool mousemove "$1" "$2" click 1
    # shellcheck disable=SC2317 # called through wait_for
    tray_has_keyboard() { [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "Form1" ]; }
    E2E_TIMEOUT=5 wait_for "a tray to take the keyboard" tray_has_keyboard >&2
    local mark="(nothing copied $RANDOM)"
    printf '%s' "$mark" | xclip -selection clipboard
    xdotool key ctrl+a ctrl+c
    # shellcheck disable=SC2317 # called through wait_for
    copied() { [ "$(xclip -o -selection clipboard 2>/dev/null)" != "$mark" ]; }
    if E2E_TIMEOUT=2 wait_for "the copy" copied 2>/dev/null; then
        xclip -o -selection clipboard 2>/dev/null
    fi
}

# tray_at X Y: a tray ("Form1") stands there.
tray_at() {
    local w
    for w in $(xdotool search --onlyvisible --name '^Form1$' 2>/dev/null); do
        read -r tx ty _ _ <<<"$(geometry "$w")"
        [ "$tx" = "$1" ] && [ "$ty" = "$2" ] && return 0
    done
    return 1
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
