// Where every piece lies in its sheet and where the game draws it. The game
// draws and sets its buttons by these names, the generators paint the
// sheets by them, and the preview and the tests read them from here:
// repainting a sheet cannot silently miscut the game.
#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace layout {

struct Rect {
    int x1, y1, x2, y2; // right and bottom exclusive
    int w() const { return x2 - x1; }
    int h() const { return y2 - y1; }
};

struct Point {
    int x, y;
};

// ---- gfx/play2.tga (512 x 512) ----
constexpr int kPlaySize = 512;
constexpr int kBallSize = 40;
// Ball of code 1..8 (8 is black).
constexpr Rect ball(int code) {
    return code <= 5 ? Rect{385, 40 * (code - 1), 425, 40 * code}
                     : Rect{425, 40 * (code - 6), 465, 40 * (code - 5)};
}
constexpr Rect vanishFrame(int f) {
    return {385, 200 + 40 * f, 425, 240 + 40 * f};
}
constexpr Rect kBoardOverlay{7, 7, 315, 315};
constexpr Point kBoardOverlayAt{242, 87}; // on the screen, board at rest
// The board is drawn in its own view, this far right of the screen's (it
// turns about its own centre); cells and overlay are placed in that view.
constexpr int kBoardShiftX = 76;
constexpr Point kBoardOverlayInView{kBoardOverlayAt.x - kBoardShiftX, kBoardOverlayAt.y};
constexpr int kCellStep = 34;
constexpr Point cellInView(int column, int row) {
    return {164 + kCellStep * column, 86 + kCellStep * row};
}
constexpr Rect slideLeft(int row) {
    return {320, 8 + 34 * row, 352, 41 + 34 * row};
}
constexpr Rect slideRight(int row) {
    return {350, 8 + 34 * row, 382, 41 + 34 * row};
}
constexpr Point slideLeftAt(int row) {
    return {190, 87 + 34 * row};
}
constexpr Point slideRightAt(int row) {
    return {560, 87 + 34 * row};
}
constexpr Rect kSpinCcw{302, 323, 388, 390};
constexpr Rect kSpinCw{388, 323, 474, 390};
constexpr Point kSpinCcwAt{170, 20};
constexpr Point kSpinCwAt{535, 20};
// Tutorial, restart, quit, lit; they cover the unlit ones in the lower-left panel.
constexpr Rect litButton(int i) {
    return {155, 322 + 30 * i, 275, 347 + 30 * i};
}
constexpr Point litButtonAt(int i) {
    return {12, 315 + 30 * i};
}
constexpr Rect kLowerLeftPanel{2, 324, 152, 495};
constexpr Point kLowerLeftPanelAt{0, 310};
constexpr Rect kBackgroundStrip{479, 1, 511, 481};
constexpr int kStripFirstX = 151; // tiled 16 times, 32 pixels apart
constexpr int kStripTiles = 16;
constexpr Point stripAt(int i) {
    return {kStripFirstX + 32 * i, 0};
}
constexpr Rect kBarLeft{154, 410, 220, 476};
constexpr Rect kBarMiddle{220, 410, 286, 476};
constexpr Rect kBarRight{285, 410, 351, 476};
constexpr Point kBarLeftAt{170, 410};
constexpr int kBarMiddleFirstX = 214; // six of them, 66 apart
constexpr int kBarMiddles = 6;
constexpr Point barMiddleAt(int i) {
    return {kBarMiddleFirstX + 66 * i, kBarLeftAt.y};
}
constexpr Point kBarRightAt{556, 410};
constexpr Rect kTutorialMark{425, 122, 462, 162};
// The tutorial's marks: beside the two columns of slide arrows (page 1),
// then beside the two spin buttons (page 2).
constexpr Point kTutorialArrowMarksAt[2]{{155, 225}, {590, 225}};
constexpr Point kTutorialSpinMarksAt[2]{{kSpinCcwAt.x + 45, kSpinCcwAt.y}, kSpinCwAt};
constexpr Rect kMessageLeft{358, 395, 386, 495};
constexpr Rect kMessageMiddle{386, 395, 446, 495};
constexpr Rect kMessageRight{446, 395, 473, 495};
constexpr Point kMessageLeftAt{212, 192};
constexpr int kMessageMiddleFirstX = 240; // five of them, 60 apart
constexpr int kMessageMiddles = 5;
constexpr Point messageMiddleAt(int i) {
    return {kMessageMiddleFirstX + 60 * i, kMessageLeftAt.y};
}
constexpr Point kMessageRightAt{540, 192};
constexpr Rect kFieldLeft{285, 478, 295, 504};
constexpr Rect kFieldMiddle{287, 478, 347, 504};
constexpr Rect kFieldRight{340, 478, 352, 504};
constexpr Point kFieldLeftAt{230, 252};
constexpr int kFieldMiddleFirstX = 240; // five of them, 60 apart
constexpr Point fieldMiddleAt(int i) {
    return {kFieldMiddleFirstX + 60 * i, kFieldLeftAt.y};
}
constexpr Point kFieldRightAt{540, 252};

// ---- gfx/font2.jpg (512 x 512) ----
constexpr int kFontSheetSize = 512;
constexpr Rect speedBar(int speed) {
    return {205, 20, 210 + 18 * speed, 38};
}
constexpr Point kSpeedBarAt{25, 250};
constexpr Rect kDifficultyLitAverage{256, 48, 512, 64};
constexpr Rect kDifficultyLitHard{0, 48, 256, 64};
constexpr Rect kDifficultyAverage{256, 64, 512, 82};
constexpr Rect kDifficultyHard{0, 64, 256, 82};
constexpr Point kDifficultyLitAt{198, 346};
constexpr Point kDifficultyAt{198, 345};
constexpr Rect modeBox(int mode) {
    return {1 + 151 * (mode - 1), 87, 151 + 151 * (mode - 1), 192};
}
constexpr Point kModeBoxAt{0, 0};
constexpr int kModeValueY = 74; // large-font value inside the box, x 0..150
constexpr Rect kOptionsPanel{1, 198, 151, 404};
constexpr Point kOptionsPanelAt{0, 105};
constexpr Rect kCounterLeft{11, 199, 25, 224};
constexpr Rect kCounterMiddle{26, 199, 123, 224};
constexpr Rect kCounterRight{123, 199, 139, 224};
constexpr Point kCounterLeftAt{285, 25};
constexpr Point kCounterMiddleAt[2]{{298, 25}, {394, 25}};
constexpr Point kCounterRightAt{490, 25};
constexpr Rect kBoardWell{191, 192, 511, 512};
constexpr Point kBoardWellAt{235, 80};
// Volume ticks: large-font glyphs drawn 10 pixels apart from x 25.
constexpr int kSfxTicksY = 150, kMusicTicksY = 200, kTicksX = 25;

// ---- gfx/font.tga (128 x 128) ----
constexpr int kSmallFontSize = 128;

// ---- gfx/menu.jpg (256 x 256) ----
constexpr int kMenuSize = 256;
constexpr Rect kMenuItems{0, 0, 256, 128};
constexpr Point kMenuAt{198, 302};
constexpr Rect kMenuLitNewGame{0, 128, 256, 160};
constexpr Rect kMenuLitDifficulty{0, 162, 256, 194};
constexpr Rect kMenuLitScores{0, 192, 256, 224};
constexpr Rect kMenuLitQuit{0, 224, 256, 256};
constexpr Point kMenuLitAt[4]{{198, 302}, {198, 336}, {198, 366}, {198, 398}};
// The difficulty text's rows, where the other difficulties' labels cover it.
constexpr int kMenuDifficultyTextTop = 43;

// ---- gfx/back.jpg ----
constexpr int kBackWidth = 580, kBackHeight = 490;
constexpr Point kBackAt{30, -10};
constexpr Point kSplashAt{295, 20};
constexpr int kCreditY = 25, kCaptionY = 455;
constexpr Rect kMenuPlateOnScreen{198, 302, 454, 430};

// ---- gfx/select.jpg (512 x 512) ----
constexpr int kSelectSize = 512;
constexpr Rect modePicture(int mode) {
    return mode == 1   ? Rect{0, 0, 158, 111}
           : mode == 2 ? Rect{0, 111, 158, 221}
                       : Rect{0, 221, 158, 330};
}
constexpr Point modePictureAt(int mode) {
    return {20, 65 + 120 * (mode - 1)};
}
constexpr Rect modeName(int mode) {
    return mode == 1   ? Rect{158, 0, 512, 41}
           : mode == 2 ? Rect{158, 111, 512, 151}
                       : Rect{158, 221, 512, 261};
}
constexpr Point modeNameAt(int mode) {
    return {220, 65 + 120 * (mode - 1)};
}
constexpr Rect modeNameLit(int mode) {
    return mode == 1   ? Rect{158, 69, 512, 111}
           : mode == 2 ? Rect{158, 179, 512, 221}
                       : Rect{158, 292, 512, 330};
}
constexpr Point modeNameLitAt(int mode) {
    return mode == 1 ? Point{220, 64} : mode == 2 ? Point{220, 183} : Point{220, 305};
}
constexpr Rect kTitle0{70, 384, 445, 434};
constexpr Rect kTitle1{70, 330, 445, 384};
constexpr Point kTitle0At{140, 6};
constexpr Point kTitle1At{145, 2};
constexpr Rect kBackButton{0, 442, 512, 470};
constexpr Rect kBackButtonLit{0, 471, 512, 502};
constexpr Point kBackButtonAt{70, 435};
// Large-font descriptions of the hovered mode, on black.
constexpr int kDescriptionX1 = 160, kDescriptionX2 = 640;
constexpr int descriptionY(int mode) {
    return 120 + 120 * (mode - 1);
}

// ---- other images ----
constexpr int kLogoWidth = 640, kLogoHeight = 480;
constexpr int kSplashSize = 50;
constexpr int kPointerSize = 32;
constexpr int kIconSize = 64;

// Every piece with its sheet and the places on the screen the game draws it
// (none for the balls and the overlay, placed in the board's view), for
// checks that pieces lie inside their sheets and are drawn where named.
struct Piece {
    std::string_view sheet;
    Rect rect;
    std::vector<Point> at;
};
std::vector<Piece> allPieces();

} // namespace layout
