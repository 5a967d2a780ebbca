# Debian's hardening: the flags dpkg-buildflags gives with every hardening
# feature on (stack protector, FORTIFY, format checks, RELRO and BIND_NOW),
# plus position-independent executables. The build type keeps its own -O and
# -g; the sanitizer and fuzz builds go without, as FORTIFY would hide what
# they look for. Builds on systems without dpkg-buildflags are unchanged.
# The source and build folders are mapped out of debug information and
# __FILE__, so builds in different folders make the same programs (dpkg's
# own map names the folder dpkg-buildflags runs in, not the source tree).
include(CheckPIESupported)
option(ORBOLO_HARDENING "Build with Debian's hardening flags" ON)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(ORBOLO_HARDENING AND DPKG_BUILDFLAGS AND NOT ORBOLO_SANITIZE AND NOT ORBOLO_TSAN AND NOT ORBOLO_FUZZ
   AND NOT CMAKE_BUILD_TYPE STREQUAL Debug)
    function(orbolo_buildflags kind out)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                                ${DPKG_BUILDFLAGS} --get ${kind}
                        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
        separate_arguments(flags UNIX_COMMAND "${flags}")
        list(FILTER flags EXCLUDE REGEX "^-g|^-O|^-ffile-prefix-map=")
        set(${out} ${flags} PARENT_SCOPE)
    endfunction()
    orbolo_buildflags(CPPFLAGS cppflags)
    orbolo_buildflags(CXXFLAGS cxxflags)
    orbolo_buildflags(LDFLAGS ldflags)
    add_compile_options(${cppflags} ${cxxflags} -ffile-prefix-map=${CMAKE_BINARY_DIR}=build
                        -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
    add_link_options(${ldflags})
    check_pie_supported(LANGUAGES C CXX)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()
