// Any bytes as a replay file: the reader refuses or accepts without fault,
// what it accepts writes back to a file that reads the same, and a short
// accepted game goes through the verifier.
#include "game/replay/replay_format.h"
#include "game/replay/replay_verify.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool Same(const replay::Replay& a, const replay::Replay& b) {
    const auto& x = a.header;
    const auto& y = b.header;
    if (x.rulesVersion != y.rulesVersion || x.gameMode != y.gameMode ||
        x.difficulty != y.difficulty || x.startSpeed != y.startSpeed ||
        x.startLevel != y.startLevel || x.seed != y.seed || x.token != y.token ||
        x.outcome != y.outcome || x.claimedResult != y.claimedResult ||
        x.firstTickAge != y.firstTickAge || x.fallTimerAge != y.fallTimerAge)
        return false;
    if (a.frameGaps != b.frameGaps || a.actions.size() != b.actions.size()) return false;
    for (size_t i = 0; i < a.actions.size(); ++i)
        if (a.actions[i].frame != b.actions[i].frame || a.actions[i].code != b.actions[i].code)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    replay::Replay first;
    if (replay::ReadReplay(data, size, first) != replay::ReadError::None) return 0;
    const std::vector<uint8_t> written = replay::WriteReplay(first);
    replay::Replay second;
    if (written.empty() ||
        replay::ReadReplay(written.data(), written.size(), second) != replay::ReadError::None)
        std::abort();
    if (!Same(first, second)) std::abort();
    if (first.FrameCount() <= 5000) replay::VerifyReplay(first);
    return 0;
}
