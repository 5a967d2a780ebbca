#!/usr/bin/env bash
# Builds the Debian package with CPack and checks its control fields and
# contents without installing it; leaves it in BUILD_DIR/package/ for the
# install test.
#   deb_package_test.sh BUILD_DIR
set -euo pipefail
build=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -f "$build"/package/orbolo_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/package/orbolo_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single orbolo_*.deb"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = orbolo ] || fail "package name"
[ "$(field Section)" = games ] || fail "section"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ -n "$(field Description)" ] || fail "no description"
# Every library the programs link comes with a dependency on its package.
for program in orbolo orbolo-scored; do
    for soname in $(readelf -d "$build/$program" | sed -n 's/.*NEEDED.*\[\(.*\)\]/\1/p'); do
        # The package of the very file the program loads (a bare name could
        # also match another architecture's copy, such as /lib32's).
        path=$(ldd "$build/$program" | awk -v s="$soname" '$1 == s {print $3}')
        pkg=""
        for candidate in "$path" "$(readlink -f "$path")" "/usr$path" "${path#/usr}"; do
            pkg=$(dpkg -S "$candidate" 2>/dev/null | head -1 | cut -d: -f1 || true)
            [ -z "$pkg" ] || break
        done
        [ -n "$pkg" ] || fail "no package holds $soname"
        field Depends | grep -qwF "$pkg" || fail "Depends lacks $pkg ($soname): $(field Depends)"
    done
done

contents=$(dpkg-deb -c "$deb" | awk '{print $6 $7 $8}')
for path in ./usr/lib/orbolo/orbolo ./usr/lib/orbolo/orbolo-scored ./usr/lib/orbolo/prefs \
    ./usr/lib/orbolo/help.html ./usr/lib/orbolo/gfx/icon.tga ./usr/lib/orbolo/gfx/level010.dat \
    ./usr/lib/orbolo/snd/theme.ogg ./usr/share/applications/orbolo.desktop \
    ./usr/share/icons/hicolor/64x64/apps/orbolo.png \
    ./usr/bin/orbolo './usr/bin/orbolo-scored->../lib/orbolo/orbolo-scored'; do
    grep -qxF "$path" <<<"$contents" || fail "package lacks $path"
done
! grep -q "$build" <<<"$contents" || fail "package holds build-tree paths"
echo "ok: $(basename "$deb"), $(du -h "$deb" | cut -f1)"
