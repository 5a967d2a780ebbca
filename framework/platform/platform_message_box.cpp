#include "framework/platform/platform_system.h"

#include <cstdio>

namespace platform {

// Until a window system is there to show a box, the message goes to standard
// error, where a player starting the game from a terminal sees it.
void ShowMessageBox(const char* caption, const char* text) {
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
}

} // namespace platform
