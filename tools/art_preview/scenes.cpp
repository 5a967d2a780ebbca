#include "scenes.h"

#include <cstdint>
#include <string>

namespace preview {

namespace {

using namespace layout;

void drawPointer(Screen& scr, const Sheets& s, Point at, bool overButton) {
    const Rect all{0, 0, kPointerSize, kPointerSize};
    scr.blitAlpha(s.pointerShadow, all, {at.x + 2, at.y + 2}, 0.5f);
    scr.blitAlpha(overButton ? s.pointer2 : s.pointer, all, at);
}

// A fixed board: colours in rows, a black ball or two, no lines of three.
int boardCode(int col, int row) {
    std::uint32_t h =
        static_cast<std::uint32_t>(col * 73856093) ^ static_cast<std::uint32_t>(row * 19349663);
    h = h * 2654435761u;
    int code = 1 + static_cast<int>((h >> 16) % 7);
    if ((col == 3 && row == 5) || (col == 7 && row == 2)) code = 8;
    return code;
}

void drawBoard(Screen& scr, const Sheets& s) {
    const int shift = 76; // board coordinates to the screen at rest
    for (int col = 0; col < 9; ++col)
        for (int row = 0; row < 9; ++row) {
            Point at{164 + 34 * col + shift, 86 + 34 * row};
            if (row == 6 && col >= 2 && col <= 4) {
                scr.blitAlpha(s.play, vanishFrame(1), at);
                continue;
            }
            scr.blitAlpha(s.play, ball(boardCode(col, row)), at);
        }
    scr.blitAlpha(s.play, kBoardOverlay, kBoardOverlayAt);
    for (int col = 2; col <= 4; ++col)
        scr.blitAlpha(s.play, vanishFrame(1), {164 + 34 * col + shift, 86 + 34 * 6 - 1});
}

void drawPanel(Screen& scr, const Sheets& s, int mode, PlayOverlay overlay) {
    const bool gameOver = overlay == PlayOverlay::GameOver;
    const BitmapFont large = s.large(), small = s.small();
    scr.blit(s.font2, kCounterLeft, kCounterLeftAt);
    scr.blit(s.font2, kCounterMiddle, kCounterMiddleAt[0]);
    scr.blit(s.font2, kCounterMiddle, kCounterMiddleAt[1]);
    scr.blit(s.font2, kCounterRight, kCounterRightAt);
    if (gameOver) {
        scr.centred(large, "GAME OVER", 155, 640, 29);
    } else {
        scr.centred(large, mode == 3 ? "MOVES LEFT    " : "BALLS LEFT    ", 115, 640, 29);
        scr.centred(large, mode == 3 ? "7" : "57", 420, 500, 29);
    }
    scr.centred(small, "OPTIONS", 0, 148, 113);
    for (int i = 0; i < 80 / 9.9; ++i)
        scr.text(large, "#", 25 + 10 * i, kSfxTicksY);
    scr.centred(small, "SFX VOLUME", 0, 148, 175);
    for (int i = 0; i < 99 / 9.9; ++i)
        scr.text(large, "@", 25 + 10 * i, kMusicTicksY);
    scr.centred(small, "MUSIC VOLUME", 0, 148, 225);
    scr.blit(s.font2, speedBar(3), kSpeedBarAt);
    scr.centred(small, "GAME SPEED", 0, 148, 275);
    scr.blit(s.font2, modeBox(mode), {0, 0});
    const std::string value = mode == 1 ? "08 : 42" : mode == 2 ? "12340" : "4";
    scr.centred(large, value, 0, 150, kModeValueY);
    if (overlay == PlayOverlay::Tutorial) {
        scr.centred(small, "Use the left and right arrow to move the entire", 150, 640, 415);
        scr.centred(small, "row of balls on the board.", 150, 640, 430);
        scr.centred(small, "As you clear them, new one will drop from the top,", 150, 640, 445);
        scr.centred(small, "and the counter BALLS LEFT will decrease!", 150, 640, 460);
        scr.blitAlpha(s.play, kTutorialMark, {155, 225});
        scr.blitAlpha(s.play, kTutorialMark, {590, 225});
    }
    if (overlay == PlayOverlay::HoveredArrow) {
        scr.centred(small, "Use the left and right button to slide the balls", 150, 640, 415);
        scr.centred(small, "along the selected row.", 150, 640, 430);
        if (mode == 2)
            scr.centred(small, "For every click, your score is decreased by 10 points.", 150, 640,
                        445);
        if (mode == 3) scr.centred(small, "Every moves is counted in puzzle mode.", 150, 640, 445);
    }
}

void drawGameOver(Screen& scr, const Sheets& s) {
    const BitmapFont small = s.small();
    for (int i = 0; i < 5; ++i)
        scr.blitAlpha(s.play, kMessageMiddle, {kMessageMiddleFirstX + 60 * i, 192});
    for (int i = 0; i < 5; ++i)
        scr.blitAlpha(s.play, kFieldMiddle, {kFieldMiddleFirstX + 60 * i, 252});
    scr.blitAlpha(s.play, kMessageLeft, kMessageLeftAt);
    scr.blitAlpha(s.play, kMessageRight, kMessageRightAt);
    scr.blitAlpha(s.play, kFieldLeft, kFieldLeftAt);
    scr.blitAlpha(s.play, kFieldRight, kFieldRightAt);
    scr.centred(small, "CONGRATULATIONS!!!", 275, 510, 198);
    scr.centred(small, "You made a top score!", 275, 510, 214);
    scr.centred(small, "Use the keyboard to enter your name", 275, 510, 230);
    scr.centred(small, "MARBLE QUEEN", 145, 640, 260);
}

} // namespace

Screen introScreen(const Sheets& s) {
    Screen scr;
    scr.clear(255, 255, 255);
    scr.blit(s.logo, {0, 0, kLogoWidth, kLogoHeight}, {0, 0});
    return scr;
}

Screen menuScreen(const Sheets& s, int hovered, int difficulty, int creditPage) {
    Screen scr;
    scr.clear(0, 0, 0);
    scr.blit(s.back, {0, 0, s.back.width, s.back.height}, kBackAt);
    scr.blit(s.menu, kMenuItems, kMenuAt);
    if (difficulty == 2) scr.blit(s.font2, kDifficultyAverage, kDifficultyAt);
    if (difficulty == 3) scr.blit(s.font2, kDifficultyHard, kDifficultyAt);
    const char* captions[] = {"", "START A NEW GAME", "CHANGE DIFFICULTY LEVEL",
                              "QUIT THE GAME AND VIEW THE ONLINE HIGHSCORES", "QUIT THE GAME"};
    if (hovered > 0) scr.centred(s.large(), captions[hovered], 0, 640, kCaptionY);
    if (creditPage == 0) scr.blit(s.torv, {0, 0, kSplashSize, kSplashSize}, kSplashAt);
    if (creditPage == 1)
        scr.centred(s.large(), "ORBOLO  -  SLIDE, TURN AND MATCH", 0, 640, kCreditY);
    const Rect lit[] = {kMenuLitNewGame, kMenuLitDifficulty, kMenuLitScores, kMenuLitQuit};
    if (hovered == 2 && difficulty > 1)
        scr.blit(s.font2, difficulty == 2 ? kDifficultyLitAverage : kDifficultyLitHard,
                 kDifficultyLitAt);
    else if (hovered > 0)
        scr.blit(s.menu, lit[hovered - 1], kMenuLitAt[hovered - 1]);
    if (hovered > 0)
        drawPointer(scr, s, {kMenuLitAt[hovered - 1].x + 212, kMenuLitAt[hovered - 1].y + 14},
                    true);
    return scr;
}

Screen selectScreen(const Sheets& s, int hovered) {
    Screen scr;
    scr.clear(0, 0, 0);
    scr.blit(s.select, kBackButton, kBackButtonAt);
    scr.blitScaled(s.select, kTitle0, kTitle0At, 1.0f, 1.0f);
    for (int mode = 1; mode <= 3; ++mode) {
        scr.blit(s.select, modePicture(mode), modePictureAt(mode));
        scr.blit(s.select, modeName(mode), modeNameAt(mode));
    }
    const char* lines[][2] = {
        {"PLAY AGAINST THE TIME IN THIS MODE", "BE QUICKER THAN THE OTHERS!"},
        {"TRY TO MAKE MORE POINTS POSSIBLE", "AND BEAT THE ONLINE HIGHSCORES!"},
        {"GO THROUGH SEVERAL PUZZLE LEVELS", "WITH INCREASING DIFFICULTY"}};
    if (hovered >= 1 && hovered <= 3) {
        int y = descriptionY(hovered);
        scr.centred(s.large(), lines[hovered - 1][0], kDescriptionX1, kDescriptionX2, y);
        scr.centred(s.large(), lines[hovered - 1][1], kDescriptionX1, kDescriptionX2, y + 20);
        scr.blit(s.select, modeNameLit(hovered), modeNameLitAt(hovered));
        drawPointer(scr, s, {modeNameAt(hovered).x + 300, modeNameAt(hovered).y + 16}, true);
    }
    return scr;
}

Screen playScreen(const Sheets& s, int mode, PlayOverlay overlay) {
    Screen scr;
    scr.clear(0, 0, 0);
    scr.blit(s.font2, kOptionsPanel, kOptionsPanelAt);
    scr.blit(s.play, kLowerLeftPanel, kLowerLeftPanelAt);
    for (int i = 0; i < 16; ++i)
        scr.blit(s.play, kBackgroundStrip, {kStripFirstX + 32 * i, 0});
    const int hoveredRow = 4;
    for (int row = 0; row < 9; ++row) {
        scr.blitAlpha(s.play, slideLeft(row), slideLeftAt(row), 0.7f);
        scr.blitAlpha(s.play, slideRight(row), slideRightAt(row), 0.7f);
    }
    scr.blitAlpha(s.play, kSpinCcw, kSpinCcwAt, 0.7f);
    scr.blitAlpha(s.play, kSpinCw, kSpinCwAt, 0.7f);
    if (overlay == PlayOverlay::HoveredArrow)
        scr.blit(s.play, slideLeft(hoveredRow), slideLeftAt(hoveredRow));
    scr.blit(s.font2, kBoardWell, kBoardWellAt);
    drawBoard(scr, s);
    for (int i = 0; i < 6; ++i)
        scr.blitAlpha(s.play, kBarMiddle, {kBarMiddleFirstX + 66 * i, 410});
    scr.blitAlpha(s.play, kBarLeft, kBarLeftAt);
    scr.blitAlpha(s.play, kBarRight, kBarRightAt);
    drawPanel(scr, s, mode, overlay);
    if (overlay == PlayOverlay::GameOver) drawGameOver(scr, s);
    if (overlay == PlayOverlay::HoveredArrow)
        drawPointer(scr, s, {slideLeftAt(hoveredRow).x + 22, slideLeftAt(hoveredRow).y + 24}, true);
    return scr;
}

} // namespace preview
