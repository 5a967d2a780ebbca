# Where cmake --install and the Debian packages put things: Debian's games
# layout, relative to the prefix. The game's program sits apart from its data;
# it finds the data through the relative path computed here, so an installed
# tree can be moved as a whole and a build tree keeps its data beside the game.
set(ORBOLO_INSTALL_GAMES_DIR games)                 # what players start
set(ORBOLO_INSTALL_PROGRAM_DIR lib/games/orbolo)    # the game's own program
set(ORBOLO_INSTALL_DATA_DIR share/games/orbolo)     # gfx/, snd/, prefs
set(ORBOLO_INSTALL_SERVER_DIR sbin)                 # orbolo-scored, for operators
set(ORBOLO_INSTALL_DOC_DIR share/doc/orbolo)        # help.html, copyright, changelog
file(RELATIVE_PATH ORBOLO_INSTALLED_DATA /prefix/${ORBOLO_INSTALL_PROGRAM_DIR}
     /prefix/${ORBOLO_INSTALL_DATA_DIR})
file(RELATIVE_PATH ORBOLO_LAUNCHER_TO_PROGRAM /prefix/${ORBOLO_INSTALL_GAMES_DIR}
     /prefix/${ORBOLO_INSTALL_PROGRAM_DIR})
file(RELATIVE_PATH ORBOLO_LAUNCHER_TO_SERVER /prefix/${ORBOLO_INSTALL_GAMES_DIR}
     /prefix/${ORBOLO_INSTALL_SERVER_DIR})
