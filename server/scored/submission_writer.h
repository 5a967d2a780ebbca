// Writes submissions in groups on the worker pool: whatever arrived while
// the last group was being written goes into the next transaction, so many
// submissions share one commit (and one sync to disk) and each answer
// still waits only for its own group. At most one group is written at a
// time; the entries waiting for it are bounded.
#pragma once
#include "score_backend.h"
#include "worker_pool.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

class SubmissionWriter {
  public:
    // Called on a worker once the entry's group is written.
    using Done = std::function<void(AddOutcome)>;

    SubmissionWriter(ScoreBackend& store, WorkerPool& pool);
    ~SubmissionWriter();

    // False when the writer is stopping, too many entries wait, or the
    // pool has no room: `done` is then never called.
    bool Enqueue(PendingEntry entry, Done done);
    // Takes no more entries and waits until the queued ones are written.
    void Stop();

  private:
    void WriteWhatWaits();

    ScoreBackend& store;
    WorkerPool& pool;
    std::mutex mutex;
    std::condition_variable idle;
    std::vector<PendingEntry> entries;
    std::vector<Done> dones;
    bool writing = false; // a job on the pool writes until nothing waits
    bool stopping = false;
};
