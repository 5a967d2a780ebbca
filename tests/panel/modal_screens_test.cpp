// The game-over dialog and the completion screen on a real window of its own X server: keys and
// clicks come from xdotool, the score server is a recording one on 127.0.0.1.
#include "display/display_fixture.h"
#include "input/xdotool_driver.h"
#include "net/loopback_http_server.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/input/KInputState.h"
#include "framework/text/KBitmapFont.h"
#include "game/game_state.h"
#include "game/panels/completion_screen.h"
#include "game/panels/game_over_dialog.h"
#include "game/panels/score_protocol.h"
#include "game/panels/score_tables.h"
#include "game/screen_state.h"
#include "game/sprite_table.h"
#include "framework/display/KSystemTools.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace {

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
        SetScoreTablesForTests(MakeServerTables(server.Base()));
        Xdotool("mousemove 512 384");
        KInputState::Init(); // forget presses of the test before
    }
    void TearDown() override {
        if (player.joinable()) player.join();
        SetScoreTablesForTests(nullptr);
    }

    void Answer(const std::string& text) {
        std::lock_guard<std::mutex> lock(mutex);
        answer = text;
    }
    // The player's input, sent while the dialog runs on this thread.
    void Play(const std::string& xdotoolArguments) {
        player = std::thread([xdotoolArguments] { Xdotool("sleep 0.4 " + xdotoolArguments); });
    }
    std::vector<std::string> Targets() {
        std::vector<std::string> targets;
        for (const auto& seen : server.Requests())
            targets.push_back(seen.target);
        return targets;
    }

    // Rows of the window as the X server shows them.
    static std::string WindowRows(int y, int height) {
        std::string command = "import -window \"$(xdotool search --name '^ORBOLO display test$')\" "
                              "-crop 640x" +
                              std::to_string(height) + "+0+" + std::to_string(y) +
                              " -depth 8 rgb:- 2>/dev/null";
        std::string rows;
        if (std::FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[4096];
            for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
                rows.append(buffer, n);
            pclose(pipe);
        }
        return rows;
    }

    // Each look at the screen takes a while: give up after a bounded time.
    static bool ScreenShowsWithin(const std::function<bool()>& condition) {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (std::chrono::steady_clock::now() < end)
            if (condition()) return true;
        return false;
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
    auto targets = Targets();
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(targets[0], "/highscores/orbolo/ishighscore.php?gamename=tsaverage&submtdscore=1230");
    EXPECT_EQ(
        targets[1],
        "/highscores/orbolo/scoresubmitter.php?name=AC&score=1230&computer=M&gamename=tsaverage");
}

TEST_F(ModalScreens, DialogDrawsWhileTheServerTakesItsTimeAndSaysWhenNothingWasSaved) {
    std::mutex holdLock;
    std::condition_variable held;
    bool arrived = false, released = false;
    LoopbackHttpServer slow; // a query answered once the test lets it; submissions fail
    slow.server.Get("/highscores/orbolo/ishighscore.php",
                    [&](const httplib::Request&, httplib::Response& r) {
                        std::unique_lock<std::mutex> lock(holdLock);
                        arrived = true;
                        held.wait_for(lock, std::chrono::seconds(20), [&] { return released; });
                        r.set_content("yes", "text/plain");
                    });
    slow.server.Get("/highscores/orbolo/scoresubmitter.php",
                    [](const httplib::Request&, httplib::Response& r) { r.status = 500; });
    SetScoreTablesForTests(MakeServerTables(slow.Base()));
    StartFrame(0, 0, 0);
    resources.window->Flip(false);
    bool drawnWhileWaiting = false, nameAsked = false, noticeShown = false;
    player = std::thread([&] {
        ScreenShowsWithin([&] {
            std::lock_guard<std::mutex> lock(holdLock);
            return arrived;
        });
        const std::string black(640 * 52 * 3, '\0');
        drawnWhileWaiting = ScreenShowsWithin([&] {
            auto rows = WindowRows(228, 52);
            return !rows.empty() && rows != black;
        });
        std::string waiting = WindowRows(228, 52);
        {
            std::lock_guard<std::mutex> lock(holdLock);
            released = true;
        }
        held.notify_all();
        nameAsked = ScreenShowsWithin([&] { return WindowRows(228, 52) != waiting; });
        std::string asking = WindowRows(228, 52);
        Xdotool("key Return");
        noticeShown = ScreenShowsWithin([&] {
            auto rows = WindowRows(228, 52);
            return rows != asking && rows != waiting;
        });
        Xdotool("click 1");
    });
    ShowGameOver(TopScore, 2, 1230);
    EXPECT_TRUE(drawnWhileWaiting) << "no frame drawn while the server was asked";
    EXPECT_TRUE(nameAsked);
    EXPECT_TRUE(noticeShown) << "the failed submission was not told";
    EXPECT_EQ(slow.Requests().size(), 2u);
}

TEST_F(ModalScreens, RefusedDialogClosesOnAClickAndSendsNothing) {
    Answer("no");
    Play("click 1");
    ShowGameOver(TopScore, 1, 1230);
    auto targets = Targets();
    ASSERT_EQ(targets.size(), 1u);            // the query only
    EXPECT_FALSE(KInputState::IsMouseDown()); // the click is over: it acts on nothing else
}

TEST_F(ModalScreens, RefusedDialogAlsoClosesOnEnter) {
    Answer("");
    Play("key --delay 150 x y z Return");
    ShowGameOver(TopScore, 3, 1230);
    EXPECT_EQ(Targets().size(), 1u);
}

TEST_F(ModalScreens, CompletionScreenClosesOnSpace) {
    Play("key space");
    ShowCompletionScreen();
    EXPECT_TRUE(Targets().empty());
}

TEST_F(ModalScreens, CompletionScreenClosesOnAClickThatActsOnNothingElse) {
    Play("click 1");
    ShowCompletionScreen();
    EXPECT_FALSE(KInputState::IsMouseDown());
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
