#include "verification_queue.h"

VerificationQueue::Queued VerificationQueue::Add(const std::string& source,
                                                 std::function<void()> job) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (stopping || waiting.size() >= mostWaiting) return Queued::Busy;
        size_t& held = perSource[source];
        if (held >= mostPerSource) return Queued::SourceBusy;
        ++held;
        waiting.push_back({source, std::move(job)});
        if (running) return Queued::Yes;
        running = true;
    }
    if (executor([this] { RunNext(); })) return Queued::Yes;
    std::lock_guard<std::mutex> lock(mutex);
    waiting.pop_back();
    if (--perSource[source] == 0) perSource.erase(source);
    running = false;
    idle.notify_all();
    return Queued::Busy;
}

void VerificationQueue::RunNext() {
    for (;;) {
        Job job;
        {
            std::lock_guard<std::mutex> lock(mutex);
            job = std::move(waiting.front());
            waiting.pop_front();
        }
        job.run();
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (--perSource[job.source] == 0) perSource.erase(job.source);
            if (waiting.empty()) {
                running = false;
                idle.notify_all();
                return;
            }
        }
        // The next replay goes to the back of the workers' line, so other
        // work is not starved behind a queue of replays; with no room
        // there it runs here.
        if (executor([this] { RunNext(); })) return;
    }
}

void VerificationQueue::Stop() {
    std::unique_lock<std::mutex> lock(mutex);
    stopping = true;
    idle.wait(lock, [this] { return !running; });
}
