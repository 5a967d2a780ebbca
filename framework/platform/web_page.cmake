# The browser's variants, and how every program linking the framework
# becomes a page: its data packed beside it, WebGL through emscripten's
# emulation of fixed-function GL, and ASYNCIFY so that the game's frame
# loops (nested ones too) sleep by handing the tab back to the browser.
target_sources(orbolo_framework PRIVATE
    platform_system_web.cpp
    platform_pointer_web.cpp
    platform_http_web.cpp
    platform_gl_web.cpp
    platform_jpeg_web.cpp
)
target_link_libraries(orbolo_framework PUBLIC PkgConfig::SDL2)

# The data the native build generated: gfx/, snd/ and prefs.
set(ORBOLO_WEB_DATA "" CACHE PATH "Folder holding the generated gfx/, snd/ and prefs")
if(NOT EXISTS "${ORBOLO_WEB_DATA}/gfx")
    message(FATAL_ERROR "ORBOLO_WEB_DATA must name a native build folder with its data made")
endif()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/sdl_javascript.rsp
     "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=[$autoResumeAudioContext,$dynCall]\n")
target_link_options(orbolo_framework INTERFACE
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
    -sLEGACY_GL_EMULATION=1 -sMAX_WEBGL_VERSION=2 -sMIN_WEBGL_VERSION=2
    -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB -sENVIRONMENT=web -sEXIT_RUNTIME=1
    -sEXPORTED_RUNTIME_METHODS=FS,ENV -lidbfs.js
    # SDL's audio calls these from its own JavaScript; their names begin with
    # a dollar sign, which reaches emcc unharmed only from a file.
    @${CMAKE_CURRENT_BINARY_DIR}/sdl_javascript.rsp
    "SHELL:--preload-file ${ORBOLO_WEB_DATA}/gfx@/gfx"
    "SHELL:--preload-file ${ORBOLO_WEB_DATA}/snd@/snd"
    "SHELL:--preload-file ${ORBOLO_WEB_DATA}/prefs@/prefs")
