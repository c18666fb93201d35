#!/usr/bin/env bash
# Installs the program into a temporary root, as `cmake --install` does or as a Debian package of it unpacks, and
# starts it there under Xvfb from another directory through its bin/lexorant link.
#   installed_e2e.sh install BUILD_DIR
#   installed_e2e.sh package BUILD_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/xvfb.sh"
mode=$1 build=$2
WORK=$(mktemp -d)
root="$WORK/root"

if [ "$mode" = install ]; then
    cmake --install "$build" --prefix "$root/opt/lexorant" >"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; fail "install failed"; }
    prefix="$root/opt/lexorant"
else
    (cd "$WORK" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$WORK/package") >"$WORK/cpack.log" 2>&1 ||
        { cat "$WORK/cpack.log"; fail "cpack failed"; }
    deb=$(ls "$WORK"/package/lexorant_*.deb)
    echo "built $(basename "$deb")"
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    for needed in libqt6widgets6 libsqlite3-0 qt6-qpa-plugins fonts-liberation2; do
        grep -q "$needed" <<<"$depends" || fail "the package does not depend on $needed"
    done
    dpkg-deb -x "$deb" "$root"
    prefix="$root/usr"
fi

for f in bin/lexorant lib/lexorant/lexorant lib/lexorant/lexorant-jet-reader lib/lexorant/db2.mdb lib/lexorant/main.pts lib/lexorant/WORDNET-LICENSE \
         share/applications/example.lexorant.Lexorant.desktop share/metainfo/example.lexorant.Lexorant.metainfo.xml \
         share/icons/hicolor/48x48/apps/example.lexorant.Lexorant.png \
         share/icons/hicolor/scalable/apps/example.lexorant.Lexorant.svg; do
    [ -e "$prefix/$f" ] || fail "$f is not installed"
done

start_xvfb 1024x768x24
(cd / && exec "$prefix/bin/lexorant" >"$WORK/out.log" 2>&1) &
APP_PID=$!
wait_for "the main window" has_window Lexorant || { cat "$WORK/out.log"; fail "the installed program did not start"; }
read -r X Y _ _ <<<"$(geometry "$(window_id Lexorant)")"
grep -q "not found" "$WORK/out.log" && fail "the installed program misses its files: $(cat "$WORK/out.log")"
xdotool mousemove $((X + 298)) $((Y + 14)) click 1
wait_for "the program to end" bash -c "! kill -0 $APP_PID 2>/dev/null" || fail "the program did not end"
wait "$APP_PID" || fail "the installed program ended with status $?"
APP_PID=
echo "PASS: the $mode starts from $prefix/bin/lexorant"
