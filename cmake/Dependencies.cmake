# Every outside library, found once; targets use the PkgConfig:: names.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
pkg_check_modules(TURBOJPEG REQUIRED IMPORTED_TARGET libturbojpeg)
pkg_check_modules(VORBIS REQUIRED IMPORTED_TARGET vorbisfile vorbis ogg)
pkg_check_modules(VORBISENC REQUIRED IMPORTED_TARGET vorbisenc vorbisfile vorbis ogg)
pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
# The art generator finds the fonts it sets its letters in.
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
find_package(ZLIB REQUIRED) # recorded games are compressed
if(NOT ORBOLO_FUZZ)
    # The game keeps its own highscore tables in SQLite.
    pkg_check_modules(SQLITE REQUIRED IMPORTED_TARGET sqlite3)
endif()
if(ORBOLO_SERVER AND NOT ORBOLO_FUZZ)
    pkg_check_modules(LIBPQ REQUIRED IMPORTED_TARGET libpq)
    pkg_check_modules(MICROHTTPD REQUIRED IMPORTED_TARGET libmicrohttpd)
    pkg_check_modules(LIBCRYPTO REQUIRED IMPORTED_TARGET libcrypto) # game token signatures
endif()
if(BUILD_TESTING AND NOT ORBOLO_FUZZ)
    pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
    find_package(GTest REQUIRED)
endif()
