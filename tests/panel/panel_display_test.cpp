// The side panel drawn into a real window with the game's own art: the
// clock's digits and the volume ticks land where the layout puts them.
#include "display/display_fixture.h"

#include "framework/display/KSystemTools.h"
#include "framework/text/KBitmapFont.h"
#include "game/buttons.h"
#include "game/game_state.h"
#include "game/panels/side_panel.h"
#include "game/screen_state.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Large-font ink is white to gold on black.
int InkIn(int x1, int y1, int x2, int y2) {
    int ink = 0;
    for (int y = y1; y < y2; ++y) {
        for (int x = x1; x < x2; ++x) {
            Rgb p = PixelAt(x, y);
            if (p.r + p.g + p.b > 240) ++ink;
        }
    }
    return ink;
}

class PanelOnScreen : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        TestWindow();
        large = std::make_unique<KBitmapFont>(ORBOLO_GFX_DIR "/font2.jpg", LargeFontGlyphs);
        small = std::make_unique<KBitmapFont>(ORBOLO_GFX_DIR "/font.tga", SmallFontGlyphs);
    }
    static void TearDownTestSuite() {
        resources = GameResources{};
        large.reset();
        small.reset();
    }
    void SetUp() override {
        ResetGameState();
        buttons = ButtonState{};
        screen = ScreenFlow{};
        resources.largeFont = large.get();
        resources.smallFont = small.get();
        // A running tutorial keeps the real pointer out of the picture.
        screen.tutorialRunning = 1;
        screen.tutorialStart = NowStamp();
        counters.lastTick = NowStamp();
        StartFrame(0, 0, 0);
    }

    static inline std::unique_ptr<KBitmapFont> large;
    static inline std::unique_ptr<KBitmapFont> small;
};

} // namespace

TEST_F(PanelOnScreen, ClockDigitsSitCentredInTheModeBox) {
    settings.gameMode = TimeAttack;
    counters.timeLeft = 600;
    DrawPanel();
    // "10 : 00" is 67 pixels wide, centred between 0 and 150: x 41..108.
    EXPECT_GT(InkIn(41, 74, 108, 91), 60);
    // The black room for the value spans about x 15..133 of the box.
    EXPECT_EQ(InkIn(16, 74, 39, 91), 0);
    EXPECT_EQ(InkIn(111, 74, 132, 91), 0);
}

TEST_F(PanelOnScreen, VolumeTicksFollowTheSettings) {
    settings.gameMode = TopScore;
    settings.sfxVolume = 10;   // two ticks: x 25..44
    settings.musicVolume = 99; // ten ticks: x 25..124
    DrawPanel();
    EXPECT_GT(InkIn(25, 150, 34, 168), 0);
    EXPECT_GT(InkIn(35, 150, 44, 168), 0);
    EXPECT_EQ(InkIn(46, 150, 125, 168), 0);
    EXPECT_GT(InkIn(115, 200, 124, 218), 0);
}
