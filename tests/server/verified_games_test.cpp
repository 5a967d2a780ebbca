// The verified requests through the real orbolo-scored on 127.0.0.1: a bot's
// game, recorded headless on the seed the server chose, is replayed by the
// server and listed with its replay; every way a recording can lie is
// refused; the old requests go on beside them. Tokens are signed here with
// the key in the server's database, as another server on it would, so a
// game can be older than the test.
#include "game/panels/score_protocol.h"
#include "game/rules/game_state.h"
#include "game_token.h"
#include "score_backend.h"
#include "server/score_server_process.h"
#include "support/bot_recording.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

const std::string kBase = "/highscores/orbolo/";

TokenSigner SignerOf(const ScoreServerProcess& server) {
    std::string error;
    std::unique_ptr<ScoreBackend> store = OpenScoreBackend(server.DatabasePath(), 10, error);
    return TokenSigner(store->SharedSecret("not the first").value());
}

std::string Token(const TokenSigner& signer, uint64_t seed, int64_t age) {
    return signer.Issue({seed, static_cast<int64_t>(std::time(nullptr)) - age});
}

// A bot's whole TopScore game on `seed`.
replay::Replay BotGame(uint64_t seed) {
    replay::ReplayHeader start;
    start.gameMode = TopScore;
    start.startSpeed = 5;
    start.seed = seed;
    replay::Replay game = RecordBotGame(start, {14, 2});
    EXPECT_EQ(replay::Outcome::Result, game.header.outcome);
    return game;
}

std::string Bytes(const replay::Replay& recording) {
    std::vector<uint8_t> bytes = replay::WriteReplay(recording);
    return std::string(bytes.begin(), bytes.end());
}

std::string Upload(const ScoreServerProcess& server, const std::string& bytes) {
    return Post(server, kBase + "replaysubmitter.php?name=BOT", bytes);
}

TEST(VerifiedGames, ABotGameIsReplayedAndListedWithItsReplay) {
    ScoreServerProcess server;
    const std::string address = "http://127.0.0.1:" + std::to_string(server.Port());
    std::unique_ptr<ScoreTables> client = MakeServerTables(address);
    bool askAgain = false;
    std::optional<GameTicket> ticket = client->FetchGameTicket(askAgain);
    ASSERT_TRUE(ticket);
    const TokenSigner signer = SignerOf(server);
    std::optional<IssuedGame> issued = signer.Read(ticket->token);
    ASSERT_TRUE(issued) << ticket->token;
    EXPECT_EQ(ticket->seed, issued->seed);
    EXPECT_LE(std::time(nullptr) - issued->issued, 5);

    replay::Replay game = BotGame(ticket->seed);
    game.header.token = Token(signer, ticket->seed, 7200);
    const int points = game.header.claimedResult;
    EXPECT_EQ(ScoreReply::Enters, client->IsVerifiedHighscore("tseasy", points));
    std::vector<uint8_t> bytes = replay::WriteReplay(game);
    EXPECT_EQ(ScoreReply::Stored, client->SubmitReplay("BOT", bytes));

    // The old requests answer as they always did, and their entry is
    // listed apart.
    EXPECT_EQ("200 yes", Get(server, kBase + "ishighscore.php?gamename=tseasy&submtdscore=990"));
    EXPECT_EQ("200 stored\n", Get(server, kBase + "scoresubmitter.php?name=OLD&score=990&computer=M"
                                                  "&gamename=tseasy"));
    const std::string page = Get(server, kBase);
    const size_t link = page.find("replay.php?id=");
    ASSERT_NE(std::string::npos, link) << page;
    EXPECT_NE(std::string::npos, page.find("\xE2\x9C\x93 watch", link));
    EXPECT_LT(page.find(">BOT<"), page.find("Not verified"));
    EXPECT_LT(page.find("Not verified"), page.find(">OLD<"));

    const std::string target = kBase + page.substr(link, page.find('"', link) - link);
    const std::string reply = Raw(server, target);
    EXPECT_NE(std::string::npos, reply.find("Content-Type: application/x-orbolo-replay\r\n"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), reply.substr(reply.find("\r\n\r\n") + 4));
    EXPECT_EQ("404 no such replay\n", Get(server, kBase + "replay.php?id=999999"));
}

TEST(VerifiedGames, EveryWayARecordingCanLieIsRefused) {
    ScoreServerProcess server({"--replays-per-minute", "0"});
    const TokenSigner signer = SignerOf(server);
    const replay::Replay honest = BotGame(77);
    int64_t age = 7200; // a token of its own for each case
    auto signedFor = [&](replay::Replay recording, int64_t ageOfToken = 0) {
        recording.header.token = Token(signer, 77, ageOfToken ? ageOfToken : ++age);
        return recording;
    };
    replay::Replay claim = signedFor(honest), seed = honest, fast = signedFor(honest),
                   impossible = signedFor(honest), forged = signedFor(honest);
    claim.header.claimedResult += 10;
    seed.header.seed = 78;
    seed.header.token = Token(signer, 77, 7200);
    for (uint32_t& gap : fast.frameGaps)
        gap = 10;
    // A slide while the board turns: the rules refuse it.
    impossible.actions.insert(impossible.actions.begin(), {{0, 19}, {0, 0}});
    forged.header.token.back() = forged.header.token.back() == '0' ? '1' : '0';
    const std::string valid = Bytes(signedFor(honest));
    const std::pair<std::string, std::string> cases[] = {
        {Bytes(claim), "422 refused: the claimed result is not the one played\n"},
        {Bytes(seed), "422 refused: the seed is not the token's\n"},
        {Bytes(forged), "422 refused: no token of this server\n"},
        {Bytes(signedFor(honest, 5 * 3600)), "422 refused: the token has expired\n"},
        {Bytes(signedFor(honest, 2)), "422 refused: longer than the time since its token\n"},
        {Bytes(fast), "422 refused: frames faster than the game runs\n"},
        {Bytes(impossible), "422 refused: an action the rules refuse\n"},
        {valid.substr(0, valid.size() - 8), "422 refused: unreadable replay: "},
        {valid + std::string(70000, 'x'), "413 too large\n"},
        {valid, "200 stored\n"},
        {valid, "409 refused: the token was used before\n"},
    };
    for (const auto& [bytes, answer] : cases)
        EXPECT_EQ(answer, Upload(server, bytes).substr(0, answer.size()));
    std::string error;
    std::unique_ptr<ScoreBackend> store = OpenScoreBackend(server.DatabasePath(), 10, error);
    EXPECT_EQ(1u, store->List("").value().size()); // the honest game alone
}

TEST(VerifiedGames, AVerifiedOnlyServerTurnsTheOldSubmissionAway) {
    ScoreServerProcess server({"--verified-only"});
    EXPECT_EQ("200 no", Get(server, kBase + "ishighscore.php?gamename=taeasy&submtdscore=5"));
    EXPECT_EQ("403 this server lists verified games only\n",
              Get(server, kBase + "scoresubmitter.php?name=OLD&score=5&computer=M"
                                  "&gamename=taeasy"));
    EXPECT_EQ("405 method not allowed\n", Get(server, kBase + "replaysubmitter.php?name=A"));
}

} // namespace
