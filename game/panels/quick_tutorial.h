// The 30-second quick tutorial's clock: three pages of ten seconds, pointer
// marks that blink two seconds on and two off, and the chime that restarts
// as pages 2 and 3 begin. The tutorial button starts it (screen.tutorialRunning
// and screen.tutorialStart); this step ends it.
#pragma once
#include <cstdint>

struct TutorialBlink {
    uint32_t timer = 0; // stamp of the last toggle
    bool hidden = false;
};
extern TutorialBlink tutorialBlink;

struct TutorialFrame {
    int page = 0; // 1..3 while a page shows, else 0
    bool marksShown = false;
};

// One frame of the tutorial at `now`; clears screen.tutorialRunning on the
// first frame after 30 seconds.
TutorialFrame StepTutorial(uint32_t now);
