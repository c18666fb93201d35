#!/usr/bin/env bash
# An outline of more rectangles than one X request holds (a checkerboard of 1 x 1 pixels, 32,865 of them) on the
# main window and the word tray: both show with their whole outline.
#   outline_e2e.sh PROGRAM WORDNET2DB WORDLIST REGIONDIR
set -u
checker=$(mktemp --suffix=.pts)
# A 32-byte header (size, type, count, bytes, bounds), then one 16-byte rectangle per black square of 313 x 210.
python3 - "$checker" <<'PY'
import struct, sys
rects = [(x, y, x + 1, y + 1) for y in range(210) for x in range(313) if (x + y) % 2 == 0]
head = struct.pack('<8i', 32, 1, len(rects), 16 * len(rects), 0, 0, 313, 210)
open(sys.argv[1], 'wb').write(head + b''.join(struct.pack('<4i', *r) for r in rects))
PY
export E2E_REGIONS="main.pts=$checker lh.pts=$checker" E2E_NO_SHADING_CHECK=1
. "$(dirname "$0")/lib.sh"
start_program "$@"
rm -f "$checker"

extents() { xwininfo -shape -id "$1" | awk '/Window shape extents:/ {split($4, g, "+"); print g[1]}'; }
# The shading shows on the squares that are in (x + y even) and the screen's black between them.
in_and_out() {
    [ "$(pixel $((X + 156)) $((Y + 150)))" = "215,215,215" ] && [ "$(pixel $((X + 261)) $((Y + 151)))" = "50,50,50" ] &&
        [ "$(pixel $((X + 157)) $((Y + 150)))" = "0,0,0" ]
}
wait_for "the main window's checkerboard" in_and_out ||
    fail "the main window's outline is not whole: extents $(extents "$MAIN"), pixels $(pixel $((X + 156)) $((Y + 150))) $(pixel $((X + 157)) $((Y + 150)))"
[ "$(extents "$MAIN")" = "313x210" ] || fail "the main window's outline extents are $(extents "$MAIN")"

xdotool mousemove $((X + 9)) $((Y + 47)) click 1
wait_for "the word tray out" tray_at $((X - 232)) $((Y + 7)) || fail "the word tray did not slide out"
tray=$(for w in $(xdotool search --onlyvisible --name '^Form1$'); do
    read -r tx ty _ _ <<<"$(geometry "$w")"
    [ "$tx" = $((X - 232)) ] && echo "$w"
done | head -n 1)
[ "$(extents "$tray")" = "313x210" ] || fail "the word tray's outline extents are $(extents "$tray")"
[ "$(pixel $((X - 232 + 12)) $((Y + 7 + 101)))" = "0,0,0" ] || fail "the word tray shows where its outline has a hole"
close_program
echo "PASS: outlines of 32,865 rectangles show whole on the main window and a tray"
