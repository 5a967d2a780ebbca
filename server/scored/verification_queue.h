// Recorded games waiting to be replayed. The rules keep their state
// program-wide, so one replay runs at a time: the queue hands its jobs to
// the server's worker pool one after another, never holding more than one
// worker, and bounds what may wait, in all and per source.
#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>

class VerificationQueue {
  public:
    // Runs a job on one of the server's workers; false when it has no room.
    using Executor = std::function<bool(std::function<void()>)>;

    VerificationQueue(Executor executor, size_t mostWaiting, size_t mostPerSource)
        : executor(std::move(executor)), mostWaiting(mostWaiting), mostPerSource(mostPerSource) {}

    enum class Queued { Yes, Busy, SourceBusy };
    // Queues `job` for `source`; Busy when the queue (or the pool) is full,
    // SourceBusy when that source already has its share waiting or running.
    Queued Add(const std::string& source, std::function<void()> job);
    // Takes no more jobs and waits until the queued ones have run.
    void Stop();

  private:
    void RunNext();

    struct Job {
        std::string source;
        std::function<void()> run;
    };
    Executor executor;
    const size_t mostWaiting, mostPerSource;
    std::mutex mutex;
    std::condition_variable idle;
    std::deque<Job> waiting;
    std::map<std::string, size_t> perSource; // waiting or running
    bool running = false;
    bool stopping = false;
};
