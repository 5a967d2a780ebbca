// The window on a 1400 x 1050 X server: it opens at twice the game's size
// (the largest whole multiple that fits), centred at (60, 45), with the
// picture crisp at that scale; resized to 1000 x 600 the picture shrinks
// to 800 x 600 between black bars, and a click on a button in it reaches
// the game at the button's own game pixels.
#include "display/display_fixture.h"
#include "xdotool_driver.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/input/KInputState.h"
#include "framework/platform/platform_window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

const Rgb kRed{255, 0, 0}, kBlue{0, 0, 255}, kBlack{0, 0, 0};

// A pixel of the X server's screen, as the player sees it.
Rgb ScreenPixel(int x, int y) {
    std::string command = "import -window root -crop 1x1+" + std::to_string(x) + "+" +
                          std::to_string(y) + " -depth 8 rgb:- 2>/dev/null";
    Rgb pixel{-1, -1, -1};
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        unsigned char rgb[3];
        if (std::fread(rgb, 1, 3, pipe) == 3) pixel = {rgb[0], rgb[1], rgb[2]};
        pclose(pipe);
    }
    return pixel;
}

// A blue screen with a red "button" at game pixels (100, 100)-(200, 150).
void DrawButtonFrame(KDisplayWindow& window) {
    KGraphic::SetClearColor(0, 0, 1, 1);
    KGraphic::SetWorldView(0, 0, 0, 1, true);
    KGraphic::FillRect(100, 100, 200, 150, 1, 0, 0, 1);
    window.Flip(false);
}

TEST(ScaledWindow, OpensAtAWholeMultipleAndAClickInTheResizedPictureHitsItsButton) {
    CaptureMessages();
    KInputState::HideCursor(); // as the game starts: before any window
    KDisplayWindow window;
    ASSERT_TRUE(window.CreateGameWindow(640, 480, 16, true, "ORBOLO scaled"));
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "the new window showed the cursor";
    DrawButtonFrame(window);
    platform::Letterbox box = platform::CurrentLetterbox();
    EXPECT_EQ(box.width, 1280);
    EXPECT_EQ(box.height, 960);
    // Nearest texels at twice the size: the button's last game column is
    // two whole screen columns, and the blue starts right after them.
    ASSERT_TRUE(PollUntil([&] {
        DrawButtonFrame(window);
        return ScreenPixel(60 + 300, 45 + 250) == kRed;
    }));
    EXPECT_EQ(ScreenPixel(60 + 398, 45 + 250), kRed);
    EXPECT_EQ(ScreenPixel(60 + 399, 45 + 299), kRed);
    EXPECT_EQ(ScreenPixel(60 + 400, 45 + 250), kBlue);
    EXPECT_EQ(ScreenPixel(60 + 300, 45 + 300), kBlue);

    Xdotool("search --name '^ORBOLO scaled$' windowsize 1000 600");
    ASSERT_TRUE(PollUntil([&] {
        DrawButtonFrame(window);
        return platform::CurrentLetterbox().width == 800;
    }));
    box = platform::CurrentLetterbox();
    EXPECT_EQ(box.x, 100);
    EXPECT_EQ(box.y, 0);
    EXPECT_EQ(box.height, 600);
    // The button's centre, game (150, 125), is at window (287, 156).
    ASSERT_TRUE(PollUntil([&] {
        DrawButtonFrame(window);
        return ScreenPixel(60 + 287, 45 + 156) == kRed;
    }));
    EXPECT_EQ(ScreenPixel(60 + 50, 45 + 300), kBlack) << "left bar";
    EXPECT_EQ(ScreenPixel(60 + 950, 45 + 300), kBlack) << "right bar";

    FocusWindow("ORBOLO scaled");
    Xdotool("mousemove " + std::to_string(60 + 287) + " " + std::to_string(45 + 156));
    Xdotool("mousedown 1");
    EXPECT_TRUE(PollUntil([] { return KInputState::IsMouseDown(); }));
    const int x = KInputState::GetMouseX(), y = KInputState::GetMouseY();
    Xdotool("mouseup 1");
    EXPECT_TRUE(x >= 148 && x <= 152 && y >= 123 && y <= 127) << x << ", " << y;
    EXPECT_TRUE(Messages().empty());
}

} // namespace
