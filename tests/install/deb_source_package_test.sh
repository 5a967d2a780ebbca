#!/usr/bin/env bash
# The release as a distribution takes it: the version the same everywhere it
# is written, the tarball made twice byte for byte, and the Debian source
# package built from it (nocheck) into the two binary packages: lintian
# (pedantic) silent on all of them, the server's unit never enabled or
# started, and the autopkgtest smoke test passing on the packages unpacked.
# Skipped without a git tree or Debian's packaging tools.
#   deb_source_package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in git dpkg-buildpackage dh lintian; do
    command -v $tool >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
git -C "$source" rev-parse --verify -q HEAD >/dev/null || { echo "skipped: not a git tree"; exit 77; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
debian_version=$(dpkg-parsechangelog -l "$source/debian/changelog" -SVersion)
[ "${debian_version%-*}" = "$version" ] || fail "debian/changelog is $debian_version, the project $version"
[ "$(dpkg-parsechangelog -l "$source/packaging/changelog" -SVersion)" = "$version" ] ||
    fail "packaging/changelog does not tell of $version"
grep -m1 '<release ' "$source/packaging/example.orbolo.Orbolo.metainfo.xml" | grep -qF "version=\"$version\"" ||
    fail "the metainfo's newest release is not $version"
cmp -s "$source/.reuse/dep5" "$source/debian/copyright" || fail "debian/copyright is not .reuse/dep5"

tarball=$build/orbolo-$version.tar.xz
cmake --build "$build" --target dist >/dev/null 2>&1
cp "$tarball" "$tarball.first"
cmake --build "$build" --target dist >/dev/null 2>&1
cmp "$tarball" "$tarball.first" || fail "two tarballs of the same commit differ"
rm "$tarball.first"

# A fixed folder, so that a compiler cache finds the last run's objects.
work=$build/debian-source
rm -rf "$work" && mkdir -p "$work"
ln -s "$tarball" "$work/orbolo_$version.orig.tar.xz"
tar -xJf "$tarball" -C "$work"
[ ! -e "$work/orbolo-$version/debian" ] || fail "the tarball holds debian/"
git -C "$source" archive --prefix=debian/ HEAD:debian | tar -xf - -C "$work/orbolo-$version"
if command -v ccache >/dev/null; then
    export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$work
fi
(cd "$work/orbolo-$version" &&
    DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" DEB_BUILD_PROFILES=nocheck dpkg-buildpackage -us -uc >"$work/build.log" 2>&1) ||
    fail "dpkg-buildpackage: $(tail -30 "$work/build.log")"
changes=$work/orbolo_${debian_version}_$(dpkg --print-architecture).changes
packages=$(sed -n 's/^Binary: //p' "$changes" | tr ' ' '\n' | grep -v -- '-dbgsym$' | xargs)
[ "$packages" = "orbolo orbolo-server" ] || fail "binary packages: $packages"
report=$(lintian --pedantic --display-info --fail-on error,warning,info,pedantic "$changes" 2>&1) ||
    fail "lintian: $report"

server_deb=$(echo "$work"/orbolo-server_*.deb)
# grep reads the whole listing: grep -q would stop dpkg-deb with a broken pipe.
dpkg-deb -c "$server_deb" | grep ' ./lib/systemd/system/orbolo-scored.service$' >/dev/null || fail "no unit in orbolo-server"
dpkg-deb -e "$server_deb" "$work/control"
# Started never; enabled again only where it was before an upgrade.
! grep -q deb-systemd-invoke "$work/control/postinst" &&
    grep -q 'deb-systemd-helper debian-installed' "$work/control/postinst" ||
    fail "the unit is enabled or started at install: $(cat "$work/control/postinst")"

root=$work/root
for deb in "$work"/orbolo_*.deb "$server_deb"; do dpkg-deb -x "$deb" "$root"; done
(cd "$work/orbolo-$version" && ORBOLO_ROOT=$root sh debian/tests/smoke) || fail "autopkgtest smoke test"
echo "ok: $(basename "$changes"), lintian silent, smoke test passed"
