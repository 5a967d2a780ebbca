# orbolo_check_headless(target): stops the configure step when `target`, or
# anything it links, brings in a platform library (SDL, GL, X11, sound, curl,
# JPEG) or the framework that wraps them. The check runs once every folder
# has added its links.
function(orbolo_check_headless target)
    # A deferred call reads its variables when it runs: the name goes in now.
    cmake_language(EVAL CODE "cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]]
                   CALL _orbolo_check_headless_now [[${target}]])")
endfunction()

function(_orbolo_check_headless_now target)
    set(pending ${target})
    set(seen "")
    while(pending)
        list(POP_FRONT pending item)
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
        if(item IN_LIST seen)
            continue()
        endif()
        list(APPEND seen "${item}")
        string(TOLOWER "${item}" name)
        if(name MATCHES "sdl|opengl|libgl|glu|x11|vorbis|ogg|asound|pulse|curl|jpeg|orbolo_framework")
            message(FATAL_ERROR "${target} must run without a window, yet links ${item}")
        endif()
        if(TARGET ${item})
            foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
                get_target_property(links ${item} ${property})
                if(links)
                    list(APPEND pending ${links})
                endif()
            endforeach()
        endif()
    endwhile()
endfunction()
