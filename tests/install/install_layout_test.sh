#!/usr/bin/env bash
# cmake --install into a throw-away root: the game sits with all its data in
# lib/orbolo/, bin/'s launcher starts it from there (and nothing else) and
# bin/'s server link resolves to it (as the
# programs' own /proc/self/exe lookup does), and the desktop entry and icon
# are where menus look.
#   install_layout_test.sh BUILD_DIR
set -euo pipefail
build=$1
root=$(mktemp -d)
server=""
export XDG_DATA_HOME=$root/data
trap 'if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; fi; rm -rf "$root"' EXIT

DESTDIR=$root cmake --install "$build" --prefix /usr --strip >/dev/null
app=$root/usr/lib/orbolo

fail() { echo "FAIL: $*" >&2; exit 1; }

for f in orbolo orbolo-scored; do [ -x "$app/$f" ] || fail "$app/$f missing"; done
# The data beside the executable is the build's data, every file of it.
for d in gfx snd; do diff -r "$build/$d" "$app/$d" >/dev/null || fail "$d/ differs from the build's"; done
cmp -s "$build/prefs" "$app/prefs" || fail "prefs differs from the build's"
cmp -s "$build/help.html" "$app/help.html" || fail "help.html differs from the build's"

[ -L "$root/usr/bin/orbolo-scored" ] || fail "bin/orbolo-scored is not a link"
[ "$(readlink -f "$root/usr/bin/orbolo-scored")" = "$(readlink -f "$app/orbolo-scored")" ] ||
    fail "bin/orbolo-scored points elsewhere"
[ -x "$root/usr/bin/orbolo" ] || fail "no launcher"

# The launcher, started without a display: the game refuses to run unseen,
# says why, and leaves no process behind.
! env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/orbolo" 2>"$root/game.err" ||
    fail "the game ran without a display"
grep -q "no display" "$root/game.err" || fail "the game did not say why it stopped: $(cat "$root/game.err")"
! pgrep -f "^$app/" >/dev/null || fail "the launcher left a process running: $(pgrep -af "^$app/")"

# Started through the link, a program sees its real path in /proc/self/exe.
"$root/usr/bin/orbolo-scored" --listen 127.0.0.1:0 --db "$root/scores.db" >"$root/scored.out" &
server=$!
for _ in $(seq 50); do grep -q listening "$root/scored.out" && break; sleep 0.1; done
grep -q listening "$root/scored.out" || fail "installed orbolo-scored did not start"
[ "$(readlink "/proc/$server/exe")" = "$(readlink -f "$app/orbolo-scored")" ] ||
    fail "/proc/self/exe of a program started through bin/ is not in lib/orbolo/"

# No library is missing for the installed programs (no build-tree RPATH left to lean on).
for f in orbolo orbolo-scored; do
    ! ldd "$app/$f" | grep -q 'not found' || fail "$f: $(ldd "$app/$f" | grep 'not found')"
done

desktop=$root/usr/share/applications/orbolo.desktop
[ -f "$desktop" ] || fail "no desktop entry"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop entry does not validate"
fi
grep -qx 'Exec=orbolo' "$desktop" || fail "desktop entry does not start bin/orbolo"
grep -qx 'Icon=orbolo' "$desktop" || fail "desktop entry names another icon"
grep -qx 'Categories=Game;LogicGame;' "$desktop" || fail "desktop entry categories"
icon=$root/usr/share/icons/hicolor/64x64/apps/orbolo.png
[ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "icon is not a PNG"
echo "ok: $(du -sh "$root/usr" | cut -f1) installed"
