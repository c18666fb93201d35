#!/usr/bin/env bash
# The find box's offers with the bundled dictionary, read and taken through the accessibility tree as a screen
# reader user does: a misspelling typed at once after Ctrl+F leads to the meant word, chosen with Down and Enter; a
# long offer reads whole; after "Data Not Found" the offers are back under the box; a row is chosen by its action; a
# description offers the word it describes.
#   offers_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR   (E2E_DB_FILE: the bundled db2.mdb)
set -u
. "$(dirname "$0")/lib.sh"
start_accessible_program "$@"
wait_for "the accessibility tree" atspi has "push button" "Slide the word tray out" || fail "no accessibility tree"

offers() { atspi items list "Offers" 2>/dev/null; }
first_offer_is() { [ "$(offers | head -n 1)" = "$1" ]; }
dismiss_box() {
    wait_for "$1" box_up || fail "no message box for $1"
    xdotool key Return
    wait_for "the box to close" box_gone || fail "the message box stayed"
}

# Typed at once after Ctrl+F, while the tray is still sliding down.
xdotool mousemove $((X + 200)) $((Y + 160)) click 1 # a bare part of the main window: it takes the keyboard
main_has_keyboard() { [ "$(xdotool getwindowfocus)" = "$MAIN" ]; }
wait_for "the keyboard on the main window" main_has_keyboard || fail "the main window did not take the keyboard"
xdotool key ctrl+f
xdotool type --delay 20 "recieve"
wait_for "the offers for recieve" first_offer_is "receive" || fail "the offers for 'recieve' read: $(offers | tr '\n' ',')"
xdotool key Down Return
dismiss_box "DATA FOUND"

# A long base-form offer reads whole, and its list is wide enough to show it.
xdotool key ctrl+a
xdotool type --delay 20 "hippopotami"
long="hippopotamus — base form of hippopotami"
wait_for "the offers for hippopotami" first_offer_is "$long" ||
    fail "the offers for 'hippopotami' read: $(offers | tr '\n' ',')"
list=$(xdotool search --onlyvisible --name '^Offers$' | head -n 1)
read -r _ _ list_width _ <<<"$(geometry "$list")"
[ "$list_width" -ge 260 ] || fail "the list is $list_width px wide for '$long'"

# Enter without choosing finds the typed text as ever; after "Data Not Found" the offers are back.
xdotool key ctrl+a
xdotool type --delay 20 "definately"
wait_for "the offers for definately" first_offer_is "definitely" || fail "no offers for 'definately'"
xdotool key Escape Return
dismiss_box "Data Not Found"
wait_for "the offers back" first_offer_is "definitely" || fail "the offers did not come back after Data Not Found"
atspi choose list "Offers" "definitely" || fail "the offer could not be chosen by its action"
dismiss_box "DATA FOUND"

# A description: the word it describes is offered with the sense it matched, and choosing it finds the entry.
xdotool key ctrl+a
xdotool type --delay 20 "fear of heights"
described() { offers | grep -q '^acrophobia — '; }
E2E_TIMEOUT=90 wait_for "the words for fear of heights" described || fail "the offers for 'fear of heights' read: $(offers | tr '\n' ',')"
atspi choose list "Offers" "$(offers | grep '^acrophobia — ')" || fail "the described word could not be chosen"
dismiss_box "DATA FOUND"
atspi press "push button" "Slide the word tray out"
shows_acrophobia() { [ "$(atspi text text "Word" 2>/dev/null)" = acrophobia ]; }
wait_for "the entry" shows_acrophobia || fail "the word box shows '$(atspi text text "Word")'"

close_program
echo "PASS: offers for misspellings and a description read, chosen with the keyboard and by their action; a long offer read whole"
