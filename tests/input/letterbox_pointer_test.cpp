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

#include <tuple>

TEST(LetterboxedPointer, PositionsMapToGamePixelsAndBeyond) {
    KInputState::HideCursor();
    CaptureMessages();
    KDisplayWindow window;
    ASSERT_TRUE(window.CreateGameWindow(640, 480, 16, false, "ORBOLO input full screen"));
    window.Flip(false);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "the new window showed the cursor";
    // The picture's centre, the right bar's bottom corner, the left bar.
    for (auto [x, y, gameX, gameY] :
         {std::tuple{480, 270, 320, 240}, {959, 539, 745, 479}, {0, 0, -107, 0}}) {
        Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
        EXPECT_TRUE(PollUntil([&] {
            return KInputState::GetMouseX() == gameX && KInputState::GetMouseY() == gameY;
        })) << x << "," << y << " read as " << KInputState::GetMouseX() << ","
            << KInputState::GetMouseY();
    }
}
