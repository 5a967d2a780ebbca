#!/usr/bin/env bash
# cmake --install into a throw-away root, in Debian's games layout: the
# game in games/, its data in
# share/games/orbolo/ (the build's data, every file), the server in sbin/;
# desktop entry, AppStream metainfo, icons at every size, manual pages and
# the server's unit where the desktop and systemd look; none of the files
# only a Debian package carries. With a display,
# the installed game is started and must find its data there.
#   install_layout_test.sh BUILD_DIR
set -euo pipefail
build=$1
root=$(mktemp -d)
game=""
trap '[ -z "$game" ] || { kill "$game"; wait "$game"; } 2>/dev/null; rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$root cmake --install "$build" --prefix /usr --strip >/dev/null
usr=$root/usr
data=$usr/share/games/orbolo
for f in games/orbolo sbin/orbolo-scored; do
    [ -x "$usr/$f" ] || fail "$f missing"
    ! ldd "$usr/$f" 2>/dev/null | grep 'not found' || fail "$f lacks a library"
done
for d in gfx snd; do diff -r "$build/$d" "$data/$d" >/dev/null || fail "$d/ differs from the build's"; done
cmp -s "$build/prefs" "$data/prefs" || fail "prefs differs from the build's"
cmp -s "$build/help.html" "$usr/share/doc/orbolo/help.html" || fail "help.html not in share/doc/orbolo"
! find "$usr/games" -type f -name '*.html' -o -name '*.tga' | grep . ||
    fail "data beside the programs"

# Desktop entry and metainfo: valid, and the same application id.
id=example.orbolo.Orbolo
desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "metainfo: $(appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml")"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$usr/share/metainfo/$id.metainfo.xml" ||
    fail "metainfo does not launch $id.desktop"
# Replays open in the game: the file type is known by name and by content,
# and the entry takes the file it is given.
grep -qx 'MimeType=application/x-orbolo-replay;' "$usr/share/applications/$id.desktop" &&
    grep -qx 'Exec=orbolo %f' "$usr/share/applications/$id.desktop" || fail "desktop entry takes no replay"
mime=$(mktemp -d)
cp -r "$usr/share/mime/packages" "$mime/" && update-mime-database "$mime" || fail "MIME type file"
grep -qx '50:application/x-orbolo-replay:\*.orbolo-replay' "$mime/globs2" || fail "no replay glob: $(cat "$mime/globs2")"
grep -qa 'application/x-orbolo-replay' "$mime/magic" || fail "no replay magic"
rm -rf "$mime"
icon=$(sed -n 's/^Icon=//p' "$usr/share/applications/$id.desktop")
for size in 16 32 48 64 128 256; do
    png=$usr/share/icons/hicolor/${size}x$size/apps/$icon.png
    [ "$(identify -format '%wx%h %[channels]' "$png")" = "${size}x$size srgba" ] ||
        fail "$png: $(identify "$png" 2>&1)"
done
[ -s "$usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon"

# Manual pages render without a warning and carry the project's version.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
for page in man6/orbolo.6.gz man8/orbolo-scored.8.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$usr/share/man/$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
    zcat "$usr/share/man/$page" | head -1 | grep -qF "\"Orbolo $version\"" || fail "$page: not version $version"
done
# What only a Debian package carries stays out of the upstream install.
debian_only=$(cd "$root" && find . -path '*/doc/*/copyright' -o -name 'changelog*.gz' -o -path '*/lintian/*' \
    -o -path '*/doc-base/*')
[ -z "$debian_only" ] || fail "Debian's own files in the upstream install: $debian_only"
unit_dir=$(sed -n 's/^ORBOLO_SYSTEMD_UNIT_DIR:PATH=//p' "$build/CMakeCache.txt")
case $unit_dir in /*) unit_dir=$root$unit_dir ;; *) unit_dir=$usr/$unit_dir ;; esac
[ -f "$unit_dir/orbolo-scored.service" ] || fail "the unit is not in $unit_dir"

# The installed game, started under a display, finds its data (without it,
# it ends at once): its first screen shows more than black.
if [ -n "${DISPLAY:-}" ]; then
    export XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data
    mkdir -p "$XDG_CONFIG_HOME/orbolo"
    printf '\1\0\0\0\0\0\0\0' >"$XDG_CONFIG_HOME/orbolo/prefs"
    "$usr/games/orbolo" --windowed &
    game=$!
    shown=""
    for _ in $(seq 600); do
        kill -0 "$game" 2>/dev/null || fail "the installed game ended: its data was not found"
        window=$(xdotool search --pid "$game" --name ORBOLO 2>/dev/null | head -1 || true)
        if [ -n "$window" ] && [ "$(import -window "$window" -format '%[fx:mean>0.05]' info: 2>/dev/null)" = 1 ]; then
            shown=1
            break
        fi
        sleep 0.1
    done
    [ -n "$shown" ] || fail "the installed game showed nothing in a minute"
fi
echo "ok: $(du -sh "$usr" | cut -f1) installed"
