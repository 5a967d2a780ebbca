#include "game/panels/score_protocol.h"

#include "framework/net/KUrlReader.h"
#include "game/game_state.h"

#include <cstdio>
#include <cstring>
#include <string>

#ifndef ORBOLO_SCORE_SERVER
#error "ORBOLO_SCORE_SERVER must name the score server, e.g. http://127.0.0.1:8086"
#endif

namespace {

constexpr size_t kUrlSize = 260;

struct ProtocolState {
    std::string serverOverride;
    std::string pageAddress;
} PROTOCOL;

int ResultValue() {
    if (settings.gameMode == TimeAttack) return counters.timeLeft;
    return counters.score * 10;
}

// Formats into `url`; false when the text would not fit, so a request is
// never sent cut short.
template <typename... Args>
bool FormatUrl(char (&url)[kUrlSize], const char* format, Args... args) {
    int n = std::snprintf(url, kUrlSize, format, args...);
    return n > 0 && static_cast<size_t>(n) < kUrlSize;
}

} // namespace

const char* HighscoreTableName(int16_t gameMode, int16_t difficulty) {
    static const char* const kTables[2][3] = {{"taeasy", "taaverage", "tahard"},
                                              {"tseasy", "tsaverage", "tshard"}};
    if (gameMode != TimeAttack && gameMode != TopScore) return nullptr;
    if (difficulty < 1 || difficulty > 3) return nullptr;
    return kTables[gameMode - 1][difficulty - 1];
}

const char* ScoreServerAddress() {
    return PROTOCOL.serverOverride.empty() ? ORBOLO_SCORE_SERVER : PROTOCOL.serverOverride.c_str();
}

const char* HighscoresPageAddress() {
    PROTOCOL.pageAddress = std::string(ScoreServerAddress()) + "/highscores/orbolo/";
    return PROTOCOL.pageAddress.c_str();
}

void SetScoreServerForTests(const char* base) {
    PROTOCOL.serverOverride = base ? base : "";
}

bool IsHighscore(const char* tableName) {
    if (settings.gameMode == Puzzle || !tableName) return false;
    char url[kUrlSize] = {};
    if (!FormatUrl(url, "%s/highscores/orbolo/ishighscore.php?gamename=%s&submtdscore=%d",
                   ScoreServerAddress(), tableName, ResultValue())) {
        return false;
    }
    KUrlReader reader;
    const char* answer = reader.Get(url, false);
    return answer && std::strstr(answer, "yes") != nullptr;
}

void SubmitScore(const char* name, const char* tableName) {
    if (settings.gameMode == Puzzle || !tableName) return;
    const char* sent = (!name || name[0] == '\0') ? "chicken" : name;
    char url[kUrlSize] = {};
    if (!FormatUrl(
            url, "%s/highscores/orbolo/scoresubmitter.php?name=%s&score=%d&computer=M&gamename=%s",
            ScoreServerAddress(), sent, ResultValue(), tableName)) {
        return;
    }
    KUrlReader reader;
    reader.Get(url, false); // the answer carries nothing the game shows
}
