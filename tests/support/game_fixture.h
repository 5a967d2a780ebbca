// Test fixture for the game core: a fresh game state, the simulated clock,
// a record of the cues played, and helpers to write boards readably.
#pragma once
#include "game/rules/board_simulator.h"
#include "game/rules/game_hooks.h"
#include "game/rules/game_state.h"
#include "game/panels/sound_cues.h"
#include "game/rules/random.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

class GameTest : public ::testing::Test {
  public:
    void SetUp() override;
    void TearDown() override;

    // Rows top to bottom, one character a cell: '.' empty, '1'..'7' colours,
    // 'K' black, 'x' vanishing.
    static Board BoardFrom(const std::vector<std::string>& rows);
    // The same from only the rows given by number; the others empty.
    static Board BoardWith(const std::vector<std::pair<int, std::string>>& rows);
    static std::vector<std::string> RowsOf(const Board& b);
    // How often a cue played since the test began.
    static int Played(Cue cue);
    static void ClearCues();
    // The next random draws, in order; after they run out, draws are 0.
    static void ScriptRandom(std::vector<int> draws);

    BoardSimulator sim{15};
};

// Boards print as rows in failure messages.
std::string BoardText(const Board& b);
