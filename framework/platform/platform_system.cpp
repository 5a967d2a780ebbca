#include "framework/platform/platform_system.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

std::string ExecutablePath() {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    return std::string(buffer, static_cast<size_t>(n));
}

double MonotonicMilliseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1.0e6;
}

void SleepMicroseconds(int64_t microseconds) {
    if (microseconds <= 0) return;
    timespec ts{static_cast<time_t>(microseconds / 1000000),
                static_cast<long>((microseconds % 1000000) * 1000)};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

void SleepUntilMilliseconds(double deadlineMs) {
    if (deadlineMs <= 0) return;
    // The kernel may wake a sleeper up to its timer slack late, 50 us by
    // default: a frame deadline wants it on time.
    static const bool tightSlack = prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0) == 0;
    (void)tightSlack;
    const double seconds = deadlineMs / 1000.0;
    timespec deadline{};
    deadline.tv_sec = static_cast<time_t>(seconds);
    deadline.tv_nsec = static_cast<long>((deadlineMs - deadline.tv_sec * 1000.0) * 1.0e6);
    if (deadline.tv_nsec >= 1000000000L) {
        deadline.tv_sec++;
        deadline.tv_nsec -= 1000000000L;
    }
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

double ProcessCpuMilliseconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1.0e6;
}

void ReturnFreeMemory() {
    malloc_trim(0);
}

bool SpawnDetached(const char* program, const char* target) {
    // The target goes to the program as one argument: no shell ever sees it,
    // so quotes, semicolons or $(...) in it run nothing.
    char* argv[] = {const_cast<char*>(program), const_cast<char*>(target), nullptr};
    pid_t child = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", 0, 0);
    int rc = posix_spawnp(&child, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    // Reap it if it has already finished; otherwise init does when we exit.
    waitpid(child, nullptr, WNOHANG);
    return true;
}

} // namespace platform
