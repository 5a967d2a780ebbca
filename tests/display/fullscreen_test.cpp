// Full screen on a desktop that offers no 640 x 480 mode (run on its own
// 960 x 540 X server): the window covers the desktop, the picture is scaled
// up between black bars, drawing and grabs stay at game size, and mouse
// positions map back to game pixels.
#include "display_fixture.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/platform/platform_window.h"

#include <gtest/gtest.h>

namespace {

TEST(Fullscreen, LetterboxedWhenTheDisplayHasNoGameSizedMode) {
    CaptureMessages();
    KDisplayWindow window;
    ASSERT_TRUE(window.CreateGameWindow(640, 480, 16, false, "ORBOLO full screen"));
    platform::Letterbox box = platform::CurrentLetterbox();
    EXPECT_EQ(std::vector<int>({box.x, box.y, box.width, box.height}),
              std::vector<int>({120, 0, 720, 540}));
    int gx = 0, gy = 0;
    platform::WindowToGame(box, 839, 539, &gx, &gy);
    EXPECT_EQ(std::pair(gx, gy), std::pair(639, 479));

    // Left half red, right half green, drawn in game pixels.
    KGraphic::SetClearColor(1, 0, 0, 1);
    KGraphic::SetWorldView(0, 0, 0, 1, true);
    KGraphic::FillRect(320, 0, 640, 480, 0, 1, 0, 1);
    EXPECT_EQ(PixelAt(319, 479), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(320, 0), (Rgb{0, 255, 0}));
    window.Flip(true);
    window.Flip(true);
    // Black bars left and right, the picture scaled between them.
    EXPECT_TRUE(PollUntil([] {
        return ScreenPixel(60, 270) == Rgb{0, 0, 0} && ScreenPixel(900, 270) == Rgb{0, 0, 0} &&
               ScreenPixel(130, 5) == Rgb{255, 0, 0} && ScreenPixel(830, 535) == Rgb{0, 255, 0};
    }));

    // The grab holds the game-sized picture last shown.
    KGraphic::SetWorldView(0, 0, 0, 1, true);
    KGraphic grab;
    ASSERT_TRUE(grab.GrabScreen());
    grab.Blit(0, 0, 640, 480, 0, 0, false, false);
    EXPECT_EQ(PixelAt(10, 10), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(630, 470), (Rgb{0, 255, 0}));
    EXPECT_TRUE(Messages().empty());
}

} // namespace
