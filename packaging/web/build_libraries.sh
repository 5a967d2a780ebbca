#!/usr/bin/env bash
# Builds the libraries the web build links (SDL2, libogg, libvorbis,
# libjpeg-turbo's TurboJPEG and SQLite) from Debian's own source packages
# with the emscripten toolchain, into one prefix. Each library is built
# once: a rerun finds its stamp and skips it.
#   bash build_libraries.sh FOLDER [LIBRARY...]   (default: all of them)
set -euo pipefail

deps=$1
shift
wanted=${*:-sdl2 ogg vorbis jpeg sqlite}
mkdir -p "$deps/src" "$deps/prefix"
deps=$(cd "$deps" && pwd)
prefix=$deps/prefix
jobs=$(nproc)

# apt-get source needs a deb-src entry; Debian 12 images ship only deb ones.
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' \
        'Suites: bookworm bookworm-updates' 'Components: main' \
        'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
        $sudo tee /etc/apt/sources.list.d/orbolo-web-sources.sources >/dev/null
    $sudo apt-get update -qq
fi

# fetch PACKAGE: unpacks Debian's source of PACKAGE under src/, prints its folder.
fetch() {
    local found
    found=$(find "$deps/src" -maxdepth 1 -type d -name "$1-*" | head -n 1)
    if [ -z "$found" ]; then
        (cd "$deps/src" && apt-get source -qq "$1" >/dev/null 2>&1)
        found=$(find "$deps/src" -maxdepth 1 -type d -name "$1-*" | head -n 1)
    fi
    echo "$found"
}

# cmake_library NAME PACKAGE CMAKE_OPTIONS...: configures, builds and
# installs one CMake-built source package into the prefix.
cmake_library() {
    local name=$1 package=$2
    shift 2
    [[ " $wanted " == *" $name "* && ! -e "$deps/$name.stamp" ]] || return 0
    local src
    src=$(fetch "$package")
    echo "web libraries: building $name from $(basename "$src")"
    emcmake cmake -S "$src" -B "$deps/obj/$name" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
        -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >"$deps/$name.log"
    nice cmake --build "$deps/obj/$name" -j "$jobs" >>"$deps/$name.log"
    cmake --install "$deps/obj/$name" >>"$deps/$name.log"
    touch "$deps/$name.stamp"
}

cmake_library sdl2 libsdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
cmake_library ogg libogg -DINSTALL_DOCS=OFF
cmake_library vorbis libvorbis -DOGG_INCLUDE_DIR="$prefix/include" \
    -DOGG_LIBRARY="$prefix/lib/libogg.a"
cmake_library jpeg libjpeg-turbo -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=OFF -DWITH_TURBOJPEG=ON -DWITH_JAVA=OFF

# SQLite, for the tables a page keeps in the browser when no server serves
# it: its one-file form is generated natively (with tclsh) from Debian's
# source, then compiled for the web without threads or loadable extensions.
if [[ " $wanted " == *" sqlite "* && ! -e "$deps/sqlite.stamp" ]]; then
    src=$(fetch sqlite3)
    echo "web libraries: building sqlite from $(basename "$src")"
    rm -rf "$deps/obj/sqlite" && mkdir -p "$deps/obj/sqlite"
    (cd "$deps/obj/sqlite" && "$src/configure" --disable-tcl >"$deps/sqlite.log" &&
        nice make -j "$jobs" sqlite3.c >>"$deps/sqlite.log" &&
        nice emcc -O2 -DSQLITE_THREADSAFE=0 -DSQLITE_OMIT_LOAD_EXTENSION -c sqlite3.c -o sqlite3.o &&
        emar rcs "$prefix/lib/libsqlite3.a" sqlite3.o &&
        cp sqlite3.h "$prefix/include/")
    touch "$deps/sqlite.stamp"
fi
