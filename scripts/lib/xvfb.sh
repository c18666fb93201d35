# shellcheck shell=bash
# Helpers for driving the program under Xvfb: a private display, waiting on conditions, sampling pixels.
# Sourced by scripts/run and the end-to-end tests; needs Xvfb, xdotool, xwininfo and ImageMagick's import.

E2E_TIMEOUT=${E2E_TIMEOUT:-20}

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts Xvfb on a display number it picks itself and exports DISPLAY; stops it when the script exits.
start_xvfb() {
    local number_file
    number_file=$(mktemp)
    # -noreset: the server would otherwise reset when its last client (the readiness probe below) leaves, and
    # refuse the program that connects during the reset.
    Xvfb -displayfd 9 -noreset -screen 0 "${1:-1024x768x24}" -nolisten tcp 9>"$number_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    trap 'stop_all' EXIT
    wait_for "Xvfb to choose a display" test -s "$number_file" || fail "Xvfb did not start"
    DISPLAY=":$(head -n 1 "$number_file")"
    export DISPLAY
    rm -f "$number_file"
    wait_for "the X server" xdpyinfo >/dev/null 2>&1 || fail "the X server on $DISPLAY does not answer"
}

stop_all() {
    if [ -n "${APP_PID:-}" ]; then kill -9 "$APP_PID" 2>/dev/null || true; fi
    if [ -n "${WM_PID:-}" ]; then kill "$WM_PID" 2>/dev/null || true; fi
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true # gone before anyone starts the next one
    fi
    if [ -n "${WORK:-}" ]; then rm -rf "$WORK"; fi
    return 0
}

# wait_for DESCRIPTION COMMAND...: runs the command until it succeeds, up to E2E_TIMEOUT seconds.
wait_for() {
    local what=$1
    shift
    local deadline=$((SECONDS + E2E_TIMEOUT))
    until "$@"; do
        [ $SECONDS -ge $deadline ] && { echo "timed out waiting for $what" >&2; return 1; }
        sleep 0.1
    done
}

# The id of the visible top-level window with exactly this title.
window_id() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(window_id "$1")" ]; }

# pixel X Y: the colour at a screen position as "r,g,b".
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -n 1 |
        sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/'
}

# geometry WINDOW: "x y width height" of a window on the screen.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                             /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
