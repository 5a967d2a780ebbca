// What each screen draws and does in one frame.
#pragma once

// The logo fades in on white, stays a second, fades out; then the menu.
// Runs its own frames and returns when the menu has been loaded.
void RunIntro();
// The menu: background, items, difficulty, credit line, hovered caption.
void DrawMainMenu();
// The mode selection: animated title, the three modes and their texts.
void DrawModeSelection();
// One playing frame: background, buttons, board, bottom bar, side panel;
// it sets up a new game when none is ready, and records the game.
void RunPlayingFrame();
// The play screen's drawing around the board's frame; with `stepRules`
// false the board is drawn as it stands (a paused replay).
void DrawPlayingFrame(bool stepRules);

// The menu's three credit lines (pages 1..3).
extern const char* const kCreditLines[3];
