#include "framework/display/KSystemTools.h"

#include "framework/platform/platform_system.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr size_t kPathSize = 260; // the joined path is cut at 259 characters

struct SystemState {
    char moduleDirectory[kPathSize] = "";
    bool haveDirectory = false; // the root directory's text is empty too
    char pathBuffer[kPathSize] = "";
    std::string installedData; // relative to the executable's directory
    void (*messagePump)() = nullptr;
    int32_t (*clockSource)() = nullptr;
    void (*messageSink)(const char*, const char*) = nullptr;
    std::string openProgram = "xdg-open";
} SYS;

int32_t RealMilliseconds() {
    // Truncate towards zero, then wrap into 32 bits like the counter would.
    double ms = std::trunc(platform::MonotonicMilliseconds());
    auto wide = static_cast<int64_t>(ms);
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(wide)));
}

} // namespace

void KSystemTools::SetModuleDirectoryFrom(const char* executablePath) {
    std::string path = executablePath ? executablePath : "";
    // Cut at the last separator; one at the very first position leaves the
    // root, whose directory text is empty so joined paths start with '/'.
    size_t cut = path.find_last_of('/');
    std::string directory = (cut == std::string::npos) ? path : path.substr(0, cut);
    std::snprintf(SYS.moduleDirectory, kPathSize, "%s", directory.c_str());
    SYS.haveDirectory = true;
}

void KSystemTools::InitModuleDirectory() {
    SetModuleDirectoryFrom(platform::ExecutablePath().c_str());
    if (SYS.installedData.empty()) return;
    std::string data = std::string(SYS.moduleDirectory) + "/" + SYS.installedData;
    std::error_code error;
    if (std::filesystem::is_directory(data, error)) {
        // A file name is added so that only that name is cut off again.
        SetModuleDirectoryFrom(
            (std::filesystem::path(data).lexically_normal().string() + "/x").c_str());
    }
}

void KSystemTools::SetInstalledDataDirectory(const char* relativeToExecutable) {
    SYS.installedData = relativeToExecutable ? relativeToExecutable : "";
}

const char* KSystemTools::GetModuleDirectory() {
    return SYS.moduleDirectory;
}

const char* KSystemTools::MakePath(const char* relative) {
    SYS.pathBuffer[0] = '\0';
    if (!SYS.haveDirectory) InitModuleDirectory();
    if (!relative) relative = "";
    if (relative[0] == '\\' || relative[0] == ':' || relative[0] == '/') relative++;
    // Longer results are cut at 259 characters.
    std::string joined = std::string(SYS.moduleDirectory) + "/" + relative;
    joined.copy(SYS.pathBuffer, kPathSize - 1);
    SYS.pathBuffer[std::min(joined.size(), kPathSize - 1)] = '\0';
    // Data paths are written with backslashes; Linux separates with '/'.
    for (char* c = SYS.pathBuffer; *c; ++c) {
        if (*c == '\\') *c = '/';
    }
    return SYS.pathBuffer;
}

int32_t KSystemTools::GetMilliseconds() {
    return SYS.clockSource ? SYS.clockSource() : RealMilliseconds();
}

void KSystemTools::Wait(int32_t milliseconds, bool processMessages) {
    int32_t start = GetMilliseconds();
    for (;;) {
        int32_t t = GetMilliseconds();
        if (processMessages && SYS.messagePump) SYS.messagePump();
        int32_t elapsed =
            static_cast<int32_t>(static_cast<uint32_t>(t) - static_cast<uint32_t>(start));
        if (elapsed >= milliseconds) break;
        // A millisecond's sleep at a time: messages keep flowing, the clock
        // is read again, and no core is burnt spinning (a sleep overshoots
        // by a tenth of a millisecond at most).
        platform::SleepMicroseconds(1000);
    }
}

void KSystemTools::ShowMessage(const char* caption, const char* text) {
    if (SYS.messageSink) {
        SYS.messageSink(caption, text);
        return;
    }
    platform::ShowMessageBox(caption, text);
}

void KSystemTools::OpenDocument(const char* target, bool maximized) {
    // The desktop's handler decides the window size; `maximized` has no
    // portable equivalent for xdg-open and is not passed on.
    (void)maximized;
    if (!target) return;
    platform::SpawnDetached(SYS.openProgram.c_str(), target);
}

void KSystemTools::SetMessagePump(void (*pump)()) {
    SYS.messagePump = pump;
}
void KSystemTools::SetClockSource(int32_t (*source)()) {
    SYS.clockSource = source;
}
void KSystemTools::SetMessageSink(void (*sink)(const char*, const char*)) {
    SYS.messageSink = sink;
}
void KSystemTools::SetOpenProgram(const char* program) {
    SYS.openProgram = program ? program : "xdg-open";
}
