#!/usr/bin/env bash
# Clicks a tray's out arrow thousands of times, a millisecond apart, far faster than a slide lasts: the program
# lives and the tray ends on its out target. First the word tray's arrow, then the find tray's.
#   clickstorm_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
set -u
. "$(dirname "$0")/lib.sh"
start_program "$@"
CLICKS=${CLICKS:-3500}

alive() { kill -0 "$APP_PID" 2>/dev/null || { cat "$WORK/out.log"; fail "the program died under the clicks"; }; }

xdotool mousemove $((X + 9)) $((Y + 47)) click --repeat "$CLICKS" --delay 1 1
alive
E2E_TIMEOUT=60 wait_for "the word tray out" tray_at $((X - 232)) $((Y + 7)) || fail "the word tray is not on its out target"

xdotool mousemove $((X + 16)) $((Y + 205)) click --repeat "$CLICKS" --delay 1 1
alive
E2E_TIMEOUT=60 wait_for "the find tray down" tray_at $((X + 10)) $((Y + 204)) || fail "the find tray is not on its out target"

close_program
echo "PASS: $CLICKS clicks on each out arrow; the trays ended out"
