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
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TEST(MakePath, JoinsBesideTheExecutableWithEitherSeparatorInOneBuffer) {
    for (auto [executable, file, joined] :
         {std::tuple{"/games/x/orbolo", "gfx\\back.jpg", "/games/x/gfx/back.jpg"},
          {"/games/x/orbolo", "/snd/Main.ogg", "/games/x/snd/Main.ogg"},
          {"/games/x/orbolo", "\\prefs", "/games/x/prefs"},
          {"/games/x/orbolo", ":prefs", "/games/x/prefs"},
          {"/games/x/orbolo", "//twice", "/games/x//twice"}, // only one is skipped
          {"/orbolo", "gfx\\x.jpg", "/gfx/x.jpg"}}) {
        KSystemTools::SetModuleDirectoryFrom(executable);
        EXPECT_STREQ(KSystemTools::MakePath(file), joined) << executable << " + " << file;
    }
    EXPECT_EQ(KSystemTools::MakePath("a"), KSystemTools::MakePath("b")) << "one shared buffer";
    std::string longName(400, 'n');
    EXPECT_EQ(std::string(KSystemTools::MakePath(longName.c_str())).size(), 259u);

    KSystemTools::InitModuleDirectory();
    EXPECT_EQ(KSystemTools::GetModuleDirectory(),
              fs::read_symlink("/proc/self/exe").parent_path().string());
}

TEST(Clock, ReadingsAdvanceWithRealTime) {
    int32_t a = KSystemTools::GetMilliseconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(14));
    int32_t b = KSystemTools::GetMilliseconds();
    int32_t d = static_cast<int32_t>(static_cast<uint32_t>(b) - static_cast<uint32_t>(a));
    EXPECT_GE(d, 13);
    EXPECT_LT(d, 10000);
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
    EXPECT_GT(pumped, 0) << "messages keep flowing during the wait";
    KSystemTools::SetMessagePump(nullptr);
}

TEST(OpenDocument, PassesTheTargetAsOneArgumentWithoutAShell) {
    fs::path dir = fs::temp_directory_path() / ("orbolo-open-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::path recorder = dir / "fake-open";
    fs::path record = dir / "args.txt";
    fs::path canary = dir / "pwned";
    {
        std::ofstream script(recorder);
        // Written whole, then renamed: the record appears complete.
        script << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '" << record.string()
               << ".part' && mv '" << record.string() << ".part' '" << record.string() << "'\n";
    }
    fs::permissions(recorder, fs::perms::owner_all);
    KSystemTools::SetOpenProgram(recorder.c_str());

    std::string target = "http://127.0.0.1/x?a=1;touch " + canary.string() + " $(touch " +
                         canary.string() + ") 'quoted\" `touch " + canary.string() + "`";
    KSystemTools::OpenDocument(target.c_str(), true);
    for (int i = 0; i < 3000 && !fs::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

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
