// The verifier refuses each way a recording can lie, and the reader each
// way a file can be broken; an honest bot game is proven.
#include "replay/bot_game.h"

#include "game/replay/replay_verify.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

using replay::Verdict;

// A seeded TopScore game played to its end (the bot ends these well within
// the frames allowed), read back from the recorder's file.
const replay::Replay& FinishedGame() {
    static replay::Replay game = [] {
        const BotGame played = PlayBotGame(18, 30000);
        replay::Replay r;
        EXPECT_EQ(replay::ReadReplay(played.file.data(), played.file.size(), r),
                  replay::ReadError::None);
        return r;
    }();
    return game;
}

Verdict VerdictOf(const replay::Replay& r) {
    return replay::VerifyReplay(r).verdict;
}

TEST(ReplayVerify, AnHonestGameIsProvenAndEveryLieRefused) {
    const replay::Replay& honest = FinishedGame();
    ASSERT_EQ(honest.header.outcome, replay::Outcome::Result) << "the bot game did not end";
    const replay::ProvenGame proven = replay::VerifyReplay(honest);
    EXPECT_EQ(proven.verdict, Verdict::Proven) << replay::VerdictText(proven.verdict);
    EXPECT_EQ(proven.result, honest.header.claimedResult);

    replay::Replay r = honest;
    r.header.claimedResult += 10;
    EXPECT_EQ(VerdictOf(r), Verdict::ClaimMismatch);

    r = honest;
    r.header.outcome = replay::Outcome::Unfinished;
    r.header.claimedResult = 0;
    EXPECT_EQ(VerdictOf(r), Verdict::ClaimMismatch) << "an ended game claimed as left";

    r = honest;
    r.frameGaps.push_back(20); // play on after the end
    EXPECT_EQ(VerdictOf(r), Verdict::AfterTheEnd);

    r = honest;
    r.frameGaps[10] = 13;
    EXPECT_EQ(VerdictOf(r), Verdict::TooFast);

    // A second slide on the frame of the first: the row is still moving.
    r = honest;
    for (size_t i = 0; i < r.actions.size(); ++i) {
        if (r.actions[i].code < replay::kTurnCounterClockwise) {
            r.actions.insert(r.actions.begin() + i + 1, r.actions[i]);
            break;
        }
    }
    EXPECT_EQ(VerdictOf(r), Verdict::RefusedAction);

    r = honest;
    r.header.rulesVersion = replay::kRulesVersion + 1;
    EXPECT_EQ(VerdictOf(r), Verdict::OtherRules);
}

TEST(ReplayFormat, BrokenFilesAreRefused) {
    const std::vector<uint8_t> file = replay::WriteReplay(FinishedGame());
    using replay::ReadError;
    auto read = [](std::vector<uint8_t> bytes) {
        replay::Replay r;
        return replay::ReadReplay(bytes.data(), bytes.size(), r);
    };
    EXPECT_EQ(read({file.begin(), file.end() - 1}), ReadError::Corrupt);
    std::vector<uint8_t> longer = file;
    longer.push_back(0);
    EXPECT_EQ(read(longer), ReadError::Corrupt);
    std::vector<uint8_t> other = file;
    other[4] = 2;
    EXPECT_EQ(read(other), ReadError::NewerFormat);
    EXPECT_EQ(read(std::vector<uint8_t>(replay::kMaxFileBytes + 1, 0)), ReadError::TooLarge);

    // A small file that inflates past the body's bound stops at the bound.
    std::vector<uint8_t> zeros(replay::kMaxBodyBytes + 1, 0);
    uLongf packed = compressBound(zeros.size());
    std::vector<uint8_t> bomb = {'O', 'R', 'B', 'R', 1};
    bomb.resize(5 + packed);
    ASSERT_EQ(compress2(bomb.data() + 5, &packed, zeros.data(), zeros.size(), 9), Z_OK);
    bomb.resize(5 + packed);
    EXPECT_EQ(read(bomb), ReadError::TooLarge);

    replay::Replay tooLong = FinishedGame();
    tooLong.frameGaps.assign(replay::kMaxFrames, 14);
    EXPECT_TRUE(replay::WriteReplay(tooLong).empty()) << "the writer keeps to the bounds too";
}

} // namespace
