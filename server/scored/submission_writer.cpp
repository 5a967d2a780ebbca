#include "submission_writer.h"

#include "access_log.h"

namespace {

// A group this large is written in well under a second; more waiting
// means the database cannot keep up, and the client is told to come back.
constexpr size_t kMostWaiting = 4096;

const char* OutcomeText(AddOutcome outcome) {
    switch (outcome) {
    case AddOutcome::Stored:
        return "stored";
    case AddOutcome::TrimmedAway:
        return "trimmed";
    case AddOutcome::Unasked:
        return "unasked";
    case AddOutcome::Failed:
        break;
    }
    return "failed";
}

} // namespace

SubmissionWriter::SubmissionWriter(ScoreBackend& store, WorkerPool& pool)
    : store(store), pool(pool) {}

SubmissionWriter::~SubmissionWriter() {
    Stop();
}

bool SubmissionWriter::Enqueue(PendingEntry entry, Done done) {
    std::lock_guard<std::mutex> lock(mutex);
    if (stopping || entries.size() >= kMostWaiting) return false;
    if (!writing) {
        // No deadline: once entries are taken, they are written.
        if (!pool.Post({[this] { WriteWhatWaits(); }, nullptr})) return false;
        writing = true;
    }
    entries.push_back(std::move(entry));
    dones.push_back(std::move(done));
    return true;
}

void SubmissionWriter::Stop() {
    std::unique_lock<std::mutex> lock(mutex);
    stopping = true;
    idle.wait(lock, [this] { return !writing; });
}

void SubmissionWriter::WriteWhatWaits() {
    std::vector<PendingEntry> group;
    std::vector<Done> groupDones;
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (entries.empty()) {
                writing = false;
                idle.notify_all();
                return;
            }
            group.swap(entries);
            groupDones.swap(dones);
        }
        std::vector<AddOutcome> outcomes = store.AddAll(group);
        std::string log;
        for (size_t i = 0; i < group.size(); ++i) {
            log +=
                AccessLogLine(group[i].submitted, group[i].address, group[i].submission.table,
                              std::to_string(group[i].submission.score), OutcomeText(outcomes[i]));
        }
        WriteAccessLog(log);
        for (size_t i = 0; i < group.size(); ++i)
            groupDones[i](outcomes[i]);
        group.clear();
        groupDones.clear();
    }
}
