#include "xdotool_driver.h"

#include "framework/platform/platform_window.h"

#include <chrono>
#include <cstdlib>
#include <thread>

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

bool PollUntil(const std::function<bool()>& condition) {
    // Generous for a loaded machine; a passing test returns far sooner.
    for (int i = 0; i < 2000; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}
