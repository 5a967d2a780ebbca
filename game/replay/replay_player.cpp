#include "game/replay/replay_player.h"

#include "framework/display/KGraphic.h"
#include "framework/display/KSystemTools.h"
#include "framework/input/KInputState.h"
#include "framework/text/KBitmapFont.h"
#include "game/rules/game_hooks.h"
#include "game/rules/game_state.h"
#include "game/replay/game_recorder.h"
#include "game/replay/replay_format.h"
#include "game/replay/replay_steps.h"
#include "game/screen_switch.h"
#include "game/screen_state.h"
#include "game/screens.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

// Playback rates in eighths of the recorded pace.
constexpr int kRates[] = {2, 4, 8, 16, 32, 64, 128};
constexpr int kNormalRate = 2;
// Frames past this many milliseconds of recorded time per display frame
// wait for the next one, so a slow machine still shows the game move.
constexpr uint64_t kMostPerDisplayFrame = 2000;

struct Watch {
    bool active = false;
    replay::Replay recording;
    uint32_t nextFrame = 0;
    size_t nextAction = 0;
    uint64_t frameTime = 0; // recorded time of nextFrame
    uint64_t position = 0;  // recorded milliseconds watched, in eighths
    int rate = kNormalRate;
    bool paused = false;
    uint32_t lastDisplay = 0; // the real clock at the last display frame
    uint32_t stamp = 0;       // the frame clock of the last recorded frame run
} watch;

constexpr uint32_t kStartStamp = 1000000; // any start: only differences count

bool Ended() {
    return watch.nextFrame >= watch.recording.FrameCount();
}

// Sets the frame clock to the next recorded frame and runs its rules, drawn
// or not, then its actions.
void RunRecordedFrame(bool drawn) {
    watch.stamp = kStartStamp + static_cast<uint32_t>(watch.frameTime);
    SetFrameClock(watch.stamp);
    if (watch.nextFrame == 0) replay::SetUpRecordedGame(watch.recording.header);
    if (drawn)
        DrawPlayingFrame(true);
    else
        replay::RunFrameRules();
    const auto& actions = watch.recording.actions;
    for (; watch.nextAction < actions.size() && actions[watch.nextAction].frame == watch.nextFrame;
         ++watch.nextAction)
        replay::ApplyAction(actions[watch.nextAction].code);
    if (++watch.nextFrame < watch.recording.FrameCount())
        watch.frameTime += watch.recording.frameGaps[watch.nextFrame - 1];
}

void TakeKeys() {
    KInputPress press;
    while (KInputState::TakePress(&press)) {
        if (press.keyCode == kKeySpace || press.action == KInputAction::Accept)
            watch.paused = !watch.paused;
        if (press.action == KInputAction::Right && watch.rate < 6) ++watch.rate;
        if (press.action == KInputAction::Left && watch.rate > 0) --watch.rate;
        if (press.keyCode == kKeyQ || press.action == KInputAction::Back) screen.quitRequested = 1;
    }
}

void DrawStatus() {
    KBitmapFont* font = resources.smallFont;
    if (!font) return;
    char line[32];
    if (Ended())
        std::snprintf(line, sizeof line, "END OF REPLAY");
    else if (watch.paused)
        std::snprintf(line, sizeof line, "REPLAY PAUSED");
    else if (kRates[watch.rate] >= 8)
        std::snprintf(line, sizeof line, "REPLAY X%d", kRates[watch.rate] / 8);
    else
        std::snprintf(line, sizeof line, "REPLAY X1/%d", 8 / kRates[watch.rate]);
    font->DrawCentered(line, 0, 148, 291, 0); // under the options, above the buttons
}

} // namespace

bool LoadReplayToWatch(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes;
    if (in) {
        in.seekg(0, std::ios::end);
        const auto size = static_cast<size_t>(in.tellg());
        if (size > replay::kMaxFileBytes) {
            std::fprintf(stderr, "orbolo: cannot watch '%s': too large\n", path.c_str());
            return false;
        }
        in.seekg(0);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    if (!in && bytes.empty()) {
        std::fprintf(stderr, "orbolo: cannot watch '%s': cannot read it\n", path.c_str());
        return false;
    }
    const replay::ReadError error = replay::ReadReplay(bytes.data(), bytes.size(), watch.recording);
    if (error != replay::ReadError::None) {
        std::fprintf(stderr, "orbolo: cannot watch '%s': %s\n", path.c_str(),
                     replay::ReadErrorText(error));
        return false;
    }
    if (watch.recording.header.rulesVersion != replay::kRulesVersion) {
        std::fprintf(stderr, "orbolo: cannot watch '%s': recorded with other rules\n",
                     path.c_str());
        return false;
    }
    return true;
}

void StartWatching() {
    SetRecordingEnabled(false);
    gameHooks = GameHooks{}; // no dialogs and no waiting for the mouse
    ShowScreen(Playing);
    watch.active = true;
    watch.lastDisplay = static_cast<uint32_t>(KSystemTools::GetMilliseconds());
}

bool Watching() {
    return watch.active;
}

void RunWatchingFrame() {
    KGraphic::ResetWorldView();
    const uint32_t now = static_cast<uint32_t>(KSystemTools::GetMilliseconds());
    const uint32_t elapsed = now - watch.lastDisplay;
    watch.lastDisplay = now;
    if (!watch.paused && !Ended()) watch.position += uint64_t{elapsed} * kRates[watch.rate];

    // Every due frame runs its rules; only the last one of them is drawn.
    const uint64_t limit = watch.frameTime + kMostPerDisplayFrame;
    bool drawn = false;
    while (!Ended() && watch.frameTime * 8 <= watch.position && watch.frameTime <= limit) {
        const bool last =
            watch.nextFrame + 1 >= watch.recording.FrameCount() ||
            (watch.frameTime + watch.recording.frameGaps[watch.nextFrame]) * 8 > watch.position;
        RunRecordedFrame(last);
        drawn = drawn || last;
    }
    // A long wait in the recording (its window was out of focus) passes at once.
    if (!watch.paused && watch.frameTime * 8 > watch.position + 8 * kMostPerDisplayFrame)
        watch.position = watch.frameTime * 8;
    if (!drawn) {
        SetFrameClock(watch.stamp); // the board stands at its last recorded frame
        DrawPlayingFrame(false);
    }
    DrawStatus();
    TakeKeys();
}
