#include "game/sheet_layout.h"

namespace layout {

std::vector<Piece> allPieces() {
    std::vector<Piece> p;
    auto add = [&p](std::string_view sheet, Rect r, std::vector<Point> at = {}) {
        p.push_back({sheet, r, std::move(at)});
    };
    const std::string_view play = "play2.tga", font = "font2.jpg", select = "select.jpg";
    for (int code = 1; code <= 8; ++code)
        add(play, ball(code));
    for (int f = 0; f < 3; ++f)
        add(play, vanishFrame(f));
    add(play, kBoardOverlay);
    for (int row = 0; row < 9; ++row) {
        add(play, slideLeft(row), {slideLeftAt(row)});
        add(play, slideRight(row), {slideRightAt(row)});
    }
    for (int i = 0; i < 3; ++i)
        add(play, litButton(i), {litButtonAt(i)});
    add(play, kSpinCcw, {kSpinCcwAt});
    add(play, kSpinCw, {kSpinCwAt});
    add(play, kLowerLeftPanel, {kLowerLeftPanelAt});
    std::vector<Point> strips, bars, messages, fields;
    for (int i = 0; i < kStripTiles; ++i)
        strips.push_back(stripAt(i));
    for (int i = 0; i < kBarMiddles; ++i)
        bars.push_back(barMiddleAt(i));
    for (int i = 0; i < kMessageMiddles; ++i) {
        messages.push_back(messageMiddleAt(i));
        fields.push_back(fieldMiddleAt(i));
    }
    add(play, kBackgroundStrip, strips);
    add(play, kBarLeft, {kBarLeftAt});
    add(play, kBarMiddle, bars);
    add(play, kBarRight, {kBarRightAt});
    add(play, kTutorialMark,
        {kTutorialArrowMarksAt[0], kTutorialArrowMarksAt[1], kTutorialSpinMarksAt[0],
         kTutorialSpinMarksAt[1]});
    add(play, kMessageLeft, {kMessageLeftAt});
    add(play, kMessageMiddle, messages);
    add(play, kMessageRight, {kMessageRightAt});
    add(play, kFieldLeft, {kFieldLeftAt});
    add(play, kFieldMiddle, fields);
    add(play, kFieldRight, {kFieldRightAt});

    for (int s = 1; s <= 5; ++s)
        add(font, speedBar(s), {kSpeedBarAt});
    for (int m = 1; m <= 3; ++m)
        add(font, modeBox(m), {kModeBoxAt});
    add(font, kDifficultyLitAverage, {kDifficultyLitAt});
    add(font, kDifficultyLitHard, {kDifficultyLitAt});
    add(font, kDifficultyAverage, {kDifficultyAt});
    add(font, kDifficultyHard, {kDifficultyAt});
    add(font, kOptionsPanel, {kOptionsPanelAt});
    add(font, kCounterLeft, {kCounterLeftAt});
    add(font, kCounterMiddle, {kCounterMiddleAt[0], kCounterMiddleAt[1]});
    add(font, kCounterRight, {kCounterRightAt});
    add(font, kBoardWell, {kBoardWellAt});

    add("menu.jpg", kMenuItems, {kMenuAt});
    add("menu.jpg", kMenuLitNewGame, {kMenuLitAt[0]});
    add("menu.jpg", kMenuLitDifficulty, {kMenuLitAt[1]});
    add("menu.jpg", kMenuLitScores, {kMenuLitAt[2]});
    add("menu.jpg", kMenuLitQuit, {kMenuLitAt[3]});
    add("back.jpg", {0, 0, kBackWidth, kBackHeight}, {kBackAt});
    add("TORV.tga", {0, 0, kSplashSize, kSplashSize}, {kSplashAt});

    for (int m = 1; m <= 3; ++m) {
        add(select, modePicture(m), {modePictureAt(m)});
        add(select, modeName(m), {modeNameAt(m)});
        add(select, modeNameLit(m), {modeNameLitAt(m)});
    }
    add(select, kTitle0, {kTitle0At});
    add(select, kTitle1, {kTitle1At});
    add(select, kBackButton, {kBackButtonAt});
    add(select, kBackButtonLit, {kBackButtonAt});
    return p;
}

} // namespace layout
