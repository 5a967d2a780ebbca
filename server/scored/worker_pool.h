// A few threads for the server's blocking work (database calls, and any
// CPU-heavy job such as checking an uploaded game), so the HTTP event loops
// never wait for it. The queue is bounded: a job that does not fit is
// refused at once, and a job that waited past its deadline is told so
// instead of run. Under a stalled database or a flood, requests are then
// answered "busy, try again" quickly instead of piling up.
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class WorkerPool {
  public:
    using Clock = std::chrono::steady_clock;

    struct Job {
        std::function<void()> run;
        // Called instead of `run` when a worker takes the job after its
        // deadline: the client has waited long enough.
        std::function<void()> expired;
        Clock::time_point deadline = Clock::time_point::max();
    };

    WorkerPool(int threads, size_t capacity);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // False when the queue is full or the pool is stopping: the job is
    // dropped and neither of its functions is called.
    bool Post(Job job);
    // Jobs queued and not yet taken by a worker.
    size_t Queued();
    // Runs (or expires) what is queued, then ends the threads.
    void Stop();

  private:
    void Work();

    const size_t capacity;
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Job> jobs;
    bool stopping = false;
    std::vector<std::thread> threads;
};
