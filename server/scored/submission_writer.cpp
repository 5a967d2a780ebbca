#include "submission_writer.h"

#include "access_log.h"

namespace {

const char* OutcomeText(AddOutcome outcome) {
    switch (outcome) {
    case AddOutcome::Stored:
        return "stored";
    case AddOutcome::TrimmedAway:
        return "trimmed";
    case AddOutcome::Failed:
        break;
    }
    return "failed";
}

} // namespace

SubmissionWriter::SubmissionWriter(ScoreBackend& store) : store(store) {
    thread = std::thread([this] { Run(); });
}

SubmissionWriter::~SubmissionWriter() {
    Stop();
}

bool SubmissionWriter::Enqueue(PendingEntry entry, Done done) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (stopping) return false;
        entries.push_back(std::move(entry));
        dones.push_back(std::move(done));
    }
    wake.notify_one();
    return true;
}

void SubmissionWriter::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_one();
    if (thread.joinable()) thread.join();
}

void SubmissionWriter::Run() {
    std::vector<PendingEntry> group;
    std::vector<Done> groupDones;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [this] { return stopping || !entries.empty(); });
            if (entries.empty()) return; // stopping with nothing left
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
