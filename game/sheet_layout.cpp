#include "game/sheet_layout.h"

namespace layout {

std::vector<Piece> allPieces() {
    std::vector<Piece> p;
    auto add = [&p](std::string_view sheet, Rect r) { p.push_back({sheet, r}); };
    for (int code = 1; code <= 8; ++code)
        add("play2.tga", ball(code));
    for (int f = 0; f < 3; ++f)
        add("play2.tga", vanishFrame(f));
    for (int row = 0; row < 9; ++row) {
        add("play2.tga", slideLeft(row));
        add("play2.tga", slideRight(row));
    }
    for (int i = 0; i < 3; ++i)
        add("play2.tga", litButton(i));
    for (Rect r : {kBoardOverlay, kSpinCcw, kSpinCw, kLowerLeftPanel, kBackgroundStrip, kBarLeft,
                   kBarMiddle, kBarRight, kTutorialMark, kMessageLeft, kMessageMiddle,
                   kMessageRight, kFieldLeft, kFieldMiddle, kFieldRight})
        add("play2.tga", r);
    for (int s = 1; s <= 5; ++s)
        add("font2.jpg", speedBar(s));
    for (int m = 1; m <= 3; ++m)
        add("font2.jpg", modeBox(m));
    for (Rect r : {kDifficultyLitAverage, kDifficultyLitHard, kDifficultyAverage, kDifficultyHard,
                   kOptionsPanel, kCounterLeft, kCounterMiddle, kCounterRight, kBoardWell})
        add("font2.jpg", r);
    for (Rect r : {kMenuItems, kMenuLitNewGame, kMenuLitDifficulty, kMenuLitScores, kMenuLitQuit})
        add("menu.jpg", r);
    for (int m = 1; m <= 3; ++m) {
        add("select.jpg", modePicture(m));
        add("select.jpg", modeName(m));
        add("select.jpg", modeNameLit(m));
    }
    for (Rect r : {kTitle0, kTitle1, kBackButton, kBackButtonLit})
        add("select.jpg", r);
    return p;
}

} // namespace layout
