#!/usr/bin/env bash
# Builds the two Debian packages with CPack and checks them without
# installing: the same bytes from two runs, control fields, every linked
# library's package in Depends, none of the server's own libraries in the
# game's, the files each must hold, and
# lintian (when installed) with no error or warning. Leaves the packages in
# BUILD_DIR/package/ for the install test.
#   deb_package_test.sh BUILD_DIR
set -euo pipefail
build=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$build"/package/*.deb "$build/package/first"
(cd "$build" && cpack -G DEB >/dev/null)
game_deb=$(echo "$build"/package/orbolo_*.deb)
server_deb=$(echo "$build"/package/orbolo-server_*.deb)
[ -f "$game_deb" ] && [ -f "$server_deb" ] || fail "cpack made no orbolo and orbolo-server packages"
# A second run makes the same bytes: every file is dated by the last commit.
mkdir "$build/package/first" && mv "$game_deb" "$server_deb" "$build/package/first/"
(cd "$build" && cpack -G DEB >/dev/null)
for deb in "$game_deb" "$server_deb"; do
    cmp -s "$deb" "$build/package/first/$(basename "$deb")" || fail "two cpack runs differ: $(basename "$deb")"
done
rm -r "$build/package/first"

# The package of each library a program loads (its very file: a bare name
# could match another architecture's copy; /lib is /usr/lib on merged systems).
library_packages() {
    for soname in $(readelf -d "$1" | sed -n 's/.*NEEDED.*\[\(.*\)\]/\1/p'); do
        path=$(ldd "$1" | awk -v s="$soname" '$1 == s {print $3}')
        [ -n "$path" ] || continue # the dynamic loader, listed by its path: libc6's
        for candidate in "$path" "$(readlink -f "$path")" "/usr$path" "${path#/usr}"; do
            pkg=$(dpkg -S "$candidate" 2>/dev/null | head -1 | cut -d: -f1 || true)
            [ -z "$pkg" ] || break
        done
        echo "${pkg:?no package holds $soname}"
    done | sort -u
}
game_libs=$(library_packages "$build/orbolo")
server_libs=$(library_packages "$build/orbolo-scored")

# package | section | its program's libraries | libraries it must not depend on
while IFS='|' read -r deb section needed foreign; do
    name=$(dpkg-deb -f "$deb" Package)
    [ "$(dpkg-deb -f "$deb" Section)" = "$section" ] || fail "$name: section"
    [ -n "$(dpkg-deb -f "$deb" Maintainer)" ] && [ -n "$(dpkg-deb -f "$deb" Description)" ] ||
        fail "$name: maintainer or description"
    depends=$(dpkg-deb -f "$deb" Depends)
    for pkg in ${!needed}; do grep -qwF "$pkg" <<<"$depends" || fail "$name: Depends lacks $pkg: $depends"; done
    for pkg in $(comm -13 <(echo "${!needed}") <(echo "${!foreign}")); do
        ! grep -qwF "$pkg" <<<"$depends" || fail "$name depends on $pkg, which only the other program needs"
    done
    listing=$(dpkg-deb -c "$deb")
    ! grep -qF "$build" <<<"$listing" || fail "$name holds build-tree paths"
done <<CASES
$game_deb|games|game_libs|server_libs
$server_deb|net|server_libs|game_libs
CASES

game_files=$(dpkg-deb -c "$game_deb" | awk '{print $6}')
server_files=$(dpkg-deb -c "$server_deb" | awk '{print $6}')
for path in ./usr/games/orbolo ./usr/share/games/orbolo/prefs \
    ./usr/share/games/orbolo/gfx/icon.tga ./usr/share/games/orbolo/gfx/level010.dat \
    ./usr/share/games/orbolo/snd/theme.ogg ./usr/share/doc/orbolo/help.html \
    ./usr/share/doc/orbolo/copyright ./usr/share/doc/orbolo/changelog.gz ./usr/share/man/man6/orbolo.6.gz \
    ./usr/share/applications/example.orbolo.Orbolo.desktop \
    ./usr/share/metainfo/example.orbolo.Orbolo.metainfo.xml \
    ./usr/share/mime/packages/example.orbolo.Orbolo.xml \
    ./usr/share/icons/hicolor/scalable/apps/orbolo.svg ./usr/share/icons/hicolor/16x16/apps/orbolo.png; do
    grep -qxF "$path" <<<"$game_files" || fail "orbolo lacks $path"
done
for path in ./usr/sbin/orbolo-scored ./usr/share/man/man8/orbolo-scored.8.gz \
    ./usr/share/doc/orbolo-server/copyright ./usr/share/doc/orbolo-server/changelog.gz; do
    grep -qxF "$path" <<<"$server_files" || fail "orbolo-server lacks $path"
done
! grep -q orbolo-scored <<<"$game_files" || fail "the game's package holds the server"
# The systemd unit, when there is one, starts the program the package installs.
unit=$(grep '\.service$' <<<"$server_files" || true)
if [ -n "$unit" ]; then
    program=$(dpkg-deb --fsys-tarfile "$server_deb" | tar -xOf - "$unit" | sed -n 's/^ExecStart=[-@:+!]*\([^ ]*\).*/\1/p')
    grep -qxF ".$program" <<<"$server_files" || fail "$unit starts $program, which is not in orbolo-server"
fi

if command -v lintian >/dev/null; then
    report=$(lintian --fail-on error,warning "$game_deb" "$server_deb" 2>&1) || fail "lintian: $report"
fi
echo "ok: $(basename "$game_deb") $(du -h "$game_deb" | cut -f1), $(basename "$server_deb") $(du -h "$server_deb" | cut -f1)"
