#!/usr/bin/env bash
# Builds the libraries the web build links (SDL2, libogg, libvorbis, zlib
# and SQLite) from Debian's own source packages with the emscripten toolchain,
# into one prefix. Each library is built once: a rerun finds its stamp and
# skips it. (JPEG pictures are decoded by the browser itself.)
#   bash build_libraries.sh FOLDER [LIBRARY...]   (default: all of them)
#   bash build_libraries.sh FOLDER --fetch        only fetch their sources
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
deps=$1
shift
wanted=${*:-sdl2 ogg vorbis zlib sqlite}
mkdir -p "$deps/src" "$deps/prefix/lib" "$deps/prefix/include"
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

# fetch PACKAGE: unpacks Debian's source of PACKAGE under src/ (once) and
# sets `src` to its folder. A download that breaks off is tried again from
# scratch; one that fails three times stops the build with apt's words.
fetch() {
    local try
    for try in 0 1 2 3; do
        src=$(find "$deps/src" -maxdepth 1 -type d -name "$1-*" | head -n 1)
        [ -n "$src" ] && [ -e "$src/debian/control" ] && return 0
        [ "$try" -lt 3 ] || break
        if [ "$try" -gt 0 ]; then
            echo "web libraries: fetching the source of $1 failed (try $try of 3)" >&2
            sleep "$try"
        fi
        rm -rf "$deps/src/$1-"* "$deps/src/${1}_"*
        (cd "$deps/src" && apt-get source -qq "$1" >"$deps/src/$1.log" 2>&1) || true
    done
    cat "$deps/src/$1.log" >&2
    exit 1
}

# Sources fetched ahead, so that a build started later needs neither the
# network nor apt.
if [ "$wanted" = --fetch ]; then
    for package in libsdl2 libogg libvorbis zlib sqlite3; do
        fetch "$package"
    done
    exit 0
fi

# record_checks CACHE SOURCE: the results of the configure checks in CACHE
# as a CMake script that presets them.
record_checks() {
    echo "# What $(basename "$2")'s configure checks found under emscripten $(emcc -dumpversion)."
    echo "# Made by packaging/web/build_libraries.sh (ORBOLO_WEB_RECORD_CHECKS=1 remakes it)."
    sed -n 's/^\(HAVE_[A-Za-z0-9_]*\|LIBC_IS_GLIBC\|STDC_HEADERS\):INTERNAL=\(1\|\)$/set(\1 "\2" CACHE INTERNAL "")/p' "$1"
}

# cmake_library NAME PACKAGE CMAKE_OPTIONS...: configures, builds and
# installs one CMake-built source package into the prefix.
cmake_library() {
    local name=$1 package=$2
    shift 2
    [[ " $wanted " == *" $name "* && ! -e "$deps/$name.stamp" ]] || return 0
    local src
    fetch "$package"
    echo "web libraries: building $name from $(basename "$src")"
    # The answers emscripten gives the library's configure checks, recorded
    # once: each check would otherwise compile and link a program, 1-2 s apiece.
    local checks=$here/${name}_checks.cmake recording=""
    if [ -e "$checks" ] && [ -z "${ORBOLO_WEB_RECORD_CHECKS:-}" ]; then
        set -- -C "$checks" "$@"
    else
        recording=yes
    fi
    emcmake cmake -S "$src" -B "$deps/obj/$name" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
        -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >"$deps/$name.log"
    [ -z "$recording" ] || record_checks "$deps/obj/$name/CMakeCache.txt" "$src" >"$checks"
    nice cmake --build "$deps/obj/$name" -j "$jobs" >>"$deps/$name.log"
    cmake --install "$deps/obj/$name" >>"$deps/$name.log"
    touch "$deps/$name.stamp"
}

# Only the parts the game uses: no SDL renderer, haptics, sensors, power,
# locale, URL opening or HID drivers (the browser has none of those to offer).
cmake_library sdl2 libsdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_RENDER=OFF \
    -DSDL_HAPTIC=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF -DSDL_LOCALE=OFF -DSDL_MISC=OFF -DSDL_HIDAPI=OFF

# sources_library NAME PACKAGE HEADERS: compiles the C files listed
# on standard input (relative to the package's source) into lib/libNAME.a
# and copies HEADERS (a folder or file glob under the source) into the
# prefix's include folder. For the small libraries
# whose CMake checks cannot run under emscripten (check_type_size).
sources_library() {
    local name=$1 package=$2 headers=$3
    [[ " $wanted " == *" $name "* && ! -e "$deps/$name.stamp" ]] || { cat >/dev/null; return 0; }
    local src objects=()
    fetch "$package"
    echo "web libraries: building $name from $(basename "$src")"
    mkdir -p "$deps/obj/$name"
    while read -r file; do
        local object=$deps/obj/$name/$(basename "$file" .c).o
        nice emcc -O2 -I"$prefix/include" -I"$src/include" -I"$src/lib" -c "$src/$file" -o "$object"
        objects+=("$object")
    done
    rm -f "$prefix/lib/lib$name.a"
    emar rcs "$prefix/lib/lib$name.a" "${objects[@]}"
    # shellcheck disable=SC2086 # HEADERS may be a glob
    (cd "$src/${headers%/*}" && cp -r ${headers##*/} "$prefix/include/")
    touch "$deps/$name.stamp"
}

# libogg's one configured header: the sizes of a 32-bit wasm target.
if [[ " $wanted " == *" ogg "* && ! -e "$deps/ogg.stamp" ]]; then
    fetch libogg
    ogg=$src
    sed -e 's/@INCLUDE_INTTYPES_H@/1/; s/@INCLUDE_STDINT_H@/1/; s/@INCLUDE_SYS_TYPES_H@/1/' \
        -e 's/@SIZE16@/int16_t/; s/@USIZE16@/uint16_t/; s/@SIZE32@/int32_t/' \
        -e 's/@USIZE32@/uint32_t/; s/@SIZE64@/int64_t/; s/@USIZE64@/uint64_t/' \
        "$ogg/include/ogg/config_types.h.in" >"$ogg/include/ogg/config_types.h"
fi
printf '%s\n' src/bitwise.c src/framing.c | sources_library ogg libogg include/ogg
# libvorbis and libvorbisfile in one archive, without the tuning programs.
fetch libvorbis
(cd "$src" && ls lib/*.c | grep -v -e barkmel -e tone -e psytune) |
    sources_library vorbis libvorbis include/vorbis
# zlib, for recorded games: its library sources without the gz file calls.
fetch zlib
(cd "$src" && ls ./*.c | grep -v -e example -e minigzip -e '/gz') |
    sources_library zlib zlib './z[cl]*.h'

# SQLite, for the tables a page keeps in the browser when no server serves
# it: its one-file form is generated natively (with tclsh) from Debian's
# source, then compiled for the web without threads or loadable extensions.
if [[ " $wanted " == *" sqlite "* && ! -e "$deps/sqlite.stamp" ]]; then
    fetch sqlite3
    echo "web libraries: building sqlite from $(basename "$src")"
    rm -rf "$deps/obj/sqlite" && mkdir -p "$deps/obj/sqlite"
    (cd "$deps/obj/sqlite" && "$src/configure" --disable-tcl >"$deps/sqlite.log" &&
        nice make -j "$jobs" sqlite3.c >>"$deps/sqlite.log" &&
        nice emcc -O2 -DSQLITE_THREADSAFE=0 -DSQLITE_OMIT_LOAD_EXTENSION -c sqlite3.c -o sqlite3.o &&
        emar rcs "$prefix/lib/libsqlite3.a" sqlite3.o &&
        cp sqlite3.h "$prefix/include/")
    touch "$deps/sqlite.stamp"
fi
