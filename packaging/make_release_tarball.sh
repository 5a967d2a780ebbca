#!/usr/bin/env bash
# The release tarball of the last commit: orbolo-VERSION/ with the committed
# files, each dated by the commit, compressed by one xz thread (several
# threads would cut the stream into blocks differently). Changes not yet
# committed are left out, with a warning.
#   make_release_tarball.sh SOURCE_DIR VERSION OUTPUT.tar.xz
set -euo pipefail
source=$1 version=$2 output=$3

committed=$(git -C "$source" show HEAD:CMakeLists.txt |
    sed -n 's/^project(Orbolo VERSION \([^ ]*\) .*/\1/p')
[ "$committed" = "$version" ] || {
    echo "the last commit is version $committed, this build $version: reconfigure" >&2
    exit 1
}
[ -z "$(git -C "$source" status --porcelain --untracked-files=no)" ] ||
    echo "warning: changes not committed are not in $(basename "$output")" >&2
git -C "$source" archive --format=tar --prefix="orbolo-$version/" HEAD |
    xz -T1 -6 -c >"$output.part"
mv "$output.part" "$output"
echo "$output"
