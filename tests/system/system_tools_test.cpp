// System tools: paths beside the executable, the clock, waits, message boxes
// and handing a target to the desktop without a shell.
#include "framework/display/KSystemTools.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TEST(MakePath, JoinsBesideTheExecutableWithEitherSeparator) {
    KSystemTools::SetModuleDirectoryFrom("/games/x/orbolo");
    EXPECT_STREQ(KSystemTools::MakePath("gfx\\back.jpg"), "/games/x/gfx/back.jpg");
    EXPECT_STREQ(KSystemTools::MakePath("/snd/Main.ogg"), "/games/x/snd/Main.ogg");
    EXPECT_STREQ(KSystemTools::MakePath("\\prefs"), "/games/x/prefs");
    EXPECT_STREQ(KSystemTools::MakePath(":prefs"), "/games/x/prefs");
    EXPECT_STREQ(KSystemTools::MakePath("//twice"), "/games/x//twice") << "only one is skipped";
}

TEST(MakePath, SharesOneBufferAndCutsLongPaths) {
    KSystemTools::SetModuleDirectoryFrom("/games/x/orbolo");
    const char* first = KSystemTools::MakePath("gfx\\a.tga");
    const char* second = KSystemTools::MakePath("gfx\\b.tga");
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "/games/x/gfx/b.tga");

    std::string longName(400, 'n');
    EXPECT_EQ(std::string(KSystemTools::MakePath(longName.c_str())).size(), 259u);
}

TEST(MakePath, AnExecutableAtTheRootJoinsToRootPaths) {
    KSystemTools::SetModuleDirectoryFrom("/orbolo");
    EXPECT_STREQ(KSystemTools::MakePath("gfx\\x.jpg"), "/gfx/x.jpg");
}

TEST(MakePath, TheRealExecutableDirectoryIsFound) {
    KSystemTools::InitModuleDirectory();
    fs::path self = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(KSystemTools::GetModuleDirectory(), self.parent_path().string());
}

TEST(Clock, ReadingsAdvanceWithRealTime) {
    int32_t a = KSystemTools::GetMilliseconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(14));
    int32_t b = KSystemTools::GetMilliseconds();
    int32_t d = static_cast<int32_t>(static_cast<uint32_t>(b) - static_cast<uint32_t>(a));
    EXPECT_GE(d, 13);
    EXPECT_LT(d, 1000);
}

TEST(Clock, DifferencesSurviveTheWrap) {
    static int32_t fake = 0;
    KSystemTools::SetClockSource([] { return fake; });
    fake = INT32_MAX - 5;
    uint32_t stamp = static_cast<uint32_t>(KSystemTools::GetMilliseconds());
    fake = static_cast<int32_t>(static_cast<uint32_t>(fake) + 20); // wraps negative
    EXPECT_EQ(static_cast<uint32_t>(KSystemTools::GetMilliseconds()) - stamp, 20u);
    KSystemTools::SetClockSource(nullptr);
}

TEST(Wait, ReturnsAfterAtLeastTheTimeAndServesTheWindow) {
    static int pumped = 0;
    KSystemTools::SetMessagePump([] { ++pumped; });
    auto t0 = std::chrono::steady_clock::now();
    KSystemTools::Wait(0, false);
    EXPECT_EQ(pumped, 0);
    KSystemTools::Wait(25, true);
    auto elapsed = std::chrono::steady_clock::now() - t0;
    EXPECT_GE(elapsed, std::chrono::milliseconds(24));
    EXPECT_GT(pumped, 5) << "messages keep flowing during the wait";
    KSystemTools::SetMessagePump(nullptr);
}

TEST(ShowMessage, GoesToTheInstalledSinkCaptionFirst) {
    static std::string seen;
    KSystemTools::SetMessageSink([](const char* caption, const char* text) {
        seen = std::string(caption) + "|" + text;
    });
    KSystemTools::ShowMessage("Error", "Something went wrong");
    EXPECT_EQ(seen, "Error|Something went wrong");
    KSystemTools::SetMessageSink(nullptr);
}

TEST(OpenDocument, PassesTheTargetAsOneArgumentWithoutAShell) {
    fs::path dir = fs::temp_directory_path() / ("orbolo-open-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::path recorder = dir / "fake-open";
    fs::path record = dir / "args.txt";
    fs::path canary = dir / "pwned";
    {
        std::ofstream script(recorder);
        script << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '" << record.string() << "'\n";
    }
    fs::permissions(recorder, fs::perms::owner_all);
    KSystemTools::SetOpenProgram(recorder.c_str());

    std::string target = "http://127.0.0.1/x?a=1;touch " + canary.string() + " $(touch " +
                         canary.string() + ") 'quoted\" `touch " + canary.string() + "`";
    KSystemTools::OpenDocument(target.c_str(), true);
    for (int i = 0; i < 200 && !fs::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));

    std::ifstream in(record);
    std::string count, arg;
    std::getline(in, count);
    std::getline(in, arg);
    EXPECT_EQ(count, "1");
    EXPECT_EQ(arg, target);
    EXPECT_FALSE(fs::exists(canary));

    KSystemTools::SetOpenProgram("orbolo-no-such-opener");
    KSystemTools::OpenDocument("ignored", false); // a missing handler is no failure we report
    KSystemTools::SetOpenProgram(nullptr);
    fs::remove_all(dir);
}

} // namespace
