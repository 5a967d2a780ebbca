// The quick tutorial as the playing screen runs it: the panel steps it every
// frame on the millisecond clock (here a fake one), the input step stands
// still while it runs.
#include "framework/display/KSystemTools.h"
#include "game/buttons.h"
#include "game/click_dispatch.h"
#include "game/panels/quick_tutorial.h"
#include "game/panels/side_panel.h"
#include "game/rules/rules_clock.h"
#include "game/screen_state.h"
#include "support/game_fixture.h"

namespace {

int32_t fakeNow = 0;

class QuickTutorial : public GameTest {
  public:
    void SetUp() override {
        GameTest::SetUp();
        screen = ScreenFlow{};
        screen.screenState = Playing;
        buttons = ButtonState{};
        tutorialBlink = TutorialBlink{};
        fakeNow = 1'000'000;
        KSystemTools::SetClockSource([] { return fakeNow; });
        SetRulesClock([] { return fakeNow; });
        // What the tutorial button does.
        screen.tutorialRunning = 1;
        screen.tutorialStart = static_cast<uint32_t>(fakeNow);
    }
    void TearDown() override {
        KSystemTools::SetClockSource(nullptr);
        SetRulesClock(nullptr);
        GameTest::TearDown();
    }
    static uint32_t Start() { return screen.tutorialStart; }
};

} // namespace

TEST_F(QuickTutorial, BlocksTheButtonsForThirtySecondsThenEnds) {
    settings.gameMode = TimeAttack;
    counters.timeLeft = 600;
    counters.lastTick = static_cast<uint32_t>(fakeNow);
    const int32_t begin = fakeNow;
    buttons.hoveredButton = 1; // the pointer rests on the tutorial button
    buttons.mouseX = 20;
    buttons.mouseY = 320;
    for (fakeNow = begin; fakeNow - begin <= 30000; fakeNow += 14) {
        ReadFrameClock(); // as the frame loop does
        HandleInput();    // stands still: no hover change, no click, the pointer unread
        DrawPanel();
        ASSERT_TRUE(screen.tutorialRunning) << "at " << fakeNow - begin << " ms";
        ASSERT_EQ(buttons.hoveredButton, 0); // no button hint shows
        ASSERT_EQ(buttons.mouseX + buttons.mouseY, 20 + 320);
    }
    // The clock kept running: one second per more-than-1000 ms.
    EXPECT_GE(counters.timeLeft, 600 - 30);
    EXPECT_LE(counters.timeLeft, 600 - 29);
    fakeNow = begin + 30001;
    ReadFrameClock();
    DrawPanel();
    EXPECT_FALSE(screen.tutorialRunning);
    EXPECT_EQ(tutorialBlink.timer, static_cast<uint32_t>(fakeNow + 5000));
}

TEST_F(QuickTutorial, ThreePagesOfTenSecondsAndMarksBlinkingTwoOnTwoOff) {
    tutorialBlink.timer = Start();
    struct Step {
        uint32_t at;
        int page;
        int marks; // -1: not checked
    } steps[] = {{2000, 1, 1},  {2001, 1, 0},   {4001, 1, 0},   {4002, 1, 1},
                 {9999, 1, -1}, {10001, 2, -1}, {20001, 3, -1}, {29999, 3, -1}};
    for (const Step& s : steps) {
        TutorialFrame frame = StepTutorial(Start() + s.at);
        EXPECT_EQ(frame.page, s.page) << s.at;
        if (s.marks >= 0) {
            EXPECT_EQ(frame.marksShown, s.marks == 1) << s.at;
        }
    }
    EXPECT_EQ(StepTutorial(Start() + 30000).page, 0);
    EXPECT_TRUE(screen.tutorialRunning);
    EXPECT_EQ(StepTutorial(Start() + 30001).page, 0);
    EXPECT_FALSE(screen.tutorialRunning);
    EXPECT_EQ(StepTutorial(Start() + 5).page, 0); // idle: nothing shows
}

TEST_F(QuickTutorial, ChimeRestartsAtTheStartOfPagesTwoAndThreeWhileMarksShow) {
    tutorialBlink.timer = Start() + 9000; // shown until 11000
    ClearCues();
    StepTutorial(Start() + 9990);
    StepTutorial(Start() + 10000);
    EXPECT_EQ(Played(Cue::Clear), 0);
    for (uint32_t e = 10001; e < 10100; e += 14)
        StepTutorial(Start() + e);
    StepTutorial(Start() + 10100);
    EXPECT_EQ(Played(Cue::Clear), 8); // every frame of the first 100 ms

    tutorialBlink.timer = Start() + 19000; // hidden now, until 21001: silent
    tutorialBlink.hidden = true;
    ClearCues();
    for (uint32_t e = 20001; e < 20100; e += 14)
        StepTutorial(Start() + e);
    EXPECT_EQ(Played(Cue::Clear), 0);
}
