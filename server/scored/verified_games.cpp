#include "verified_games.h"

#include "access_log.h"
#include "game/replay/replay_verify.h"

#include <time.h>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

const std::string kBase = "/highscores/orbolo/";
const char* const kTablesByGame[2][3] = {{"taeasy", "taaverage", "tahard"},
                                         {"tseasy", "tsaverage", "tshard"}};

Answer Plain(int status, std::string text) {
    return {status, std::move(text), Answer::Plain};
}

Answer Busy() {
    return {503, "busy, try again shortly\n", Answer::Plain, DatabaseHealth::kRetryAfterSeconds};
}

int64_t Now() {
    return static_cast<int64_t>(std::time(nullptr));
}

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The one parameter `key`, and nothing else.
const std::string* Only(const QueryParameters& parameters, const char* key) {
    if (parameters.size() != 1 || parameters.count(key) != 1) return nullptr;
    return &parameters.begin()->second;
}

void Log(const std::string& address, const std::string& table, int64_t value,
         const std::string& outcome) {
    WriteAccessLog(AccessLogLine(Now(), address, table.empty() ? "-" : table, std::to_string(value),
                                 outcome.c_str()));
}

} // namespace

VerifiedGames::VerifiedGames(ScoreBackend& store, SubmissionWriter& writer, WorkerPool& pool,
                             VerificationQueue& queue, TokenSigner signer,
                             const ServerOptions& options)
    : store(store), writer(writer), pool(pool), queue(queue), signer(std::move(signer)),
      tokenSeconds(int64_t{options.tokenHours} * 3600), games(options.gamesPerMinute),
      replays(options.replaysPerMinute), downloads(options.queriesPerMinute) {}

bool VerifiedGames::Serves(const std::string& path) {
    for (const char* route :
         {"newgame.php", "isverifiedhighscore.php", "replaysubmitter.php", "replay.php"}) {
        if (path == kBase + route) return true;
    }
    return false;
}

std::optional<Answer> VerifiedGames::Handle(const ScoreRequest& request, const std::string& source,
                                            std::function<void(Answer)>& later) {
    const bool upload = request.path == kBase + "replaysubmitter.php";
    if (upload != (request.method == "POST")) return Plain(405, "method not allowed\n");
    if (upload) return Upload(request, source, later);
    if (request.path == kBase + "newgame.php") return NewGame(source);
    if (request.path == kBase + "isverifiedhighscore.php") return Query(request, source, later);
    return Download(request, source, later);
}

Answer VerifiedGames::NewGame(const std::string& source) {
    if (!games.Allow(source, std::chrono::steady_clock::now())) {
        return Plain(429, "too many games, try again in a minute\n");
    }
    const IssuedGame ticket{NewGameSeed(), Now()};
    return Plain(200,
                 "token " + signer.Issue(ticket) + "\nseed " + std::to_string(ticket.seed) + "\n");
}

std::optional<Answer> VerifiedGames::Query(const ScoreRequest& request, const std::string& source,
                                           const Reply& later) {
    if (!downloads.Allow(source, std::chrono::steady_clock::now())) {
        return Plain(429, "too many requests, try again in a minute\n");
    }
    std::optional<ScoreQuery> query = ParseQuery(request.parameters);
    if (!query) return Plain(400, "bad request\n");
    if (std::optional<bool> known = store.CachedWouldEnter(query->table, query->score, true))
        return Plain(200, *known ? "yes" : "no");
    return AnswerOnPool(
        pool,
        [this, query = *query] {
            std::optional<bool> enters = store.WouldEnter(query.table, query.score, true);
            if (!enters) return Busy();
            return Plain(200, *enters ? "yes" : "no");
        },
        Busy, later);
}

std::optional<Answer> VerifiedGames::Download(const ScoreRequest& request,
                                              const std::string& source, const Reply& later) {
    if (!downloads.Allow(source, std::chrono::steady_clock::now())) {
        return Plain(429, "too many requests, try again in a minute\n");
    }
    const std::string* id = Only(request.parameters, "id");
    if (!id || id->empty() || id->size() > 18 ||
        id->find_first_not_of("0123456789") != std::string::npos) {
        return Plain(400, "bad request\n");
    }
    return AnswerOnPool(
        pool,
        [this, id = *id] {
            std::optional<StoredReplay> replay = store.Replay(std::stoll(id));
            if (!replay) return Plain(404, "no such replay\n");
            return Answer(200, std::move(replay->bytes), Answer::Download, 0,
                          "orbolo-" + replay->table + "-" + id + ".orbolo-replay");
        },
        Busy, later);
}

std::optional<Answer> VerifiedGames::Upload(const ScoreRequest& request, const std::string& source,
                                            std::function<void(Answer)>& later) {
    const std::string* name = Only(request.parameters, "name");
    if (!name || !IsPlayerName(*name)) return Plain(400, "bad request\n");
    if (!replays.Allow(source, std::chrono::steady_clock::now())) {
        Log(AddressText(request.source), "", 0, "limited");
        return Plain(429, "too many replays, try again in a minute\n");
    }
    const std::string address = AddressText(request.source);
    auto answer = later;
    VerificationQueue::Queued queued =
        queue.Add(source, [this, bytes = request.body, name = *name, address, answer] {
            Judge(bytes, name, address, answer);
        });
    if (queued == VerificationQueue::Queued::Busy) {
        return Plain(503, "too many replays waiting, try again in a minute\n");
    }
    if (queued == VerificationQueue::Queued::SourceBusy) {
        return Plain(429, "your last replay is still being checked\n");
    }
    return std::nullopt;
}

void VerifiedGames::Judge(const std::string& bytes, const std::string& name,
                          const std::string& address, const std::function<void(Answer)>& answer) {
    const int64_t now = Now();
    auto refuse = [&](int status, const std::string& why, const std::string& table = "",
                      int64_t value = 0) {
        Log(address, table, value, "refused (" + why + ")");
        answer(Plain(status, "refused: " + why + "\n"));
    };
    replay::Replay recording;
    const replay::ReadError read =
        replay::ReadReplay(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), recording);
    if (read != replay::ReadError::None) {
        return refuse(422, std::string("unreadable replay: ") + replay::ReadErrorText(read));
    }
    const replay::ReplayHeader& header = recording.header;
    std::optional<IssuedGame> ticket = signer.Read(header.token);
    if (!ticket) return refuse(422, "no token of this server");
    if (ticket->seed != header.seed) return refuse(422, "the seed is not the token's");
    if (now - ticket->issued > tokenSeconds) return refuse(422, "the token has expired");
    // Both times are whole seconds, cut down: the game cannot have lasted
    // a full second more than their difference.
    uint64_t played = 0;
    for (uint32_t gap : recording.frameGaps)
        played += gap;
    if (played >= static_cast<uint64_t>(now - ticket->issued + 1) * 1000) {
        return refuse(422, "longer than the time since its token");
    }
    if (header.outcome != replay::Outcome::Result) return refuse(422, "no result to list");
    std::optional<bool> fresh = store.UseToken(header.token, ticket->issued + tokenSeconds, now);
    if (!fresh) return answer(Busy());
    if (!*fresh) return refuse(409, "the token was used before");

    const double cpuStart = ThreadCpuMs();
    const replay::ProvenGame proven = replay::VerifyReplay(recording);
    const double cpuMs = ThreadCpuMs() - cpuStart;
    if (proven.verdict != replay::Verdict::Proven) {
        return refuse(422, replay::VerdictText(proven.verdict), "", proven.result);
    }
    const std::string table = kTablesByGame[header.gameMode - 1][header.difficulty - 1];
    std::optional<int> value = ParseScore(table, std::to_string(proven.result));
    if (!value) return refuse(422, "a result out of the table's range", table, proven.result);

    // The writer logs the entry's fate; this line says what proving it cost.
    char cost[64];
    std::snprintf(cost, sizeof cost, "verified (%u frames, %.1f ms CPU)", proven.frames, cpuMs);
    Log(address, table, *value, cost);
    PendingEntry entry{{table, *value, name, ""}, address, now, "", 0, true, bytes};
    bool queued = writer.Enqueue(std::move(entry), [answer](AddOutcome outcome) {
        if (outcome == AddOutcome::Failed) return answer(Busy());
        answer(Plain(200, outcome == AddOutcome::Stored ? "stored\n" : "no"));
    });
    if (!queued) answer(Busy());
}
