#include "game/panels/quick_tutorial.h"

#include "game/panels/sound_cues.h"
#include "game/screen_state.h"

TutorialBlink tutorialBlink;

namespace {

constexpr uint32_t kPageLength = 10000;
constexpr uint32_t kTutorialLength = 3 * kPageLength;
constexpr uint32_t kBlinkHalfPeriod = 2000;
constexpr uint32_t kChimeWindow = 100; // at the start of pages 2 and 3

int PageAt(uint32_t elapsed) {
    if (elapsed < kPageLength) return 1;
    if (elapsed > kPageLength && elapsed < 2 * kPageLength) return 2;
    if (elapsed > 2 * kPageLength) return 3;
    return 0; // the exact millisecond between two pages
}

bool InChimeWindow(uint32_t elapsed) {
    return (elapsed > kPageLength && elapsed < kPageLength + kChimeWindow) ||
           (elapsed > 2 * kPageLength && elapsed < 2 * kPageLength + kChimeWindow);
}

} // namespace

TutorialFrame StepTutorial(uint32_t now) {
    if (!screen.tutorialRunning) return {};
    const uint32_t elapsed = now - screen.tutorialStart;
    if (elapsed > kTutorialLength) {
        screen.tutorialRunning = 0;
        tutorialBlink.timer = now + 5000;
        screen.tutorialStart = now;
        return {};
    }
    if (elapsed == kTutorialLength) return {};

    if (now - tutorialBlink.timer > kBlinkHalfPeriod) {
        tutorialBlink.timer = now;
        tutorialBlink.hidden = !tutorialBlink.hidden;
    }
    // Every frame of the window restarts the chime from its beginning.
    if (!tutorialBlink.hidden && InChimeWindow(elapsed)) PlayCue(Cue::Clear);
    return {PageAt(elapsed), !tutorialBlink.hidden};
}
