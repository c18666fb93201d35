#!/usr/bin/env bash
# Kills a program that keeps words (kill -9) at a random moment while it writes, ROUNDS times over one file, and
# counts: every word it had reported kept must be there, every review answer it had reported must be there, and the
# file must pass SQLite's integrity check after each kill.
#   kill_during_write.sh KEEP_WRITER [ROUNDS]
set -u
writer=$1
rounds=${2:-300}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
file="$dir/lexorant/mywords.sqlite"
next=0
lost=0
total_kept=0
total_answered=0
for round in $(seq 1 "$rounds"); do
    # Emptied here, not by the writer's redirection: a writer killed before its shell has opened the file would
    # leave the last round's lines to be counted again.
    : >"$dir/done.txt"
    : >"$dir/err.txt"
    "$writer" "$file" "$next" 100000 >>"$dir/done.txt" 2>>"$dir/err.txt" &
    pid=$!
    sleep "0.0$((RANDOM % 60))"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    if [ -s "$dir/err.txt" ]; then echo "FAIL: round $round: $(cat "$dir/err.txt")"; exit 1; fi
    # Killed before it made its folder or file: nothing was written, and nothing may have been reported done.
    if [ ! -e "$file" ]; then
        [ ! -s "$dir/done.txt" ] || { echo "FAIL: round $round: work reported done, and no file"; exit 1; }
        continue
    fi
    [ "$(sqlite3 "$file" 'PRAGMA integrity_check')" = ok ] || { echo "FAIL: round $round: the file is damaged"; exit 1; }
    kept=$(grep -c '^kept ' "$dir/done.txt")
    answered=$(grep -c '^answered ' "$dir/done.txt")
    present=$(sqlite3 "$file" "SELECT count(*) FROM kept WHERE kept_at >= $next AND kept_at < $((next + kept))")
    boxed=$(sqlite3 "$file" "SELECT count(*) FROM kept WHERE kept_at >= $next AND kept_at < $((next + answered)) AND box = 2")
    lost=$((lost + kept - present + answered - boxed))
    next=$((next + kept + 1)) # a word written but not yet reported may be there: the next round starts past it
    total_kept=$((total_kept + kept))
    total_answered=$((total_answered + answered))
done
echo "$rounds kills while writing: $total_kept words and $total_answered answers reported done, $lost of them lost"
[ "$lost" = 0 ] || exit 1
echo "PASS: nothing reported kept was lost"
