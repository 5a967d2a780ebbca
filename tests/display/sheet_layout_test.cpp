// Every named sheet piece as the game draws it. The art tests check that
// each lies inside its generated sheet; here the menu, the mode selection
// and the play screen are drawn in each of their states with the real
// sheets, and every plain draw from a sheet must be a named piece at one of
// its named places, and every named place must be drawn.
#include "display_fixture.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/display/KSystemTools.h"
#include "framework/display/recorded_frame.h"
#include "framework/text/KBitmapFont.h"
#include "framework/text/glyph_tables.h"
#include "game/buttons.h"
#include "game/panels/message_box.h"
#include "game/panels/quick_tutorial.h"
#include "game/panels/side_panel.h"
#include "game/rules/game_state.h"
#include "game/rules/rules_clock.h"
#include "game/screen_switch.h"
#include "game/screens.h"
#include "game/sprite_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

namespace {

// Sheet, source rectangle and screen place of one draw.
using Draw = std::tuple<std::string, int, int, int, int, int, int>;

const std::map<int, std::string> kSheets = {
    {kBackdropSprite, "back.jpg"}, {kSplashSprite, "TORV.tga"}, {kMenuSprite, "menu.jpg"},
    {kSelectSprite, "select.jpg"}, {kPlaySprite, "play2.tga"},  {kLargeFontSprite, "font2.jpg"}};

bool Glyph(const Draw& d) {
    for (const GlyphRec* g = LargeFontGlyphs; g->ch; ++g)
        if (std::tie(g->x1, g->y1, g->x2, g->y2) ==
            std::tuple(std::get<1>(d), std::get<2>(d), std::get<3>(d), std::get<4>(d)))
            return true;
    return false;
}

// The recorded frame's untransformed draws from the current screen's sheets
// (text excepted) go into `seen`; the next frame starts.
void Collect(std::set<Draw>& seen) {
    const platform::FrameList& frame = recorded_frame::Frame();
    for (const platform::DrawRecord& r : frame.records) {
        const platform::View& v = frame.views[r.view];
        if (r.kind != platform::DrawRecord::Kind::Quad || r.turned || v.angle != 0 || v.zoom != 1 ||
            v.preX != 0 || v.preY != 0 || v.postX != 0 || v.postY != 0)
            continue;
        for (const auto& [entry, sheet] : kSheets) {
            const KGraphic* image = spriteTable[entry].image;
            if (!image || image->GetTextureId() != r.texture) continue;
            const bool texels = r.textureKind == platform::TextureKind::Rectangle;
            const float w = texels ? 1 : image->GetTextureWidth();
            const float h = texels ? 1 : image->GetTextureHeight();
            auto n = [](float f) { return static_cast<int>(f + 0.5f); };
            Draw d{sheet,
                   n(r.u[0] * w),
                   n(r.v[0] * h),
                   n(r.u[2] * w),
                   n(r.v[2] * h),
                   n(r.x[0]),
                   KGraphic::screenHeight - n(r.y[0])};
            if (sheet != "font2.jpg" || !Glyph(d)) seen.insert(d);
        }
    }
    recorded_frame::Present();
}

int32_t fakeNow = 1'000'000;

TEST(SheetLayout, EveryPlainDrawIsANamedPieceAtItsPlaceAndEveryPlaceIsDrawn) {
    TestWindow();
    KSystemTools::SetModuleDirectoryFrom(ORBOLO_RUNTIME_DIR "/orbolo");
    KBitmapFont large(ORBOLO_RUNTIME_DIR "/gfx/font2.jpg", LargeFontGlyphs);
    KBitmapFont small(ORBOLO_RUNTIME_DIR "/gfx/font.tga", SmallFontGlyphs);
    resources.largeFont = &large;
    resources.smallFont = &small;
    ShareSprite(kLargeFontSprite, large.GetImage());
    SetRulesClock([] { return fakeNow; });
    std::set<Draw> seen;

    for (int difficulty : {1, 2, 3}) {
        settings.difficulty = static_cast<int16_t>(difficulty);
        ShowScreen(MainMenu);
        for (int button = 0; button < MenuButtonCount; ++button) {
            buttons.hoveredButton = static_cast<int16_t>(button);
            DrawMainMenu();
        }
        Collect(seen);
    }
    ShowScreen(ModeSelection);
    for (int title : {0, 1}) {
        // The title at full size, as it pauses between zooming in and out.
        screen.titleIndex = static_cast<int16_t>(title);
        screen.pageTimer = screen.titleStepTimer = static_cast<uint32_t>(fakeNow);
        screen.titleStep = 100;
        screen.titleInterval = 750;
        for (int button = 0; button < ModeButtonCount; ++button) {
            buttons.hoveredButton = static_cast<int16_t>(button);
            DrawModeSelection();
        }
    }
    Collect(seen);
    for (int mode : {TimeAttack, TopScore, Puzzle}) {
        settings.gameMode = static_cast<int16_t>(mode);
        ShowScreen(Playing);
        counters.boardReady = 1; // the board itself is drawn in its own view
        for (int button = 0; button < PlayButtonCount; ++button) {
            buttons.hoveredButton = static_cast<int16_t>(button);
            settings.gameSpeed = static_cast<int16_t>(button % 5 + 1);
            RunPlayingFrame();
        }
        DrawMessageBox(*spriteTable[kPlaySprite].image, true);
        // The tutorial's two pages with marks, frame by frame.
        screen.tutorialRunning = 1;
        screen.tutorialStart = tutorialBlink.timer = static_cast<uint32_t>(fakeNow);
        for (int t = 0; t < 20000; t += 250, fakeNow += 250) {
            ReadFrameClock(); // the rules read the clock once a frame
            DrawPanel();
        }
        screen.tutorialRunning = 0;
        Collect(seen);
    }
    SetRulesClock(nullptr);
    FreeMusic(); // the play screen's stream stops its worker before the fonts go
    resources = GameResources{};
    FreeSprites();

    std::set<Draw> named;
    for (const layout::Piece& p : layout::allPieces())
        for (layout::Point at : p.at)
            named.insert(
                {std::string(p.sheet), p.rect.x1, p.rect.y1, p.rect.x2, p.rect.y2, at.x, at.y});
    std::vector<Draw> unnamed, undrawn;
    std::set_difference(seen.begin(), seen.end(), named.begin(), named.end(),
                        std::back_inserter(unnamed));
    std::set_difference(named.begin(), named.end(), seen.begin(), seen.end(),
                        std::back_inserter(undrawn));
    EXPECT_TRUE(unnamed.empty()) << "drawn but not named: " << testing::PrintToString(unnamed);
    EXPECT_TRUE(undrawn.empty()) << "named but not drawn: " << testing::PrintToString(undrawn);
}

} // namespace
