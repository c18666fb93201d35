#!/usr/bin/env bash
# lexorant --words-for as a script calls it, with the bundled dictionary beside the program and no display: the words
# for a description, best first, as many as asked; nothing for no match, with success; a bad count named, status 2.
#   words_for_e2e.sh PROGRAM DATABASE
set -u
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/lexorant"
ln -s "$(realpath "$2")" "$work/db2.mdb"
run() { env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "$work/lexorant" "$@"; }

words=$(run --words-for "fear of heights") || fail "fear of heights: status $?"
[ "$(printf '%s\n' "$words" | wc -l)" = 10 ] || fail "fear of heights gave $(printf '%s\n' "$words" | wc -l) lines"
[ "$(printf '%s\n' "$words" | head -n 1)" = acrophobia ] || fail "fear of heights gave: $(echo "$words" | tr '\n' ,)"
[ "$(run --words-for "a person who walks in their sleep" --count 3 | wc -l)" = 3 ] || fail "--count 3"
out=$(run --words-for "zzqx qqzx") || fail "no match: status $?"
[ -z "$out" ] || fail "no match printed: $out"
run --words-for "fear of heights" --count many >/dev/null 2>"$work/err.log"
status=$?
[ "$status" = 2 ] || fail "a bad count: status $status"
grep -q -- "--count" "$work/err.log" || fail "a bad count was not named: $(cat "$work/err.log")"
echo "PASS: --words-for prints the ranked words, as many as asked; nothing for no match; a bad count is named"
