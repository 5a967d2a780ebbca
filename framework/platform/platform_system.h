// Linux stand-ins for the kernel and shell services the system tools need:
// the executable's own path, a monotonic clock, sleeping, the desktop's
// "open" action and a last-resort message box on standard error.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

// Full path of the running executable ("" when it cannot be read).
std::string ExecutablePath();

// Milliseconds from CLOCK_MONOTONIC, as a double so callers choose the cut.
double MonotonicMilliseconds();

// Sleeps the calling thread for about the given microseconds.
void SleepMicroseconds(int64_t microseconds);
// Sleeps until MonotonicMilliseconds() reaches the deadline: an absolute
// timer, so neither the sleep's own overshoot nor an interruption moves it.
void SleepUntilMilliseconds(double deadlineMs);
// CPU time this process has used, all threads, in milliseconds.
double ProcessCpuMilliseconds();
// Hands freed heap pages back to the system, so that large short-lived
// buffers (decoded pictures) do not stay as the process's private memory.
void ReturnFreeMemory();

// Starts `program target` (found on PATH) without a shell and without
// waiting. Returns false when it could not be started.
bool SpawnDetached(const char* program, const char* target);

// Shows a modal message; falls back to standard error when no display can.
void ShowMessageBox(const char* caption, const char* text);

// A page in the browser runs on one thread. There, work that would have a
// thread of its own is a step that the sleeps above run each time the game
// waits, until it returns false or is removed; one task per owner.
#ifdef __EMSCRIPTEN__
constexpr bool kCanStartThreads = false;
#else
constexpr bool kCanStartThreads = true;
#endif
void AddWaitTask(void* owner, bool (*step)(void* owner));
void RemoveWaitTask(void* owner);

} // namespace platform
