# cmake --build build --target dist: the release tarball
# orbolo-VERSION.tar.xz of the committed tree (HEAD), in the build folder.
# The version is the one project() names; every file in the tarball carries
# the time of the last commit, so making it twice gives the same bytes.
find_package(Git QUIET)
if(GIT_FOUND)
    add_custom_target(dist
        COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/make_release_tarball.sh ${PROJECT_SOURCE_DIR}
                ${PROJECT_VERSION} ${CMAKE_BINARY_DIR}/orbolo-${PROJECT_VERSION}.tar.xz
        COMMENT "Making orbolo-${PROJECT_VERSION}.tar.xz from the last commit"
        VERBATIM)
endif()
