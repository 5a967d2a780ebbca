// KInputState on a real window, driven by xdotool on the test's own
// 1024 x 768 X server: the 640 x 480 window sits centred at (192, 144), so
// the pointer can leave it on every side.
#include "display/display_fixture.h"
#include "xdotool_driver.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/input/KInputState.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <tuple>

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
        KInputState::Init(); // forget presses left over from the test before
    }
};

bool KeyDown(int key) {
    return KInputState::IsKeyDown(key);
}
bool KeyUp(int key) {
    return !KInputState::IsKeyDown(key);
}
// Polls `times` more times; true when every poll answered `expected`.
bool Stays(const std::function<bool()>& poll, bool expected, int times = 20) {
    for (int i = 0; i < times; ++i) {
        if (poll() != expected) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

TEST_F(Polling, PointerPositionIsUnclampedOutsideTheWindow) {
    for (auto [x, y, gameX, gameY] :
         {std::tuple{292, 194, 100, 50}, {0, 0, -192, -144}, {1023, 767, 831, 623}}) {
        Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
        EXPECT_TRUE(PollUntil([&] {
            return KInputState::GetMouseX() == gameX && KInputState::GetMouseY() == gameY;
        })) << x
            << "," << y << " read as " << KInputState::GetMouseX() << ","
            << KInputState::GetMouseY();
    }
}

TEST_F(Polling, HeldButtonAndKeysAreDownUntilReleased) {
    Xdotool("mousedown 1");
    EXPECT_TRUE(PollUntil(KInputState::IsMouseDown));
    EXPECT_TRUE(Stays(KInputState::IsMouseDown, true));
    Xdotool("mouseup 1");
    EXPECT_TRUE(PollUntil([] { return !KInputState::IsMouseDown(); }));
    EXPECT_TRUE(Stays(KInputState::IsMouseDown, false));

    Xdotool("keydown Escape");
    EXPECT_TRUE(PollUntil([] { return KeyDown(kEscape); }));
    EXPECT_TRUE(Stays([] { return KeyDown(kEscape); }, true));
    EXPECT_FALSE(KeyDown(kSpace));
    Xdotool("keyup Escape");
    EXPECT_TRUE(PollUntil([] { return KeyUp(kEscape); }));

    // Either shift or control answers both of its codes.
    Xdotool("keydown Shift_R");
    EXPECT_TRUE(PollUntil([] { return KeyDown(kLeftShift); }));
    EXPECT_TRUE(KeyDown(kRightShift));
    EXPECT_FALSE(KeyDown(kLeftControl));
    Xdotool("keyup Shift_R");
    EXPECT_TRUE(PollUntil([] { return KeyUp(kLeftShift) && KeyUp(kRightShift); }));
    Xdotool("keydown Control_L");
    EXPECT_TRUE(PollUntil([] { return KeyDown(kRightControl); }));
    EXPECT_TRUE(KeyDown(kLeftControl));
    Xdotool("keyup Control_L");
    EXPECT_TRUE(PollUntil([] { return KeyUp(kRightControl); }));
}

TEST_F(Polling, ClickOrKeyStrokeOverBeforeThePollCountsOnce) {
    Xdotool("click 1");
    EXPECT_TRUE(PollUntil(KInputState::IsMouseDown));
    EXPECT_TRUE(Stays(KInputState::IsMouseDown, false, 40));
    Xdotool("key a");
    EXPECT_TRUE(PollUntil([] { return KeyDown(kA); }));
    EXPECT_TRUE(Stays([] { return KeyDown(kA); }, false, 40));
    EXPECT_FALSE(KeyDown(kB));
}

TEST_F(Polling, WaitKeyReleaseReturnsOnlyOnceTheKeyIsUp) {
    KInputState::WaitKeyRelease(kReturn); // not held: returns at once
    Xdotool("keydown Return");
    ASSERT_TRUE(PollUntil([] { return KeyDown(kReturn); }));
    std::atomic<bool> releaseSent{false};
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        releaseSent = true;
        Xdotool("keyup Return");
    });
    KInputState::WaitKeyRelease(kReturn);
    EXPECT_TRUE(releaseSent);
    releaser.join();
    EXPECT_FALSE(KeyDown(kReturn)) << "the one press was reported; it does not come back";

    KInputState::HideCursor(); // twice: still hidden
    KInputState::HideCursor();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
}

} // namespace
