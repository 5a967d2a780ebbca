// The play-screen sheet: balls a player tells apart, clear edges around
// every sprite, buttons whose hovered (opaque) look fits the field behind
// them, and repeated pieces that join without seams.
#include "gfx_files.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace arttest {
namespace {

using namespace art::layout;

bool borderClear(const Image& img, Rect r) {
    for (int x = r.x1; x < r.x2; ++x)
        if (img.px(x, r.y1)[3] || img.px(x, r.y2 - 1)[3]) return false;
    for (int y = r.y1; y < r.y2; ++y)
        if (img.px(r.x1, y)[3] || img.px(r.x2 - 1, y)[3]) return false;
    return true;
}

int channelDiff(const std::uint8_t* a, const std::uint8_t* b) {
    return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
}

// The ball's body left of its mark and below its highlight.
Rgb body(int code) {
    Rect t = ball(code);
    return meanColour(gfx("play2.tga"), {t.x1 + 6, t.y1 + 17, t.x1 + 12, t.y1 + 23}, 255);
}

TEST(PlaySheet, BallsDifferClearlyInColourWithSolidBodiesAndClearEdges) {
    const Image& play = gfx("play2.tga");
    for (int a = 1; a <= 8; ++a) {
        Rect t = ball(a);
        EXPECT_TRUE(borderClear(play, t)) << "ball " << a;
        EXPECT_EQ(play.px(t.x1 + 19, t.y1 + 18)[3], 255) << "ball " << a;
        for (int b = a + 1; b <= 8; ++b)
            EXPECT_GE(distance(body(a), body(b)), 60.0) << "balls " << a << " and " << b;
    }
    for (int f = 0; f < 3; ++f)
        EXPECT_TRUE(borderClear(play, vanishFrame(f))) << "frame " << f;
}

TEST(PlaySheet, PointersKeepClearEdgesAndTheTipAtTheHotSpot) {
    for (const char* name : {"pointer.tga", "Pointer2.tga", "Pointer_s.tga"}) {
        const Image& p = gfx(name);
        for (int i = 0; i < p.width; ++i) {
            EXPECT_EQ(p.px(p.width - 1, i)[3], 0) << name;
            EXPECT_EQ(p.px(i, p.height - 1)[3], 0) << name;
        }
    }
    for (const char* name : {"pointer.tga", "Pointer2.tga"})
        EXPECT_GT(gfx(name).px(2, 3)[3], 200) << name;
}

// The strip's texel that the screen shows at (x, y).
const std::uint8_t* field(int x, int y) {
    int u = ((x - kStripFirstX) % 32 + 32) % 32;
    return gfx("play2.tga").px(kBackgroundStrip.x1 + u, kBackgroundStrip.y1 + y);
}

// Hovered buttons are drawn opaque: their clear texels must show the field.
TEST(PlaySheet, HoveredButtonsCarryTheFieldBehindThem) {
    const Image& play = gfx("play2.tga");
    struct Button {
        Rect r;
        Point at;
    };
    std::vector<Button> buttons{{kSpinCcw, kSpinCcwAt}, {kSpinCw, kSpinCwAt}};
    for (int row = 0; row < 9; ++row) {
        buttons.push_back({slideLeft(row), slideLeftAt(row)});
        buttons.push_back({slideRight(row), slideRightAt(row)});
    }
    for (const Button& b : buttons)
        for (Point corner : {Point{0, 0}, Point{b.r.w() - 1, 0}, Point{0, b.r.h() - 1}}) {
            const std::uint8_t* texel = play.px(b.r.x1 + corner.x, b.r.y1 + corner.y);
            EXPECT_EQ(texel[3], 0);
            EXPECT_LE(channelDiff(texel, field(b.at.x + corner.x, b.at.y + corner.y)), 2)
                << "button at " << b.at.x << "," << b.at.y;
        }
    // The columns the left and right arrows share hold neither arrow.
    for (int y = 0; y < 320; ++y)
        for (int x = 350; x < 352; ++x)
            EXPECT_EQ(play.px(x, y)[3], 0) << x << "," << y;
}

TEST(PlaySheet, LitButtonsCoverTheUnlitOnesSeamlessly) {
    const Image& play = gfx("play2.tga");
    for (int i = 0; i < 3; ++i) {
        Rect lit = litButton(i);
        Point at = litButtonAt(i);
        int px = kLowerLeftPanel.x1 + at.x - kLowerLeftPanelAt.x,
            py = kLowerLeftPanel.y1 + at.y - kLowerLeftPanelAt.y;
        Rect unlit{px, py, px + lit.w(), py + lit.h()};
        EXPECT_LE(channelDiff(play.px(lit.x1, lit.y1), play.px(unlit.x1, unlit.y1)), 3) << i;
        Rgb a = meanColour(play, lit, 0), b = meanColour(play, unlit, 0);
        EXPECT_GT(a.r + a.g + a.b, b.r + b.g + b.b + 120) << "lit button " << i << " is not lit";
    }
}

bool columnsEqual(const Image& img, int xa, int xb, int y1, int y2, int tolerance) {
    for (int y = y1; y < y2; ++y) {
        const std::uint8_t *a = img.px(xa, y), *b = img.px(xb, y);
        if (channelDiff(a, b) > tolerance || std::abs(a[3] - b[3]) > tolerance) return false;
    }
    return true;
}

// Repeated pieces join without seams, the bottom bar's ends keep clear
// where they overlap the middles, and the well, drawn opaque over the
// field, shows the field in its corners.
TEST(PlaySheet, PiecesDrawnTogetherJoinWithoutSeams) {
    const Image& play = gfx("play2.tga");
    const Image& font2 = gfx("font2.jpg");
    for (Rect r : {kBarMiddle, kMessageMiddle, kFieldMiddle})
        EXPECT_TRUE(columnsEqual(play, r.x1, r.x2 - 1, r.y1, r.y2, 0)) << "middle at " << r.x1;
    EXPECT_TRUE(columnsEqual(play, kBackgroundStrip.x1, kBackgroundStrip.x2 - 1,
                             kBackgroundStrip.y1, kBackgroundStrip.y2, 4));
    EXPECT_TRUE(columnsEqual(font2, kCounterMiddle.x1, kCounterMiddle.x2 - 1, kCounterMiddle.y1,
                             kCounterMiddle.y2, 8));

    const int leftKeeps = kBarMiddleFirstX - kBarLeftAt.x;
    const int rightSkips = kBarMiddleFirstX + 6 * kBarMiddle.w() - kBarRightAt.x;
    int opaque = 0;
    for (int y = kBarLeft.y1; y < kBarLeft.y2; ++y) {
        for (int x = kBarLeft.x1 + leftKeeps; x < kBarLeft.x2; ++x) opaque += play.px(x, y)[3] != 0;
        for (int x = kBarRight.x1 + 1; x < kBarRight.x1 + rightSkips; ++x)
            opaque += play.px(x, y)[3] != 0;
    }
    EXPECT_EQ(opaque, 0) << "bar end texels over the middles";

    const int n = kBoardWell.w() - 1;
    for (Point c : {Point{0, 0}, Point{n, 0}, Point{0, n}, Point{n, n}})
        EXPECT_LE(channelDiff(font2.px(kBoardWell.x1 + c.x, kBoardWell.y1 + c.y),
                              field(kBoardWellAt.x + c.x, kBoardWellAt.y + c.y)),
                  10);
}

} // namespace
} // namespace arttest
