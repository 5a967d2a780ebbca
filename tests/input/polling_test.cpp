// KInputState on a real window, driven by xdotool on the test's own
// 1024 x 768 X server: the 640 x 480 window sits centred at (192, 144), so
// the pointer can leave it on every side.
#include "display/display_fixture.h"
#include "xdotool_driver.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/input/KInputState.h"
#include "framework/platform/platform_window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

constexpr int kSpace = 4, kLeftShift = 5, kRightShift = 6, kReturn = 7, kRightControl = 8,
              kLeftControl = 9, kEscape = 24, kA = 25, kB = 26;

class Polling : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        TestWindow().Flip(false);
        FocusWindow("ORBOLO display test");
    }
    void SetUp() override {
        Xdotool("mousemove 512 384");
        // Forget presses left over from the test before.
        KInputState::Init();
    }
};

// Polls `times` more times; true when every poll answered `expected`.
bool Stays(bool (*poll)(), bool expected, int times = 20) {
    for (int i = 0; i < times; ++i) {
        if (poll() != expected) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

TEST_F(Polling, PointerPositionIsUnclampedOutsideTheWindow) {
    Xdotool("mousemove 292 194");
    EXPECT_EQ(KInputState::GetMouseX(), 100);
    EXPECT_EQ(KInputState::GetMouseY(), 50);
    Xdotool("mousemove 0 0");
    EXPECT_EQ(KInputState::GetMouseX(), -192);
    EXPECT_EQ(KInputState::GetMouseY(), -144);
    Xdotool("mousemove 1023 767");
    EXPECT_EQ(KInputState::GetMouseX(), 831);
    EXPECT_EQ(KInputState::GetMouseY(), 623);
}

TEST_F(Polling, LeftButtonHeldIsDownUntilReleased) {
    Xdotool("mousedown 1");
    EXPECT_TRUE(PollUntil(KInputState::IsMouseDown));
    EXPECT_TRUE(Stays(KInputState::IsMouseDown, true));
    Xdotool("mouseup 1");
    EXPECT_TRUE(PollUntil([] { return !KInputState::IsMouseDown(); }));
    EXPECT_TRUE(Stays(KInputState::IsMouseDown, false));
}

TEST_F(Polling, ClickOverBeforeThePollCountsOnce) {
    // Press and release both land before the next poll.
    Xdotool("click 1");
    EXPECT_TRUE(PollUntil(KInputState::IsMouseDown));
    EXPECT_TRUE(Stays(KInputState::IsMouseDown, false, 40));
}

TEST_F(Polling, KeyStrokeOverBeforeThePollCountsOnce) {
    Xdotool("key a");
    EXPECT_TRUE(PollUntil([] { return KInputState::IsKeyDown(kA); }));
    EXPECT_TRUE(Stays([] { return KInputState::IsKeyDown(kA); }, false, 40));
    EXPECT_FALSE(KInputState::IsKeyDown(kB));
}

bool bReleaseSeen = false;
void WatchForBRelease(const SDL_Event& event) {
    if (event.type == SDL_KEYUP && event.key.keysym.scancode == SDL_SCANCODE_B) bReleaseSeen = true;
}

TEST_F(Polling, KeyStrokeNotAskedAboutInTimeIsForgotten) {
    // The window takes the stroke in, as a frame would, while nobody polls
    // the key; the game asks only after the press has gone stale.
    bReleaseSeen = false;
    platform::SetEventObserver(&WatchForBRelease);
    Xdotool("key b");
    bool seen = PollUntil([] {
        platform::PumpAllEvents();
        return bReleaseSeen;
    });
    platform::SetEventObserver(nullptr);
    ASSERT_TRUE(seen);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_FALSE(KInputState::IsKeyDown(kB));
}

TEST_F(Polling, EitherShiftOrControlAnswersBothOfItsCodes) {
    Xdotool("keydown Shift_R");
    EXPECT_TRUE(PollUntil([] { return KInputState::IsKeyDown(kLeftShift); }));
    EXPECT_TRUE(KInputState::IsKeyDown(kRightShift));
    EXPECT_FALSE(KInputState::IsKeyDown(kLeftControl));
    Xdotool("keyup Shift_R");
    EXPECT_TRUE(PollUntil([] {
        return !KInputState::IsKeyDown(kLeftShift) && !KInputState::IsKeyDown(kRightShift);
    }));

    Xdotool("keydown Control_L");
    EXPECT_TRUE(PollUntil([] { return KInputState::IsKeyDown(kRightControl); }));
    EXPECT_TRUE(KInputState::IsKeyDown(kLeftControl));
    Xdotool("keyup Control_L");
    EXPECT_TRUE(PollUntil([] { return !KInputState::IsKeyDown(kRightControl); }));
}

TEST_F(Polling, HeldEscapeIsDownOnEveryPoll) {
    Xdotool("keydown Escape");
    EXPECT_TRUE(PollUntil([] { return KInputState::IsKeyDown(kEscape); }));
    EXPECT_TRUE(Stays([] { return KInputState::IsKeyDown(kEscape); }, true));
    EXPECT_FALSE(KInputState::IsKeyDown(kSpace));
    Xdotool("keyup Escape");
    EXPECT_TRUE(PollUntil([] { return !KInputState::IsKeyDown(kEscape); }));
}

TEST_F(Polling, WaitKeyReleaseReturnsOnlyOnceTheKeyIsUp) {
    KInputState::WaitKeyRelease(kReturn); // not held: returns at once

    Xdotool("keydown Return");
    ASSERT_TRUE(PollUntil([] { return KInputState::IsKeyDown(kReturn); }));
    std::atomic<bool> releaseSent{false};
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        releaseSent = true;
        Xdotool("keyup Return");
    });
    KInputState::WaitKeyRelease(kReturn);
    EXPECT_TRUE(releaseSent);
    releaser.join();
    // The one press has been reported; it does not come back.
    EXPECT_FALSE(KInputState::IsKeyDown(kReturn));
}

TEST_F(Polling, HidingTheCursorTwiceLeavesItHidden) {
    KInputState::HideCursor();
    KInputState::HideCursor();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
}

} // namespace
