// Which score server a run uses: the first source that names one, real
// configuration files, and a clear message for an address that cannot work.
#include "game/panels/score_server_choice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using Kind = ScoreServerChoice::Kind;

class ScoreServerChoiceTest : public testing::Test {
  protected:
    std::string Config(const std::string& name, const std::string& text) {
        std::string path = (folder / name).string();
        std::ofstream(path) << text;
        return path;
    }
    std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "choice";
    void SetUp() override { std::filesystem::create_directories(folder); }
};

TEST_F(ScoreServerChoiceTest, FirstSourceNamingAServerWins) {
    std::string user = Config("user.conf", "# mine\n  score-server = https://user.example/x/  \n");
    std::string other = Config("other.conf", "volume = 3\n");
    std::string system = Config("system.conf", "score-server=http://system.example:8086\n");
    const struct {
        ScoreServerSources sources;
        Kind kind;
        std::string address;
    } cases[] = {
        {{"http://env.example", "http://flag.example", {user}, "x"},
         Kind::Server,
         "http://env.example"},
        {{"", "http://flag.example:80/", {user}, "x"}, Kind::Server, "http://flag.example:80"},
        {{"", "", {other, user, system}, "x"}, Kind::Server, "https://user.example/x"},
        {{"", "", {"/nonexistent/orbolo.conf", system}, ""},
         Kind::Server,
         "http://system.example:8086"},
        {{"", "", {other}, "http://build.example"}, Kind::Server, "http://build.example"},
        {{"", "", {other}, ""}, Kind::ThisMachine, ""},
        {{"local", "http://flag.example", {}, ""}, Kind::ThisMachine, ""},
        {{"", "", {Config("local.conf", "score-server = local\n"), system}, ""},
         Kind::ThisMachine,
         ""},
        {{"http://[::1]:8086", "", {}, ""}, Kind::Server, "http://[::1]:8086"},
    };
    for (const auto& c : cases) {
        ScoreServerChoice choice = ChooseScoreServer(c.sources);
        EXPECT_EQ(c.kind, choice.kind) << choice.from << ": " << choice.problem;
        EXPECT_EQ(c.address, choice.address) << choice.from;
    }
}

TEST_F(ScoreServerChoiceTest, UnusableAddressIsNamedWithItsSourceAndFault) {
    std::string conf = Config("bad.conf", "\nscore-server = scores.example.org\n");
    ScoreServerChoice choice = ChooseScoreServer({"", "", {conf}, ""});
    EXPECT_EQ(Kind::Unusable, choice.kind);
    EXPECT_EQ("the score server address \"scores.example.org\" (" + conf +
                  " line 2) is unusable: it must begin with http:// or https://; online highscores "
                  "are off.",
              choice.problem);
    for (const char* bad :
         {"ftp://a.example", "http://", "http://a b.example", "http://a.example:0",
          "http://a.example:65536", "http://a.example:", "http://a.example?x=1",
          "http://user@a.example", "http://a_b.example", "http://[::1", "http://ünï.example"}) {
        EXPECT_EQ(Kind::Unusable, ChooseScoreServer({bad, "", {}, ""}).kind) << bad;
    }
    EXPECT_EQ(Kind::Unusable,
              ChooseScoreServer({"http://" + std::string(130, 'a') + ".example", "", {}, ""}).kind);
    // A misspelt key is named with its file and line; a huge value is cut.
    conf = Config("typo.conf", "score_server = http://a.example\nscore-server = http://" +
                                   std::string(5'000'000, 'a') + "\n");
    testing::internal::CaptureStderr();
    choice = ChooseScoreServer({"", "", {conf}, ""});
    EXPECT_EQ("orbolo: " + conf +
                  " line 1: \"score_server\" is not a setting (the one known is \"score-server = "
                  "ADDRESS\"); ignored.\n",
              testing::internal::GetCapturedStderr());
    EXPECT_EQ(Kind::Unusable, choice.kind);
    EXPECT_LT(choice.problem.size(), 300u);
    EXPECT_NE(std::string::npos, choice.problem.find("(5000007 characters)"));
}

TEST_F(ScoreServerChoiceTest, DataFolderFollowsXdgDataHome) {
    setenv("XDG_DATA_HOME", "/tmp/xdg-data", 1);
    EXPECT_EQ("/tmp/xdg-data/orbolo", ScoresDataDirectory());
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    setenv("HOME", "/home/player", 1);
    EXPECT_EQ("/home/player/.local/share/orbolo", ScoresDataDirectory());
    unsetenv("XDG_DATA_HOME");
}

} // namespace
