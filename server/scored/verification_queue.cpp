#include "verification_queue.h"

VerificationQueue::Queued VerificationQueue::Add(const std::string& source,
                                                 std::function<void()> job) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (waiting.size() >= mostWaiting) return Queued::Busy;
        size_t& held = perSource[source];
        if (held >= mostPerSource) return Queued::SourceBusy;
        ++held;
        waiting.push_back({source, std::move(job)});
        if (running) return Queued::Yes;
        running = true;
    }
    executor([this] { RunNext(); });
    return Queued::Yes;
}

void VerificationQueue::RunNext() {
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
            return;
        }
    }
    // The next job goes to the back of the workers' line, so other work is
    // not starved behind a long queue of replays.
    executor([this] { RunNext(); });
}
