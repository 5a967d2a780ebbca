// Writes submissions in groups: whatever arrived while the last group was
// being written goes into the next transaction, so many submissions share
// one commit and each answer still waits only for its own group.
#pragma once
#include "score_backend.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class SubmissionWriter {
  public:
    // Called on the writer thread once the entry's group is written.
    using Done = std::function<void(AddOutcome)>;

    explicit SubmissionWriter(ScoreBackend& store);
    ~SubmissionWriter();

    // False once the writer is stopping; `done` is then never called.
    bool Enqueue(PendingEntry entry, Done done);
    // Writes what is queued, then ends the thread.
    void Stop();

  private:
    void Run();

    ScoreBackend& store;
    std::mutex mutex;
    std::condition_variable wake;
    std::vector<PendingEntry> entries;
    std::vector<Done> dones;
    bool stopping = false;
    std::thread thread;
};
