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

// The clock counts milliseconds of real time and its differences survive
// the wrap; a wait lasts at least its time while the window keeps being served.
TEST(Clock, DifferencesSurviveTheWrapAndAWaitServesTheWindow) {
    static int32_t fake = INT32_MAX - 5;
    KSystemTools::SetClockSource([] { return fake; });
    uint32_t stamp = static_cast<uint32_t>(KSystemTools::GetMilliseconds());
    fake = static_cast<int32_t>(static_cast<uint32_t>(fake) + 20); // wraps negative
    EXPECT_EQ(static_cast<uint32_t>(KSystemTools::GetMilliseconds()) - stamp, 20u);
    KSystemTools::SetClockSource(nullptr);

    static int pumped = 0;
    KSystemTools::SetMessagePump([] { ++pumped; });
    KSystemTools::Wait(0, false);
    EXPECT_EQ(pumped, 0);
    const auto t0 = std::chrono::steady_clock::now();
    const int32_t before = KSystemTools::GetMilliseconds();
    KSystemTools::Wait(25, true);
    const int32_t waited = int32_t(uint32_t(KSystemTools::GetMilliseconds()) - uint32_t(before));
    EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(24));
    EXPECT_TRUE(waited >= 24 && waited < 10000) << waited;
    EXPECT_GT(pumped, 0) << "messages keep flowing during the wait";
    KSystemTools::SetMessagePump(nullptr);
}

TEST(OpenDocument, PassesTheTargetAsOneArgumentWithoutAShell) {
    fs::path dir = fs::temp_directory_path() / ("orbolo-open-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::path recorder = dir / "fake-open", record = dir / "args.txt", canary = dir / "pwned";
    // The record is written whole, then renamed: it appears complete.
    std::ofstream(recorder) << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '" << record.string()
                            << ".part' && mv '" << record.string() << ".part' '" << record.string()
                            << "'\n";
    fs::permissions(recorder, fs::perms::owner_all);
    KSystemTools::SetOpenProgram(recorder.c_str());

    std::string target = "http://127.0.0.1/x?a=1;touch " + canary.string() + " $(touch " +
                         canary.string() + ") 'quoted\" `touch " + canary.string() + "`";
    KSystemTools::OpenDocument(target.c_str(), true);
    for (int i = 0; i < 3000 && !fs::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    std::ifstream in(record);
    std::string count, arg;
    std::getline(std::getline(in, count), arg);
    EXPECT_EQ(count + " " + arg, "1 " + target);
    EXPECT_FALSE(fs::exists(canary));

    KSystemTools::SetOpenProgram("orbolo-no-such-opener");
    KSystemTools::OpenDocument("ignored", false); // a missing handler is no failure we report
    KSystemTools::SetOpenProgram(nullptr);
    fs::remove_all(dir);
}

} // namespace
