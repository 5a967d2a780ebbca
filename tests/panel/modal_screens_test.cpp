// The game-over dialog and the completion screen on a real window of its own X server: keys and
// clicks come from xdotool once the dialog shows, the score server is a recording one on 127.0.0.1.
#include "display/display_fixture.h"
#include "input/xdotool_driver.h"
#include "net/loopback_http_server.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/display/KSystemTools.h"
#include "framework/input/KInputState.h"
#include "framework/text/KBitmapFont.h"
#include "game/game_state.h"
#include "game/panels/completion_screen.h"
#include "game/panels/game_over_dialog.h"
#include "game/panels/score_protocol.h"
#include "game/screen_state.h"
#include "game/sprite_table.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace {

// Bright pixels in the dialog's first text line: the 640 x 480 window sits
// centred on the 1024 x 768 screen, the line at game y 198, x 275..510.
int DialogTextOnScreen() {
    return BrightPixelsOnScreen(192 + 275, 144 + 192, 235, 20);
}

class ModalScreens : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        TestWindow().Flip(false);
        FocusWindow("ORBOLO display test");
        small = std::make_unique<KBitmapFont>(ORBOLO_RUNTIME_DIR "/gfx/font.tga", SmallFontGlyphs);
        KSystemTools::SetModuleDirectoryFrom(ORBOLO_RUNTIME_DIR "/orbolo");
        LoadSprite(6, "gfx\\play2.tga", 0); // the message box pieces
    }
    static void TearDownTestSuite() {
        resources = GameResources{};
        small.reset();
        FreeSprites();
    }
    void SetUp() override {
        ResetGameState();
        resources.window = &TestWindow();
        resources.smallFont = small.get();
        settings.gameMode = TopScore;
        counters.score = 123;
        ServeScorePages(server, mutex, answer);
        SetScoreServerForTests(server.Base().c_str());
        Xdotool("mousemove 512 384");
        ClearScreen();
    }
    // A black screen, so the player sees the next dialog come up.
    static void ClearScreen() {
        StartFrame(0, 0, 0);
        TestWindow().Flip(false);
        ASSERT_TRUE(PollUntil([] { return DialogTextOnScreen() == 0; }));
        KInputState::Init(); // forget presses made before
    }
    void TearDown() override {
        if (player.joinable()) player.join();
        SetScoreServerForTests(nullptr);
    }

    void Answer(const std::string& text) {
        std::lock_guard<std::mutex> lock(mutex);
        answer = text;
    }
    // The player's input, sent once the dialog running on this thread shows.
    void Play(const std::string& xdotoolArguments) {
        player = std::thread([xdotoolArguments] {
            EXPECT_TRUE(PollUntil([] { return DialogTextOnScreen() > 20; })) << "no dialog";
            Xdotool(xdotoolArguments);
        });
    }
    std::vector<std::string> Targets() {
        std::vector<std::string> targets;
        for (const auto& seen : server.Requests())
            targets.push_back(seen.target);
        return targets;
    }

    static inline std::unique_ptr<KBitmapFont> small;
    LoopbackHttpServer server;
    std::mutex mutex;
    std::string answer = "no";
    std::thread player;
};

} // namespace

TEST_F(ModalScreens, AcceptedNameIsTypedOneLetterPerPressAndSubmittedOnEnter) {
    Answer("yes");
    // A held A enters once; then B, 7 (ignored), Backspace, C.
    Play("keydown a sleep 0.5 keyup a key --delay 150 b 7 BackSpace c Return");
    ShowGameOver(TopScore, 2, 1230);
    EXPECT_EQ(Targets(),
              (std::vector<std::string>{
                  "/highscores/orbolo/ishighscore.php?gamename=tsaverage&submtdscore=1230",
                  "/highscores/orbolo/scoresubmitter.php?name=AC&score=1230&computer=M"
                  "&gamename=tsaverage"}));
}

TEST_F(ModalScreens, NameLettersFollowTheKeyboardLayoutAndBlanksNameNobody) {
    Answer("yes");
    // German and French keyboards swap Y and Z, A and Q, W and Z.
    for (const char* layout : {"de", "fr", "us"}) {
        ASSERT_EQ(std::system((std::string("setxkbmap ") + layout).c_str()), 0) << layout;
        Play("key --delay 150 z y a q w Return");
        ShowGameOver(TopScore, 1, 1230);
        player.join();
        EXPECT_NE(Targets().back().find("name=ZYAQW&"), std::string::npos) << layout;
    }
    Play("key --delay 150 space space Return");
    ShowGameOver(TopScore, 1, 1230);
    player.join();
    EXPECT_NE(Targets().back().find("name=chicken&"), std::string::npos);
}

TEST_F(ModalScreens, RefusedDialogAndCompletionScreenCloseOnTheirInputAndSendNothing) {
    struct Case {
        const char* answer; // "" for the completion screen
        const char* input;
        size_t requests;
    } cases[] = {{"no", "click 1", 1}, // the query only
                 {"", "key --delay 150 x y z Return", 1},
                 {nullptr, "key space", 0},
                 {nullptr, "click 1", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        ClearScreen();
        const size_t before = Targets().size();
        if (c.answer) Answer(c.answer);
        Play(c.input);
        c.answer ? ShowGameOver(TopScore, 1, 1230) : ShowCompletionScreen();
        player.join();
        EXPECT_EQ(Targets().size() - before, c.requests);
        // A closing click is over: it acts on nothing else.
        EXPECT_FALSE(KInputState::IsMouseDown());
    }
}

// Last: the test window stays closed afterwards.
TEST_F(ModalScreens, ClosingTheWindowEndsTheDialogWithoutSubmitting) {
    Answer("yes");
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&close);
    ShowGameOver(TimeAttack, 1, 75);
    EXPECT_TRUE(KDisplayWindow::IsClosed());
    EXPECT_EQ(Targets().size(), 1u);
    ShowCompletionScreen(); // returns at once on a closed window
}
