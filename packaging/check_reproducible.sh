#!/usr/bin/env bash
# Builds the release twice and compares the results bit for bit: the Debian
# packages from the tarball unpacked in two different folders (of different
# depth), the second build a minute or more after the first; and two CPack
# runs of an existing build. The first difference found is shown by
# diffoscope where installed. Takes two full builds of the game and server.
#   packaging/check_reproducible.sh BUILD_DIR [WORK_DIR]
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$(dirname "$0")/.." && pwd)
work=${2:-$(mktemp -d)}
fail() { echo "FAIL: $*" >&2; exit 1; }
differ() {
    command -v diffoscope >/dev/null && diffoscope "$1" "$2" | head -60 >&2
    fail "$1 and $2 differ"
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
cmake --build "$build" --target dist >/dev/null
tarball=$build/orbolo-$version.tar.xz

debian_build() {
    local dir=$1
    mkdir -p "$dir"
    cp "$tarball" "$dir/orbolo_$version.orig.tar.xz"
    tar -xJf "$tarball" -C "$dir"
    git -C "$source" archive --prefix=debian/ HEAD:debian | tar -xf - -C "$dir/orbolo-$version"
    (cd "$dir/orbolo-$version" && DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" \
        dpkg-buildpackage -us -uc -b >"$dir/build.log" 2>&1) || fail "dpkg-buildpackage in $dir: see $dir/build.log"
}
first=$work/first second=$work/second/in/a/deeper/folder
started=$(date +%s)
debian_build "$first"
while [ $(($(date +%s) - started)) -lt 60 ]; do sleep 5; done # a later minute, whatever the build took
debian_build "$second"
count=0
for deb in "$first"/*.deb "$first"/*.ddeb; do
    [ -e "$deb" ] || continue
    cmp -s "$deb" "$second/$(basename "$deb")" || differ "$deb" "$second/$(basename "$deb")"
    count=$((count + 1))
done
[ "$count" -ge 2 ] || fail "no packages built"
echo "ok: $count Debian packages bit-identical"

# Two CPack runs, dated by the last commit as a release would be.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$source" log -1 --format=%ct)}
for run in 1 2; do
    (cd "$build" && cpack -G DEB -B "$work/cpack$run" >/dev/null)
done
for deb in "$work"/cpack1/*.deb; do
    cmp -s "$deb" "$work/cpack2/$(basename "$deb")" || differ "$deb" "$work/cpack2/$(basename "$deb")"
done
echo "ok: CPack packages bit-identical"
