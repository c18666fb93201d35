#!/usr/bin/env bash
# Slides the word and meaning trays out from under the main window, steps with Next, slides the find tray down and
# finds a word with Alt+F, reading the boxes back as a user would. With E2E_WM=openbox it runs under a window
# manager; either way the main window must stay in front of the trays while they slide and after.
#   slide_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
set -u
. "$(dirname "$0")/lib.sh"
start_program "$@"
echo "main window at $X,$Y (window manager: ${E2E_WM:-none})"

# A point of the main window that the word tray passes under at the start of its slide, and what the main window
# shows there.
under_x=$((X + 100))
under_y=$((Y + 120))
main_pixel=$(pixel "$under_x" "$under_y")
main_in_front() { [ "$(pixel "$under_x" "$under_y")" = "$main_pixel" ]; }

# The word tray: out to M.left - 3480 twips (116 steps of 30), 7 pixels below the main window's top. While it
# slides, the main window stays in front of it.
xdotool mousemove $((X + 9)) $((Y + 47)) click 1
in_front_while_sliding() {
    main_in_front || fail "a tray came in front of the main window during its slide"
    tray_at $((X - 232)) $((Y + 7))
}
wait_for "the word tray out" in_front_while_sliding || fail "the word tray did not slide out"
main_in_front || fail "the word tray stands in front of the main window"

# The meaning tray: out to M.left + 4515 twips (151 steps of 30).
xdotool mousemove $((X + 303)) $((Y + 48)) click 1
wait_for "the meaning tray out" tray_at $((X + 302)) $((Y + 7)) || fail "the meaning tray did not slide out"
main_in_front || fail "the meaning tray came in front of the main window"
if [ "${E2E_WM:-}" = openbox ]; then
    # The window manager's own stacking list, bottom to top: the main window above both trays.
    stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
    main_frame=$(printf '0x%x' "$MAIN")
    last=$(echo "$stacking" | tr ' ' '\n' | grep -n -i -x "$main_frame" | cut -d: -f1)
    total=$(echo "$stacking" | wc -w)
    { [ -n "$last" ] && [ "$last" = "$total" ]; } || fail "the window manager stacks a tray above the main window: $stacking"
    # Neither tray has a place in a taskbar or a window switcher.
    for client in $(xprop -root _NET_CLIENT_LIST | sed 's/.*# //; s/,//g'); do
        [ "$((client))" = "$MAIN" ] && continue
        state=$(xprop -id "$client" _NET_WM_STATE)
        case "$state" in
        *_NET_WM_STATE_SKIP_TASKBAR*_NET_WM_STATE_SKIP_PAGER* | *_NET_WM_STATE_SKIP_PAGER*_NET_WM_STATE_SKIP_TASKBAR*) ;;
        *) fail "a tray would show in the taskbar or a switcher: $state" ;;
        esac
    done
fi

# Next: the second word and its meaning show in the trays' boxes.
xdotool mousemove $((X + 160)) $((Y + 100)) click 1
word_box() { box_text $((X - 232 + 60)) $((Y + 7 + 60)); }
meaning_box() { box_text $((X + 302 + 60)) $((Y + 7 + 60)); }
[ "$(word_box)" = "banana" ] || fail "the word box shows '$(word_box)' after Next"
meaning_box | grep -q "crescent-shaped" || fail "the meaning box shows '$(meaning_box)' after Next"

# The find tray: down to M.top + M.height - 100 twips; type a word in another letter case, press Alt+F.
xdotool mousemove $((X + 16)) $((Y + 205)) click 1
wait_for "the find tray down" tray_at $((X + 10)) $((Y + 204)) || fail "the find tray did not slide down"
xdotool mousemove $((X + 10 + 140)) $((Y + 204 + 60)) click 1
xdotool type --delay 20 "CHERRY"
xdotool key alt+f
wait_for "the DATA FOUND box" box_up || fail "Alt+F did not find"
xdotool key Return
wait_for "the box to close" box_gone || fail "the message box stayed"
[ "$(word_box)" = "cherry" ] || fail "the word box shows '$(word_box)' after the find"
meaning_box | grep -q "hard stone" || fail "the meaning box shows '$(meaning_box)' after the find"
# Clicking into a tray's box brings that tray forward (a window manager raises what is clicked); the next slide
# brings the main window back in front, step by step.
xdotool mousemove $((X + 30)) $((Y + 205)) click 1   # find tray up
find_gone() { ! tray_at $((X + 10)) $((Y + 204)) && ! tray_at $((X + 10)) "$Y"; }
wait_for "the find tray to slide up" find_gone || fail "the find tray did not slide up"
main_in_front || fail "a tray stands in front of the main window after a slide"

close_program
echo "PASS: trays slid out under the main window, Next and Alt+F filled the boxes"
