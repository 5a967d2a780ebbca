#include "game/panels/score_tables.h"

#include "game/panels/local_score_tables.h"
#include "game/panels/score_protocol.h"
#include "game/panels/score_server_choice.h"

#include <cstdio>

namespace {

// A server was named but cannot be asked: every call says so.
class NoTables : public ScoreTables {
  public:
    explicit NoTables(std::string problem) : problem(std::move(problem)) {}
    ScoreReply IsHighscore(const char*, int) override { return ScoreReply::BadAddress; }
    ScoreReply SubmitScore(const char*, const char*, int) override {
        return ScoreReply::BadAddress;
    }
    std::string HighscoresPageAddress() override {
        std::fprintf(stderr, "orbolo: no highscores page to open: %s\n", problem.c_str());
        return "";
    }

  private:
    std::string problem;
};

std::unique_ptr<ScoreTables> MakeChosenTables() {
    ScoreServerChoice choice = ChooseScoreServer(SourcesOfThisRun());
    switch (choice.kind) {
    case ScoreServerChoice::Kind::Server:
        return MakeServerTables(choice.address);
    case ScoreServerChoice::Kind::ThisMachine:
        return MakeLocalTables(ScoresDataDirectory());
    case ScoreServerChoice::Kind::Unusable:
        break;
    }
    std::fprintf(stderr, "orbolo: %s\n", choice.problem.c_str());
    return std::make_unique<NoTables>(choice.problem);
}

std::unique_ptr<ScoreTables>& Tables() {
    static std::unique_ptr<ScoreTables> tables;
    return tables;
}

} // namespace

const char* NameToSend(const char* typed) {
    for (const char* c = typed; c && *c; ++c) {
        if (*c != ' ') return typed;
    }
    return "chicken";
}

ScoreTables& GameScoreTables() {
    if (!Tables()) Tables() = MakeChosenTables();
    return *Tables();
}

void SetScoreTablesForTests(std::unique_ptr<ScoreTables> tables) {
    Tables() = std::move(tables);
}
