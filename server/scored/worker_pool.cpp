#include "worker_pool.h"

WorkerPool::WorkerPool(int count, size_t capacity) : capacity(capacity) {
    for (int i = 0; i < count; ++i)
        threads.emplace_back([this] { Work(); });
}

WorkerPool::~WorkerPool() {
    Stop();
}

bool WorkerPool::Post(Job job) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (stopping || jobs.size() >= capacity) return false;
        jobs.push_back(std::move(job));
    }
    wake.notify_one();
    return true;
}

size_t WorkerPool::Queued() {
    std::lock_guard<std::mutex> lock(mutex);
    return jobs.size();
}

void WorkerPool::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    for (std::thread& thread : threads)
        if (thread.joinable()) thread.join();
    threads.clear();
}

void WorkerPool::Work() {
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [this] { return stopping || !jobs.empty(); });
            if (jobs.empty()) return; // stopping with nothing left
            job = std::move(jobs.front());
            jobs.pop_front();
        }
        if (Clock::now() > job.deadline) {
            if (job.expired) job.expired();
        } else {
            job.run();
        }
    }
}
