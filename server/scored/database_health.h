// Whether the database answered lately. After a failure (a refusal, a
// timeout) requests that need the database are answered "busy, try again"
// at once for a short while, and one request a while goes through to find
// out whether it is back; a success lets everyone through again. So a
// stalled database costs each client milliseconds, not a timeout each.
#pragma once
#include <atomic>
#include <cstdint>

class DatabaseHealth {
  public:
    // Seconds a client is told to wait before trying again.
    static constexpr int kRetryAfterSeconds = 1;

    // True while the database is well, and for one caller a probe interval
    // while it is not.
    bool MayTry();
    void Report(bool ok);

  private:
    // Monotonic ms before which nobody but the probe may try; 0: well.
    std::atomic<int64_t> closedUntilMs{0};
};
