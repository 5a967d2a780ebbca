// The game-over dialog and the completion screen on a real window of its own X server: keys and
// clicks come from xdotool once the dialog shows, the score server is a recording one on 127.0.0.1.
#include "display/display_fixture.h"
#include "input/xdotool_driver.h"
#include "net/loopback_servers.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/display/KSystemTools.h"
#include "framework/input/KInputState.h"
#include "framework/text/KBitmapFont.h"
#include "game/rules/game_state.h"
#include "game/panels/completion_screen.h"
#include "game/panels/game_over_dialog.h"
#include "game/panels/score_protocol.h"
#include "game/panels/score_tables.h"
#include "game/screen_state.h"
#include "game/sprite_table.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace {

// Bright pixels in the dialog's text line at game y `y` (x 275..510): the
// 640 x 480 window sits centred on the 1024 x 768 screen. The first line
// is 20 rows high, the others 14.
int DialogLineOnScreen(int y = 192) {
    return BrightPixelsOnScreen(192 + 275, 144 + y, 235, y == 192 ? 20 : 14);
}

class ModalScreens : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        TestWindow().Flip(false);
        FocusWindow("ORBOLO display test");
        small = std::make_unique<KBitmapFont>(ORBOLO_RUNTIME_DIR "/gfx/font.tga", SmallFontGlyphs);
        KSystemTools::SetModuleDirectoryFrom(ORBOLO_RUNTIME_DIR "/orbolo");
        LoadSprite(kPlaySprite, "gfx\\play2.tga"); // the message box pieces
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
        server.ServeScorePages();
        server.Set({200, "no"});
        SetScoreTablesForTests(MakeServerTables(server.Base()));
        Xdotool("mousemove 512 384");
        ClearScreen();
    }
    // A black screen, so the player sees the next dialog come up.
    static void ClearScreen() {
        StartFrame(0, 0, 0);
        TestWindow().Flip(false);
        ASSERT_TRUE(PollUntil([] { return DialogLineOnScreen() == 0; }));
        KInputState::Init(); // forget presses made before
    }
    void TearDown() override {
        if (player.joinable()) player.join();
        SetScoreTablesForTests(nullptr);
    }

    void Answer(const std::string& text) { server.Set({200, text}); }
    // The player's input, sent once the dialog running on this thread shows.
    void Play(const std::string& xdotoolArguments) {
        player = std::thread([xdotoolArguments] {
            EXPECT_TRUE(PollUntil([] { return DialogLineOnScreen() > 20; })) << "no dialog";
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

TEST_F(ModalScreens, DialogDrawsWhileTheServerTakesItsTimeAndSaysWhenNothingWasSaved) {
    std::mutex holdLock;
    std::condition_variable held;
    bool released = false;
    LoopbackHttpServer slow; // a query answered once the test lets it; submissions fail
    slow.server.Get("/highscores/orbolo/ishighscore.php",
                    [&](const httplib::Request&, httplib::Response& r) {
                        std::unique_lock<std::mutex> lock(holdLock);
                        held.wait_for(lock, std::chrono::seconds(40), [&] { return released; });
                        r.set_content("yes", "text/plain");
                    });
    slow.server.Get("/highscores/orbolo/scoresubmitter.php",
                    [](const httplib::Request&, httplib::Response& r) { r.status = 500; });
    SetScoreTablesForTests(MakeServerTables(slow.Base()));
    bool drawnWhileWaiting = false, nameAsked = false, noticeShown = false;
    player = std::thread([&] {
        drawnWhileWaiting = PollUntil([] { return DialogLineOnScreen() > 20; });
        {
            std::lock_guard<std::mutex> lock(holdLock);
            released = true;
        }
        held.notify_all();
        nameAsked = PollUntil([] { return DialogLineOnScreen(214) > 20; }); // congratulations
        Xdotool("key Return");
        noticeShown = PollUntil([] { return DialogLineOnScreen(275) > 20; }); // click to go on
        Xdotool("click 1");
    });
    ShowGameOver(TopScore, 2, 1230);
    EXPECT_TRUE(drawnWhileWaiting) << "no frame drawn while the server was asked";
    EXPECT_TRUE(nameAsked);
    EXPECT_TRUE(noticeShown) << "the failed submission was not told";
    EXPECT_EQ(slow.Requests().size(), 2u);
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
