#!/usr/bin/env bash
# The Access reader seen from outside while it streams the 150,000-word file: a program of its own, holding no
# socket and nothing of the program's but its stream, confined. Stopped while a find waits for its records, it is
# error 3343 within the wait limit, not a frozen window; and it never outlives the program.
#   reader_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR WORDS_150K_GZ
set -u
packed=$5
db=$(mktemp --suffix=.mdb)
gunzip -c "$packed" >"$db"
export E2E_DB_FILE=$db
. "$(dirname "$0")/lib.sh"

reader_of() { pgrep -P "$1" -f lexorant-jet-reader; }

start_program "$1" "$2" "$3" "$4"
rm -f "$db"
reader=$(reader_of "$APP_PID") || fail "no reader process while the table is read"
[ "$(readlink "/proc/$reader/exe")" != "$(readlink "/proc/$APP_PID/exe")" ] || fail "the reader is a copy of lexorant"
fds=$(for fd in "/proc/$reader/fd"/*; do echo "${fd##*/}=$(readlink "$fd")"; done | sort | tr '\n' ' ')
grep -q "socket:" <<<"$fds" && fail "the reader holds a socket: $fds"
{ [ "$(find "/proc/$reader/fd" -mindepth 1 | wc -l)" = 5 ] && [ "$(readlink "/proc/$reader/fd/4")" = "$WORK/db2.mdb" ]; } ||
    fail "the reader holds more than its file, its stream and the standard files: $fds"
grep -qx "Seccomp:[[:space:]]*2" "/proc/$reader/status" || fail "the reader is not confined: $(grep Seccomp "/proc/$reader/status")"

# A reader that stops answering while a find waits for the last word: the engine's error, then the program ends.
kill -STOP "$reader"
xdotool mousemove $((X + 16)) $((Y + 205)) click 1
wait_for "the find tray down" tray_at $((X + 10)) $((Y + 204)) || fail "the find tray did not slide down"
xdotool mousemove $((X + 10 + 140)) $((Y + 204 + 60)) click 1
xdotool type "word_150000"
asked=$(date +%s)
xdotool key alt+f
E2E_TIMEOUT=20 wait_for "the error box" box_up || fail "no box while the reader is stopped"
waited=$(($(date +%s) - asked))
[ "$waited" -le 15 ] || fail "the box came after $waited s"
grep -q "run-time error 3343" "$WORK/out.log" || fail "not error 3343: $(cat "$WORK/out.log")"
kill -0 "$reader" 2>/dev/null && fail "the stopped reader was not killed and reaped"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Lexorant$' | tail -1)" key Return
wait_for "the program to end" bash -c "! kill -0 $APP_PID 2>/dev/null" || fail "the program did not end after the box"
wait "$APP_PID"
APP_PID=
echo "ok: a stopped reader is error 3343 after $waited s"

# The program killed outright: its reader goes with it.
(cd / && exec "$WORK/lexorant" >"$WORK/out2.log" 2>&1) &
pid=$!
wait_for "a reader" reader_of "$pid" >/dev/null || fail "no reader for the second run"
reader=$(reader_of "$pid")
kill -KILL "$pid"
wait "$pid" 2>/dev/null
gone() { ! kill -0 "$reader" 2>/dev/null || grep -q "^State:[[:space:]]*Z" "/proc/$reader/status" 2>/dev/null; }
E2E_TIMEOUT=5 wait_for "the reader to end with the program" gone || fail "the reader outlived the program"
echo "PASS: the reader is a confined program of its own, stopped is error 3343, and ends with the program"
