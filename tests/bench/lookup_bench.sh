#!/usr/bin/env bash
# Times look-ups handed to a running Lexorant, as a user makes them from another program: from the exec of
# `lexorant WORD` to the final picture of the running one (the entry shown in its trays). Runs on the X display it is
# given, in a session bus of its own. Prints one line a look-up: "<first|later> <word> <ms>".
#   lookup_bench.sh PROGRAM_DIR ROUNDS
set -euo pipefail
if [ -z "${LOOKUP_BENCH_BUS:-}" ]; then
    LOOKUP_BENCH_BUS=1 exec dbus-run-session -- "$0" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
fi
bin=$1
rounds=$2
. "$(dirname "$0")/../../scripts/lib/xvfb.sh"
"$bin/lexorant" >/dev/null 2>&1 &
APP_PID=$!
trap 'kill -9 "$APP_PID" 2>/dev/null || true' EXIT
wait_for "Lexorant" has_window Lexorant || fail "Lexorant did not start"
read -r X Y _ _ <<<"$(geometry "$(window_id Lexorant)")"
sleep 1
time_look_up() { "$bin/final_picture" "$bin/lexorant" "$1" | cut -d' ' -f1; }
# The first look-up of a run: the find's view reads the words once.
echo "first run $(time_look_up run)"
# The word tray out to show the entry, the find tray down with its offers built.
xdotool mousemove $((X + 9)) $((Y + 47)) click 1
xdotool mousemove $((X + 16)) $((Y + 205)) click 1
sleep 2
# Words found as they stand and forms led to their base words, each changing the screen.
for _ in $(seq "$rounds"); do
    for word in house geese table children went run; do
        echo "later $word $(time_look_up "$word")"
    done
done
