// The browser's stand-ins for the system services: the page's clock, sleeps
// that hand the tab back to the browser (emscripten_sleep under ASYNCIFY,
// so the game's own loops keep their shape), and "open" as a new tab. The
// work that a thread would do elsewhere runs here, each time the game waits.
#include "framework/platform/platform_system.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {
namespace {

struct WaitTask {
    bool (*step)(void* owner);
    void* owner;
};

std::vector<WaitTask>& WaitTasks() {
    static std::vector<WaitTask> tasks;
    return tasks;
}

// Time spent handed back to the browser: what is left of the page's time is
// the game's own work on its one thread.
double sleptMilliseconds = 0;

void Sleep(double milliseconds) {
    const double before = emscripten_get_now();
    emscripten_sleep(milliseconds > 0 ? static_cast<unsigned>(milliseconds) : 0);
    sleptMilliseconds += emscripten_get_now() - before;
}

void RunWaitTasks() {
    // A task may remove itself: walk a copy.
    std::vector<WaitTask> now = WaitTasks();
    for (const WaitTask& task : now)
        if (!task.step(task.owner)) RemoveWaitTask(task.owner);
}

// clang-format off
// The page opens documents itself: a web address in a new tab, a file of the
// page's own file system (the tables' page) as a page made from its bytes.
EM_JS(int, OpenInNewTab, (const char* target), {
    let address = UTF8ToString(target);
    if (!/^https?:/.test(address)) {
        try {
            const bytes = FS.readFile(address);
            address = URL.createObjectURL(new Blob([bytes], {type: "text/html"}));
        } catch (e) {
            return 0;
        }
    }
    return window.open(address, "_blank") ? 1 : 0;
});
// clang-format on

} // namespace

std::string ExecutablePath() {
    // The data is packed at the root of the page's file system.
    return "/orbolo";
}

double MonotonicMilliseconds() {
    return emscripten_get_now();
}

void SleepMicroseconds(int64_t microseconds) {
    RunWaitTasks();
    Sleep(static_cast<double>(microseconds / 1000));
}

void SleepUntilMilliseconds(double deadlineMs) {
    RunWaitTasks();
    // Even an overdue frame yields once, or the page would never draw. A
    // browser's timer may fire a fraction of a millisecond early: the sleep
    // goes on until the deadline, so frames are never closer than paced.
    do {
        Sleep(std::ceil(deadlineMs - emscripten_get_now()));
    } while (emscripten_get_now() < deadlineMs);
}

double ProcessCpuMilliseconds() {
    // A page has no CPU clock: the game's thread is busy whenever it is not
    // sleeping (the browser's own drawing is not counted).
    return emscripten_get_now() - sleptMilliseconds;
}

void ReturnFreeMemory() {
    // The wasm heap only grows: there is nothing to hand back.
}

bool SpawnDetached(const char*, const char* target) {
    return OpenInNewTab(target) != 0;
}

void AddWaitTask(void* owner, bool (*step)(void* owner)) {
    RemoveWaitTask(owner);
    WaitTasks().push_back({step, owner});
}

void RemoveWaitTask(void* owner) {
    auto& tasks = WaitTasks();
    tasks.erase(std::remove_if(tasks.begin(), tasks.end(),
                               [owner](const WaitTask& t) { return t.owner == owner; }),
                tasks.end());
}

} // namespace platform
