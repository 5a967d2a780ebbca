// Recorded games replay exactly, across processes: `record` plays seeded
// bot games and writes each recording with the game state after every
// frame; `replay`, in another process, replays each file through the rules
// and the verifier and compares the state frame by frame.
//   replay_check record|replay FOLDER GAMES MAX_FRAMES
#include "replay/bot_game.h"

#include "game/rules/game_state.h"
#include "game/replay/replay_verify.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::string& path, const void* data, size_t size) {
    std::ofstream(path, std::ios::binary).write(static_cast<const char*>(data), size);
}

int Fail(const std::string& what) {
    std::fprintf(stderr, "FAIL: %s\n", what.c_str());
    return 1;
}

int Replay(const std::string& name) {
    const std::vector<uint8_t> file = ReadBytes(name + ".orbolo-replay");
    const std::vector<uint8_t> raw = ReadBytes(name + ".digests");
    std::vector<uint64_t> recorded(raw.size() / 8), replayed;
    std::memcpy(recorded.data(), raw.data(), recorded.size() * 8);
    replay::Replay recording;
    if (replay::ReadReplay(file.data(), file.size(), recording) != replay::ReadError::None)
        return Fail(name + ": unreadable");
    if (replay::ReplayFrames(recording, [&](uint32_t) { replayed.push_back(GameDigest()); }) >= 0)
        return Fail(name + ": an action refused");
    const auto [differs, _] =
        std::mismatch(recorded.begin(), recorded.end(), replayed.begin(), replayed.end());
    if (differs != recorded.end() || recorded.size() != replayed.size())
        return Fail(name + ": differs at frame " + std::to_string(differs - recorded.begin()));
    const replay::ProvenGame proven = replay::VerifyReplayBytes(file.data(), file.size());
    if (proven.verdict != replay::Verdict::Proven)
        return Fail(name + ": " + replay::VerdictText(proven.verdict));
    std::printf("%s: %u frames, %zu bytes, outcome %d, result %d\n", name.c_str(), proven.frames,
                file.size(), static_cast<int>(proven.outcome), proven.result);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) return Fail("usage: replay_check record|replay FOLDER GAMES MAX_FRAMES");
    const std::string command = argv[1], folder = argv[2];
    const int games = std::atoi(argv[3]);
    const auto maxFrames = static_cast<uint32_t>(std::atoi(argv[4]));
    int failures = 0, finished = 0;
    for (int seed = 1; seed <= games; ++seed) {
        const std::string name = folder + "/game-" + std::to_string(seed);
        if (command == "record") {
            const BotGame game = PlayBotGame(static_cast<uint64_t>(seed), maxFrames);
            if (game.file.empty()) return Fail(name + ": nothing recorded");
            WriteBytes(name + ".orbolo-replay", game.file.data(), game.file.size());
            WriteBytes(name + ".digests", game.digests.data(), game.digests.size() * 8);
            finished += counters.gameOver;
        } else {
            failures += Replay(name);
        }
    }
    if (command == "record")
        std::printf("recorded %d games, %d played to the end\n", games, finished);
    return failures ? 1 : 0;
}
