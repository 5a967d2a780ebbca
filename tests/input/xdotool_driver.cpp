#include "xdotool_driver.h"

#include "framework/platform/platform_window.h"

#include <cstdlib>

void Xdotool(const std::string& arguments) {
    std::string command = "xdotool " + arguments + " >/dev/null 2>&1";
    [[maybe_unused]] int status = std::system(command.c_str());
}

void FocusWindow(const std::string& title) {
    Xdotool("search --sync --name '^" + title + "$' windowfocus");
    PollUntil([] {
        platform::PumpAllEvents();
        return platform::IsWindowFocused();
    });
}
