# The web build's outside libraries: built for the web from Debian's source
# packages (packaging/web/build_libraries.sh) into ORBOLO_WEB_LIBRARIES, and
# named like the desktop's pkg-config targets so the areas link them alike.
# GL, threads' headers and the C library come with emscripten itself; JPEG
# pictures are decoded by the browser (framework/platform/platform_jpeg_web.cpp).
set(ORBOLO_WEB_LIBRARIES "" CACHE PATH "Prefix holding the libraries built for the web")
if(NOT EXISTS "${ORBOLO_WEB_LIBRARIES}/lib/libSDL2.a")
    message(FATAL_ERROR "ORBOLO_WEB_LIBRARIES must name the prefix build_libraries.sh filled")
endif()

# web_library(TARGET INCLUDE_DIR LIBRARY...): an imported target whose
# headers come before emscripten's own (its SDL 1.2 headers among them).
function(web_library target include)
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    list(TRANSFORM ARGN PREPEND "${ORBOLO_WEB_LIBRARIES}/lib/")
    set_target_properties(${target} PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES "${ORBOLO_WEB_LIBRARIES}/${include}"
        IMPORTED_NO_SYSTEM ON
        INTERFACE_LINK_LIBRARIES "${ARGN}")
endfunction()

web_library(PkgConfig::SDL2 include/SDL2 libSDL2.a)
web_library(PkgConfig::VORBIS include libvorbis.a libogg.a)
web_library(PkgConfig::SQLITE include libsqlite3.a)
web_library(ZLIB::ZLIB include libzlib.a)
add_library(Threads::Threads INTERFACE IMPORTED GLOBAL)
# The prefix stands where /usr/include does on the desktop: headers that
# reach a target through another's (sqlite3.h through the tables) are found.
include_directories(${ORBOLO_WEB_LIBRARIES}/include)
