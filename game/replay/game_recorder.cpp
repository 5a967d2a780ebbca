#include "game/replay/game_recorder.h"

#include "game/rules/game_state.h"
#include "game/panels/score_server_choice.h"
#include "game/rules/random.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

struct Recorder {
    bool enabled = true;
    bool recording = false;
    bool overflowed = false; // past a bound: nothing of this game is kept
    uint32_t lastFrame = 0;  // the frame clock of the last frame recorded
    uint64_t length = 0;
    replay::Replay game;
    std::vector<uint8_t> lastGame;
    std::function<std::optional<GameTicket>()> ticketSource;
} recorder;

uint64_t OwnSeed() {
    std::random_device device;
    return (static_cast<uint64_t>(device()) << 32) ^ device();
}

// Written whole, then moved in place: a reader never sees half a file.
void KeepAsLastGame(const std::vector<uint8_t>& bytes) {
    const std::string path = LastGamePath();
    const std::string partial = path + ".part";
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "orbolo: cannot keep the last game in %s\n", partial.c_str());
            return;
        }
    }
    std::filesystem::rename(partial, path, error);
    if (error) std::fprintf(stderr, "orbolo: cannot keep the last game in %s\n", path.c_str());
}

} // namespace

void SetGameTicketSource(std::function<std::optional<GameTicket>()> source) {
    recorder.ticketSource = std::move(source);
}

void SetRecordingEnabled(bool enabled) {
    recorder.enabled = enabled;
}

void BeginRecordedGame() {
    EndRecordedGame(); // a restart leaves the game before
    std::optional<GameTicket> ticket;
    if (recorder.ticketSource) ticket = recorder.ticketSource();
    if (!ticket) ticket = GameTicket{OwnSeed(), ""};
    SeedGameRandom(ticket->seed);
    if (!recorder.enabled) return;

    replay::ReplayHeader header;
    header.gameMode = static_cast<uint8_t>(settings.gameMode);
    header.difficulty = static_cast<uint8_t>(settings.difficulty);
    header.startSpeed = static_cast<uint8_t>(settings.gameSpeed);
    header.startLevel =
        static_cast<uint8_t>(settings.gameMode == Puzzle ? counters.puzzleLevel : 1);
    header.seed = ticket->seed;
    header.token = ticket->token.size() <= replay::kMaxTokenBytes ? ticket->token : "";
    header.firstTickAge = NowStamp() - counters.lastTick;
    header.fallTimerAge = NowStamp() - board.fallTimer;
    recorder.game = replay::Replay{header, {}, {}};
    recorder.recording = true;
    recorder.overflowed = false;
    recorder.lastFrame = NowStamp();
    recorder.length = 0;
}

void RecordFrame() {
    if (!recorder.recording || recorder.overflowed) return;
    const uint32_t gap = NowStamp() - recorder.lastFrame;
    recorder.lastFrame = NowStamp();
    recorder.length += gap;
    if (recorder.game.FrameCount() >= replay::kMaxFrames ||
        recorder.length > replay::kMaxGameMilliseconds) {
        recorder.overflowed = true;
        return;
    }
    recorder.game.frameGaps.push_back(gap);
}

void RecordAction(uint8_t code) {
    if (!recorder.recording || recorder.overflowed) return;
    if (recorder.game.actions.size() >= replay::kMaxActions) {
        recorder.overflowed = true;
        return;
    }
    recorder.game.actions.push_back({recorder.game.FrameCount() - 1, code});
}

void EndRecordedGame() {
    if (!recorder.recording) return;
    recorder.recording = false;
    // A game left before any move is no game worth keeping.
    if (recorder.overflowed || (!counters.gameOver && recorder.game.actions.empty())) return;
    replay::ReplayHeader& header = recorder.game.header;
    if (counters.gameOver) {
        header.outcome =
            counters.tableResult >= 0 ? replay::Outcome::Result : replay::Outcome::NoResult;
        header.claimedResult = counters.tableResult >= 0 ? counters.tableResult : 0;
    }
    std::vector<uint8_t> bytes = replay::WriteReplay(recorder.game);
    if (bytes.empty()) return;
    recorder.lastGame = std::move(bytes);
    KeepAsLastGame(recorder.lastGame);
}

const std::vector<uint8_t>& LastGameReplay() {
    return recorder.lastGame;
}

std::string LastGamePath() {
    return ScoresDataDirectory() + "/last-game.orbolo-replay";
}
