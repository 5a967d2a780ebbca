// Full screen on a 960 x 540 X server, which has no 640 x 480 mode: the
// picture is scaled to 720 x 540 between bars 120 pixels wide, and the
// pointer is reported in game pixels. Also the start-up order of the game,
// which hides the cursor before any window exists.
#include "display/display_fixture.h"
#include "xdotool_driver.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/input/KInputState.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

TEST(LetterboxedPointer, PositionsMapToGamePixelsAndBeyond) {
    KInputState::HideCursor();
    CaptureMessages();
    KDisplayWindow window;
    ASSERT_TRUE(window.CreateGameWindow(640, 480, 16, false, "ORBOLO input full screen"));
    window.Flip(false);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "the new window showed the cursor";

    Xdotool("mousemove 480 270"); // the picture's centre
    EXPECT_EQ(KInputState::GetMouseX(), 320);
    EXPECT_EQ(KInputState::GetMouseY(), 240);
    Xdotool("mousemove 959 539"); // the right bar's bottom corner
    EXPECT_EQ(KInputState::GetMouseX(), 745);
    EXPECT_EQ(KInputState::GetMouseY(), 479);
    Xdotool("mousemove 0 0"); // on the left bar: left of the picture
    EXPECT_EQ(KInputState::GetMouseX(), -107);
    EXPECT_EQ(KInputState::GetMouseY(), 0);
}

} // namespace
