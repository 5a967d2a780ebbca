#include "game/panels/score_protocol.h"

#include "framework/net/KUrlReader.h"
#include "game/rules/game_state.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

constexpr size_t kUrlSize = 260;
// A retry with less time than this left would rarely get its answer.
constexpr std::chrono::milliseconds kShortestTry{500};

// Formats into `url`; false when the text would not fit, so a request is
// never sent cut short.
template <typename... Args>
bool FormatUrl(char (&url)[kUrlSize], const char* format, Args... args) {
    int n = std::snprintf(url, kUrlSize, format, args...);
    return n > 0 && static_cast<size_t>(n) < kUrlSize;
}

// The body is exactly `word`, perhaps closed by a line break.
bool IsAnswer(const char* body, const char* word) {
    size_t n = std::strlen(word);
    if (std::strncmp(body, word, n) != 0) return false;
    return std::strcmp(body + n, "") == 0 || std::strcmp(body + n, "\n") == 0 ||
           std::strcmp(body + n, "\r\n") == 0;
}

ScoreReply ReplyToFailure(KUrlFailure failure) {
    switch (failure) {
    case KUrlFailure::Unreachable:
        return ScoreReply::Unreachable;
    case KUrlFailure::BadUrl:
        return ScoreReply::BadAddress;
    default:
        return ScoreReply::ServerFault;
    }
}

// "token T\nseed N\n": the token as the recording keeps it (printable
// ASCII, no blank) and the seed in decimal.
std::optional<GameTicket> ParseTicket(const char* body) {
    char token[replay::kMaxTokenBytes + 1] = {};
    unsigned long long seed = 0;
    int consumed = 0;
    if (std::sscanf(body, "token %64[!-~]\nseed %llu\n%n", token, &seed, &consumed) != 2 ||
        consumed == 0 || body[consumed] != '\0') {
        return std::nullopt;
    }
    return GameTicket{seed, token};
}

class ServerTables : public ScoreTables {
  public:
    explicit ServerTables(std::string address) : address(std::move(address)) {}

    ScoreReply IsHighscore(const char* table, int value) override {
        char url[kUrlSize] = {};
        if (!FormatUrl(url, "%s/highscores/orbolo/ishighscore.php?gamename=%s&submtdscore=%d",
                       address.c_str(), table, value)) {
            return ScoreReply::BadAddress;
        }
        return Ask(url, "yes", ScoreReply::Enters);
    }

    ScoreReply SubmitScore(const char* name, const char* table, int value) override {
        char url[kUrlSize] = {};
        if (!FormatUrl(url,
                       "%s/highscores/orbolo/scoresubmitter.php?name=%s&score=%d&computer=M"
                       "&gamename=%s",
                       address.c_str(), NameToSend(name), value, table)) {
            return ScoreReply::BadAddress;
        }
        // A busy server stored nothing: one more try after the wait it
        // asked for, when that still fits the time a player waits.
        const auto started = std::chrono::steady_clock::now();
        long retryAfter = -1;
        ScoreReply reply = Ask(url, "stored", ScoreReply::Stored, 0, &retryAfter);
        if (retryAfter < 0) return reply;
        const auto wait = std::chrono::seconds(retryAfter);
        const auto left = std::chrono::milliseconds(KUrlReader::GetLimits().totalMilliseconds) -
                          (std::chrono::steady_clock::now() - started) - wait;
        if (left < kShortestTry) return reply;
        std::this_thread::sleep_for(wait);
        return Ask(url, "stored", ScoreReply::Stored,
                   std::chrono::duration_cast<std::chrono::milliseconds>(left).count());
    }

    std::string HighscoresPageAddress() override { return address + "/highscores/orbolo/"; }

    std::optional<GameTicket> FetchGameTicket(bool& askAgain) override {
        askAgain = true;
        char url[kUrlSize] = {};
        if (!FormatUrl(url, "%s/highscores/orbolo/newgame.php", address.c_str())) {
            askAgain = false;
            return std::nullopt;
        }
        KUrlReader reader;
        const char* body = reader.Get(url, false);
        if (!body) {
            // A server that answers with an error status knows no such
            // request: one that predates verified games.
            askAgain = reader.GetFailure() == KUrlFailure::Unreachable;
            return std::nullopt;
        }
        return ParseTicket(body);
    }

    ScoreReply IsVerifiedHighscore(const char* table, int value) override {
        char url[kUrlSize] = {};
        if (!FormatUrl(url,
                       "%s/highscores/orbolo/isverifiedhighscore.php?gamename=%s&submtdscore=%d",
                       address.c_str(), table, value)) {
            return ScoreReply::BadAddress;
        }
        return Ask(url, "yes", ScoreReply::Enters);
    }

    ScoreReply SubmitReplay(const char* name, const std::vector<uint8_t>& replay) override {
        char url[kUrlSize] = {};
        if (!FormatUrl(url, "%s/highscores/orbolo/replaysubmitter.php?name=%s", address.c_str(),
                       NameToSend(name))) {
            return ScoreReply::BadAddress;
        }
        KUrlReader reader;
        const char* body = reader.Post(url, reinterpret_cast<const char*>(replay.data()),
                                       static_cast<uint32_t>(replay.size()), false);
        if (!body) return ReplyToFailure(reader.GetFailure());
        if (IsAnswer(body, "stored")) return ScoreReply::Stored;
        if (IsAnswer(body, "no")) return ScoreReply::TooLow;
        return ScoreReply::ServerFault;
    }

  private:
    // One request: `word` means `accepted`, "no" too low, anything else a
    // fault of the server. `totalMs` (when not 0) bounds it below the usual
    // limit; `retryAfter`, when given, receives the wait a busy server
    // asked for (a second when it named none), and stays -1 otherwise.
    static ScoreReply Ask(const char* url, const char* word, ScoreReply accepted, long totalMs = 0,
                          long* retryAfter = nullptr) {
        KUrlReader reader;
        reader.LimitTotal(totalMs);
        const char* body = reader.Get(url, false);
        if (!body && reader.GetFailure() == KUrlFailure::Busy && retryAfter)
            *retryAfter = reader.GetRetryAfterSeconds() < 0 ? 1 : reader.GetRetryAfterSeconds();
        if (!body) return ReplyToFailure(reader.GetFailure());
        if (IsAnswer(body, word)) return accepted;
        if (IsAnswer(body, "no")) return ScoreReply::TooLow;
        return ScoreReply::ServerFault;
    }

    std::string address;
};

} // namespace

const char* HighscoreTableName(int16_t gameMode, int16_t difficulty) {
    static const char* const kTables[2][3] = {{"taeasy", "taaverage", "tahard"},
                                              {"tseasy", "tsaverage", "tshard"}};
    if (gameMode != TimeAttack && gameMode != TopScore) return nullptr;
    if (difficulty < 1 || difficulty > 3) return nullptr;
    return kTables[gameMode - 1][difficulty - 1];
}

std::unique_ptr<ScoreTables> MakeServerTables(const std::string& address) {
    return std::make_unique<ServerTables>(address);
}
