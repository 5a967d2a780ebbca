// Orbolo: start-up, the frame loop and the orderly exit.
#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/display/KSystemTools.h"
#include "framework/input/KInputState.h"
#include "framework/text/KBitmapFont.h"
#include "framework/text/glyph_tables.h"
#include "game/buttons.h"
#include "game/click_dispatch.h"
#include "game/command_line.h"
#include "game/level_file.h"
#include "game/rules/game_hooks.h"
#include "game/rules/game_state.h"
#include "game/rules/rules_clock.h"
#include "game/panels/completion_screen.h"
#include "game/panels/game_over_dialog.h"
#include "game/panels/game_tickets.h"
#include "game/panels/score_tables.h"
#include "game/panels/sound_cues.h"
#include "game/preferences.h"
#include "game/replay/game_recorder.h"
#include "game/replay/replay_player.h"
#include "game/screen_flow.h"
#include "game/screen_switch.h"
#include "game/screen_state.h"
#include "game/sprite_table.h"

#include <string>

namespace {

KGraphic* LoadPointer(const char* relativePath) {
    auto* image = new KGraphic;
    if (image->LoadImage(KSystemTools::MakePath(relativePath), true, false, true)) return image;
    delete image;
    return nullptr;
}

void FreeFontsAndPointers() {
    FreeSprite(kLargeFontSprite); // the font owns that image
    delete resources.largeFont;
    delete resources.smallFont;
    delete resources.pointer;
    delete resources.pointerOver;
    delete resources.pointerShadow;
    resources.largeFont = resources.smallFont = nullptr;
    resources.pointer = resources.pointerOver = resources.pointerShadow = nullptr;
}

void DrawPointer() {
    int16_t mx = KInputState::GetMouseX(), my = KInputState::GetMouseY();
    resources.pointerShadow->BlitTransformed(0, 0, 32, 32, static_cast<int16_t>(mx + 2),
                                             static_cast<int16_t>(my + 2), 0, 1, 0.5f, false,
                                             false);
    KGraphic* pointer = buttons.pointerButton > 0 ? resources.pointerOver : resources.pointer;
    pointer->BlitAlpha(0, 0, 32, 32, mx, my, false, false);
}

bool StartUp() {
    KSystemTools::SetInstalledDataDirectory(ORBOLO_INSTALLED_DATA);
    KSystemTools::InitModuleDirectory();
    // One clock for rules and screens: the time the last flip returned, so
    // frames are as far apart as the display paces them, and a recording
    // shows that pace.
    SetRulesClock(KDisplayWindow::LastFlipMilliseconds);
    ReadFrameClock();
    board.fallTimer = NowStamp();
    resources.window = new KDisplayWindow;
    ReadPreferences();
    if (commandLine.window != CommandLineOptions::Window::FromPrefs)
        settings.windowed = commandLine.window == CommandLineOptions::Window::Windowed;
    if (!resources.window->CreateGameWindow(640, 480, 16, settings.windowed != 0,
                                            "ORBOLO - slide, turn and clear")) {
        delete resources.window;
        resources.window = nullptr;
        return false;
    }
    KInputState::HideCursor();
    GameScoreTables(); // a score server address that cannot work is reported now
    // A server that verifies games hands out each game's token and seed;
    // they are fetched ahead so that no game waits for them.
    SetGameTicketSource(TakeGameTicket);
    StartFetchingGameTickets();
    gameHooks.waitMouseRelease = WaitMouseRelease;
    gameHooks.readLevel = ReadLevelFile;
    // The game's recording is sealed before the dialog, which sends it.
    gameHooks.showGameOver = [](int16_t mode, int16_t difficulty, int32_t result) {
        EndRecordedGame();
        ShowGameOver(mode, difficulty, result);
    };
    gameHooks.showCompletionScreen = ShowCompletionScreen;

    ShowScreen(Intro);
    KGraphic::SetTextureFilter(false);
    resources.largeFont =
        new KBitmapFont(KSystemTools::MakePath("gfx\\font2.jpg"), LargeFontGlyphs);
    resources.smallFont = new KBitmapFont(KSystemTools::MakePath("gfx\\font.tga"), SmallFontGlyphs);
    ShareSprite(kLargeFontSprite, resources.largeFont->GetImage());
    LoadSounds();
    KGraphic::SetClearColor(1, 1, 1, 1);

    resources.pointer = LoadPointer("gfx\\pointer.tga");
    if (resources.pointer) resources.pointerOver = LoadPointer("gfx\\Pointer2.tga");
    if (resources.pointerOver) resources.pointerShadow = LoadPointer("gfx\\Pointer_s.tga");
    return resources.pointerShadow != nullptr;
}

void ShutDown() {
    StopFetchingGameTickets();
    EndRecordedGame(); // a game still being played is kept as the last one
    FreeFontsAndPointers();
    FreeSprites();
    FreeMusic();
    FreeSounds();
    KDisplayWindow::RequestQuit();
    delete resources.window;
    resources.window = nullptr;
}

} // namespace

int main(int argc, char** argv) {
    // --help, --version and bad flags end here, before any window or sound.
    if (int status = ParseCommandLine(argc, argv); status >= 0) return status;
    if (commandLine.replayLast) commandLine.replayFile = LastGamePath();
    const bool watch = !commandLine.replayFile.empty();
    if (watch && !LoadReplayToWatch(commandLine.replayFile)) return 1;
    if (!StartUp()) {
        if (resources.window) ShutDown();
        return 1;
    }
    if (watch) StartWatching();
    while (!KInputState::IsKeyDown(kKeyEscape) && !screen.quitRequested &&
           !KDisplayWindow::IsClosed()) {
        ReadFrameClock();
        KGraphic::SetWorldView(0, 0, 0, 1, true);
        if (Watching()) {
            RunWatchingFrame();
        } else {
            UpdateScreen();
            HandleInput();
        }
        DrawPointer();
        resources.window->Flip(true);
    }
    ShutDown();
    if (screen.openScoresOnExit) {
        std::string page = GameScoreTables().HighscoresPageAddress();
        if (!page.empty()) KSystemTools::OpenDocument(page.c_str(), true);
    }
    return 0;
}
