#!/usr/bin/env bash
# The program with word databases other SQLite programs make: a Table3 declared WITHOUT ROWID, a view named Table3,
# and a database in WAL mode. Each browses and finds as usual, and nothing new appears beside the program.
#   store_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
set -u
here=$(dirname "$0")
run_with() {
    local kind=$1 sql=$2
    shift 2
    (
        export E2E_DB_SQL=$sql
        . "$here/lib.sh"
        start_program "$@"
        xdotool mousemove $((X + 9)) $((Y + 47)) click 1
        wait_for "the word tray out" tray_at $((X - 232)) $((Y + 7)) || fail "$kind: the word tray did not slide out"
        xdotool mousemove $((X + 160)) $((Y + 100)) click 1
        word() { box_text $((X - 232 + 60)) $((Y + 7 + 60)); }
        [ "$(word)" = "banana" ] || fail "$kind: the word box shows '$(word)' after Next"
        close_program
        after=$(files_beside_the_program)
        [ "$after" = "$BEFORE" ] || fail "$kind: files beside the program changed: '$BEFORE' -> '$after'"
        echo "ok: $kind"
    ) || exit 1
}
run_with "WITHOUT ROWID" "CREATE TABLE t (Name TEXT PRIMARY KEY, Meaning TEXT) WITHOUT ROWID;
    INSERT INTO t SELECT Name, Meaning FROM Table3; DROP TABLE Table3; ALTER TABLE t RENAME TO Table3;" "$@"
run_with "a view" "ALTER TABLE Table3 RENAME TO Words; CREATE VIEW Table3 AS SELECT * FROM Words;" "$@"
run_with "WAL" "PRAGMA journal_mode=WAL;" "$@"
echo "PASS: WITHOUT ROWID, a view and WAL mode browse, and nothing is written beside the program"
