# Where cmake --install and the Debian packages put things: Debian's games
# layout, relative to the prefix. The game's program sits apart from its data;
# it finds the data through the relative path computed here, so an installed
# tree can be moved as a whole and a build tree keeps its data beside the game.
# Distributions without a games folder (and Flatpak) choose bin and
# share/orbolo instead.
set(ORBOLO_INSTALL_PROGRAM_DIR games CACHE STRING "The game's folder under the prefix")
set(ORBOLO_INSTALL_DATA_DIR share/games/orbolo CACHE STRING "The game's data folder under the prefix")
set(ORBOLO_INSTALL_SERVER_DIR sbin)                 # orbolo-scored, for operators
set(ORBOLO_INSTALL_DOC_DIR share/doc/orbolo)        # help.html
file(RELATIVE_PATH ORBOLO_INSTALLED_DATA /prefix/${ORBOLO_INSTALL_PROGRAM_DIR}
     /prefix/${ORBOLO_INSTALL_DATA_DIR})
