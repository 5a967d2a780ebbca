#include "support/game_fixture.h"

#include "game/level_file.h"

namespace {

std::vector<Cue> cuesPlayed;
std::vector<int> scriptedDraws;
size_t nextDraw = 0;

void RecordCue(Cue cue) {
    cuesPlayed.push_back(cue);
}
int ScriptedDraw() {
    return nextDraw < scriptedDraws.size() ? scriptedDraws[nextDraw++] : 0;
}

} // namespace

void GameTest::SetUp() {
    ResetGameState();
    gameHooks = GameHooks{};
    gameHooks.readLevel = ReadLevelFile;
    cuesPlayed.clear();
    SetCueListener(RecordCue);
    SetRandomSource(nullptr);
    SeedGameRandom(1234);
}

void GameTest::TearDown() {
    SetCueListener(nullptr);
    SetRandomSource(nullptr);
    gameHooks = GameHooks{};
}

// Cell code by character: '.' empty, '1'..'7' colours, 'K' black, 'x' vanishing.
static int16_t CodeOf(char ch) {
    return ch >= '1' && ch <= '7' ? int16_t(ch - '0')
           : ch == 'K'            ? kBlackBall
           : ch == 'x'            ? kVanishing
                                  : kEmpty;
}

Board GameTest::BoardFrom(const std::vector<std::string>& rows) {
    Board b{};
    for (int r = 0; r < kBoardSize; ++r)
        for (int c = 0; c < kBoardSize; ++c)
            b[c][r] = CodeOf(rows.at(r).at(c));
    return b;
}

Board GameTest::BoardWith(const std::vector<std::pair<int, std::string>>& rows) {
    std::vector<std::string> all(kBoardSize, std::string(kBoardSize, '.'));
    for (const auto& [row, text] : rows)
        all.at(row) = text;
    return BoardFrom(all);
}

std::vector<std::string> GameTest::RowsOf(const Board& b) {
    std::vector<std::string> rows(kBoardSize, std::string(kBoardSize, '?'));
    for (int r = 0; r < kBoardSize; ++r)
        for (int c = 0; c < kBoardSize; ++c)
            for (char ch : std::string(".1234567Kx"))
                if (CodeOf(ch) == b[c][r]) rows[r][c] = ch;
    return rows;
}

int GameTest::Played(Cue cue) {
    int n = 0;
    for (Cue c : cuesPlayed)
        n += (c == cue);
    return n;
}

void GameTest::ClearCues() {
    cuesPlayed.clear();
}

void GameTest::ScriptRandom(std::vector<int> draws) {
    scriptedDraws = std::move(draws);
    nextDraw = 0;
    SetRandomSource(ScriptedDraw);
}

std::string BoardText(const Board& b) {
    std::string text;
    for (const auto& row : GameTest::RowsOf(b))
        text += row + "\n";
    return text;
}
