#!/usr/bin/env bash
# Builds the game for the browser into build-web/: index.html, orbolo.js,
# orbolo.wasm and orbolo.data (the data the native build's generators made).
# Libraries come from Debian's source packages, built once into
# build-web-libs/ beside it; nothing is fetched from anywhere but Debian.
#   bash packaging/web/build_web.sh   (installs the tools it lacks first)
# In two steps: "build_web.sh prepare" installs the tools, fetches the
# sources and makes the data (network, apt, the native build); then
# "build_web.sh compile" needs none of them, and may run beside tests.
# ORBOLO_BUILD_DIR names the native build (default build/), ORBOLO_WEB_DIR
# the output (default build-web/).
set -euo pipefail

here=$(cd "$(dirname "$0")/../.." && pwd)
native=${ORBOLO_BUILD_DIR:-$here/build}
out=${ORBOLO_WEB_DIR:-$here/build-web}
libs=$out-libs
objects=$out-objects

# emscripten's JavaScript optimizer needs Debian's node modules (acorn), which
# a node from outside Debian would not look for.
export NODE_PATH=${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs

step=${1:-all}
if [ "$step" != compile ]; then
    bash "$here/deps/install_missing.sh" web
    bash "$here/packaging/web/build_libraries.sh" "$libs" --fetch
    # The data is the same as the desktop's: made natively by our generators.
    [ -e "$native/CMakeCache.txt" ] ||
        cmake -S "$here" -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$native" -j "$(nproc)" --target orbolo_data
fi
[ "$step" != prepare ] || exit 0

bash "$here/packaging/web/build_libraries.sh" "$libs"
emcmake cmake -S "$here" -B "$objects" -DCMAKE_BUILD_TYPE=Release -DORBOLO_HARDENING=OFF \
    -DCMAKE_EXECUTABLE_SUFFIX=.js -DORBOLO_WEB_LIBRARIES="$libs/prefix" \
    -DORBOLO_WEB_DATA="$native" >/dev/null
cmake --build "$objects" -j "$(nproc)" --target orbolo

mkdir -p "$out"
cp "$objects/orbolo.js" "$objects/orbolo.wasm" "$objects/orbolo.data" "$out/"
cp "$here/framework/platform/platform_page_web.html" "$out/index.html"
echo "web build: $out"
