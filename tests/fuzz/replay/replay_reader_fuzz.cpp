// Any bytes as a replay file: the reader refuses or accepts without fault,
// what it accepts writes back to a file that reads back to the same (the
// writer is deterministic, so equal files mean equal recordings), and a
// short accepted game goes through the verifier.
#include "game/replay/replay_format.h"
#include "game/replay/replay_verify.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    replay::Replay first;
    if (replay::ReadReplay(data, size, first) != replay::ReadError::None) return 0;
    const std::vector<uint8_t> written = replay::WriteReplay(first);
    replay::Replay second;
    if (written.empty() ||
        replay::ReadReplay(written.data(), written.size(), second) != replay::ReadError::None)
        std::abort();
    if (replay::WriteReplay(second) != written) std::abort();
    if (first.FrameCount() <= 5000) replay::VerifyReplay(first);
    return 0;
}
