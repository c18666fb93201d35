#!/usr/bin/env bash
# Builds a dictionary from a tiny WordNet of two verb senses and reads it back: a head line with the word's IPA and
# how common it is, a heading for each part of speech, one line per sense, numbered within it, with its gloss and the
# other words of its synset as synonyms (none when the synset has no other).
#   wordnet2db_test.sh WORDNET2DB
set -eu
wordnet2db=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
line1='00000000 30 v 05 abate 0 let_up 0 slack_off 1 slack 7 die_away 0 000 | become less in amount or intensity; "The storm abated"'
line2='00000000 30 v 01 prod 0 000 | urge on'
offset2=$(printf '%08d' $((${#line1} + 1)))
line2=${line2/00000000/$offset2}
printf '%s\n%s\n' "$line1" "$line2" >"$dir/data.verb"
printf 'abate v 1 0 1 0 00000000\nprod v 1 0 1 0 %s\n' "$offset2" >"$dir/index.verb"
for part in noun adj adv; do : >"$dir/data.$part"; : >"$dir/index.$part"; : >"$dir/$part.exc"; done
# "weird" is mostly an adjective; its one noun sense is of "Weird". The entry is spelt as its first sense spells it.
printf '00000000 18 n 01 Weird 0 000 | fate personified\n' >"$dir/data.noun"
printf 'weird n 1 0 1 0 00000000\n' >"$dir/index.noun"
printf '00000000 00 a 01 weird 0 000 | strikingly odd\n' >"$dir/data.adj"
printf 'weird a 1 0 1 0 00000000\n' >"$dir/index.adj"
printf 'weird%%3:00:00:: 1 8\n' >"$dir/cntlist.rev"
# An exception whose base is a word, and one whose base is not in the dictionary (left out).
printf 'abated abate\nran run\n' >"$dir/verb.exc"
"$wordnet2db" --wordnet "$dir" "$dir/db2.mdb" >/dev/null
got=$(sqlite3 "$dir/db2.mdb" "SELECT Name || ': ' || replace(Meaning, char(13), '') FROM Table3 ORDER BY rowid")
expected='abate: abate /ɐˈbeɪt/ · rare
Verb — 1 sense
1. become less in amount or intensity; "The storm abated". Synonyms: let up, slack off, slack, die away.
prod: prod /ˈpɹɑːd/ · rare
Verb — 1 sense
1. urge on.
weird: weird /ˈwɪɹd/ · common
Adjective: strikingly odd
Noun: fate personified
Adjective — 1 sense
1. strikingly odd.
Noun — 1 sense
1. Weird: fate personified.'
[ "$got" = "$expected" ] || { echo "FAIL: got"; echo "$got"; exit 1; }
# A word whose commonest noun sense is of the lexicographer file of people, and no one person, names a person; a verb
# does not.
people=$(sqlite3 "$dir/db2.mdb" "SELECT Word FROM People" | tr '\n' ' ')
[ "$people" = "weird " ] || { echo "FAIL: the people are: $people"; exit 1; }
# Inflected forms and their base words: from the exception list, and by the verb rules run backwards.
forms=$(sqlite3 "$dir/db2.mdb" "SELECT Form || '>' || Base FROM BaseForms ORDER BY Form, Base" | tr '\n' ' ')
for form in abated abates abating prods proded proding; do
    sqlite3 "$dir/db2.mdb" "SELECT 1 FROM BaseForms WHERE Form = '$form'" | grep -q 1 || { echo "FAIL: no $form in: $forms"; exit 1; }
done
sqlite3 "$dir/db2.mdb" "SELECT 1 FROM BaseForms WHERE Form = 'ran'" | grep -q 1 && { echo "FAIL: ran kept without run"; exit 1; }
# With lists of real word forms, a form the rules make is kept only where a list has it ("proded" is no English);
# the exception list's forms stay.
printf 'Abates\nprods\nprodded\n' >"$dir/forms-a"
printf 'abating\n' >"$dir/forms-b"
"$wordnet2db" --wordnet "$dir" --word-forms "$dir/forms-a" --word-forms "$dir/forms-b" "$dir/db2.mdb" >/dev/null
forms=$(sqlite3 "$dir/db2.mdb" "SELECT Form FROM BaseForms ORDER BY Form" | tr '\n' ' ')
[ "$forms" = "abated abates abating prods " ] || { echo "FAIL: the confirmed forms are: $forms"; exit 1; }
# A thesaurus's groups, each word with its group's number; a thesaurus that cannot be read fails the build.
mkdir "$dir/aiksaurus"
printf 'abate\0\0\0\377\377let:up\0\0\0\0\001\377\377prod\0\0\001\377\377' >"$dir/aiksaurus/words.dat"
printf '\0\0\0\001\0\0\0\001\377\377\0\002\0\001\0\001\0\002\377\377' >"$dir/aiksaurus/meanings.dat"
"$wordnet2db" --wordnet "$dir" --thesaurus "$dir/aiksaurus" "$dir/db2.mdb" >/dev/null
groups=$(sqlite3 "$dir/db2.mdb" "SELECT Word || '>' || GroupId FROM Thesaurus ORDER BY rowid" | tr '\n' ' ')
[ "$groups" = "abate>0 let up>0 let up>1 prod>1 " ] || { echo "FAIL: the thesaurus groups are: $groups"; exit 1; }
if "$wordnet2db" --wordnet "$dir" --thesaurus "$dir/none" "$dir/db2.mdb" 2>/dev/null; then
    echo "FAIL: a missing thesaurus was taken"; exit 1
fi
echo "PASS: senses with their synonyms, inflected forms with their base words, and thesaurus groups"
