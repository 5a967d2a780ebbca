// Which screen shows, the program-wide objects every screen draws with, and
// the little state the screens keep between frames.
#pragma once
#include <array>
#include <cstdint>

class KAudioSource;
class KBitmapFont;
class KDisplayWindow;
class KGraphic;

enum ScreenState : int16_t { MainMenu = 1, ModeSelection = 2, Playing = 3, Intro = 4 };

struct ScreenFlow {
    int16_t screenState = Intro;
    uint8_t quitRequested = 0;
    uint8_t openScoresOnExit = 0;
    int16_t creditPage = 0;      // the menu's credit line, 0..4
    uint32_t pageTimer = 0;      // the credit page's or the title's start
    int16_t titleIndex = 0;      // the mode selection's title, 0 or 1
    int16_t titleStep = 0;       // 0..100 zooms in, 100..200 out
    uint32_t titleStepTimer = 0; // the last step's time stamp
    uint32_t titleInterval = 10; // ms between title steps
    uint8_t tutorialRunning = 0; // the quick tutorial blocks the buttons
    uint32_t tutorialStart = 0;
    int16_t keyBar = 0;      // the bar digits set: effects, music, speed
    uint8_t keyBarShown = 0; // framed once keys set a bar on this screen
};

// Objects that live from start-up to exit, plus the current screen's music.
struct GameResources {
    KDisplayWindow* window = nullptr;
    KBitmapFont* largeFont = nullptr; // gfx/font2.jpg
    KBitmapFont* smallFont = nullptr; // gfx/font.tga
    KGraphic* pointer = nullptr;
    KGraphic* pointerOver = nullptr;
    KGraphic* pointerShadow = nullptr;
    std::array<KAudioSource*, 10> music{}; // slot 1 menu, 2 mode selection, 3 playing
};

extern ScreenFlow screen;
extern GameResources resources;
