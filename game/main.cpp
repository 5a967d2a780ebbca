// Orbolo: the program entry.
#include "framework/display/KSystemTools.h"
#include "game/preferences.h"

#include <cstdio>

int main() {
    KSystemTools::InitModuleDirectory();
    ReadPreferences();
    std::printf("Orbolo: the rules are built and tested, but there is no window yet:\n"
                "the game is not playable in this build.\n");
    return 0;
}
