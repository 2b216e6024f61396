#include "player/evaluate.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "engine/board.h"
#include "engine/values.h"
#include "player/game_state.h"
#include "player/search.h"
#include "tests/player/player_fixture.h"

namespace {

using Lines = std::array<int32_t, 4>;
// Line values that make a point of each kind (threat codes through the rule tests).
constexpr Lines NONE = {0, 0, 0, 0};
constexpr Lines FIVE = {127, 0, 0, 0};
constexpr Lines OPEN_FOUR = {36, 0, 0, 0};
constexpr Lines FOUR_THREE = {18, 13, 0, 0};    // 31
constexpr Lines DOUBLE_THREE = {13, 13, 0, 0};  // 26: forbidden to restricted Black
constexpr Lines MINOR = {9, 9, 0, 0};           // 18: a minor point
constexpr Lines OVERLINE = {-128, 0, 0, 0};

void SetLines(int p, const Lines& black, const Lines& white) {
    for (int d = 0; d < 4; ++d) {
        g_blackLine[p][d] = black[d];
        g_whiteLine[p][d] = white[d];
    }
    g_blackValue[p] = black[0] + black[1] + black[2] + black[3];
    g_whiteValue[p] = white[0] + white[1] + white[2] + white[3];
}

}  // namespace

using EvaluateTest = PlayerTest;

TEST_F(EvaluateTest, WorkedPositionsOfEachVariant) {
    struct Case {
        const char* name;
        int humanBlack, moveCount, restricted;
        std::vector<std::pair<Lines, Lines>> points;  // (Black's lines, White's lines)
        int32_t expected;
    };
    // clang-format off
    const Case cases[] = {
        // Computer White, fewer than 16 moves.
        {"White five, three forbidden Black points, two Black minor points", 1, 10, 1,
         {{NONE, FIVE}, {DOUBLE_THREE, NONE}, {DOUBLE_THREE, NONE}, {DOUBLE_THREE, NONE},
          {MINOR, NONE}, {MINOR, NONE}},
         8128 + 108 - 8},
        {"White open four early: no win yet", 1, 10, 1,
         {{NONE, OPEN_FOUR}, {DOUBLE_THREE, NONE}},
         (36 - 64 * 26 / 56) + 512 + 36},
        {"quiet, early: Black's sum weighs 64/56", 1, 10, 0,
         {{DOUBLE_THREE, NONE}, {NONE, MINOR}, {MINOR, NONE}},
         (18 - 64 * 44 / 56) + 4 - 8 + 8 - 4},
        {"negative sums divide toward zero", 1, 3, 1, {{OVERLINE, NONE}}, 167 + 8},
        // Computer White, 16 moves or more.
        {"White open four late while Black has no five", 1, 20, 1,
         {{NONE, OPEN_FOUR}, {DOUBLE_THREE, NONE}},
         8128 + 36},
        {"two Black fives", 1, 20, 1,
         {{FIVE, NONE}, {FIVE, NONE}, {DOUBLE_THREE, NONE}},
         -88888888 + 36},
        {"White must block and has two double threats", 1, 20, 0,
         {{FIVE, NONE}, {NONE, FOUR_THREE}, {NONE, FOUR_THREE}},
         (62 - 127) + 460},
        {"White must block with one double threat", 1, 20, 0,
         {{FIVE, NONE}, {NONE, FOUR_THREE}, {NONE, MINOR}},
         (31 + 18 - 127) + 29 * 5 + 4},
        // Computer Black.
        {"White five and a White double three", 0, 20, 1,
         {{NONE, FIVE}, {NONE, DOUBLE_THREE}},
         (0 - 153) - 512},
        {"White five, Black four-three and a forbidden point", 0, 20, 1,
         {{NONE, FIVE}, {FOUR_THREE, NONE}, {DOUBLE_THREE, NONE}},
         (57 - 127 - 36) + 460},
        {"two White fives", 0, 5, 1,
         {{NONE, FIVE}, {NONE, FIVE}, {MINOR, NONE}},
         -88888888},
        {"Black open four and no White five", 0, 5, 0,
         {{OPEN_FOUR, NONE}, {NONE, FOUR_THREE}},
         8128},
        {"Black must block with an open four and a double three", 0, 20, 0,
         {{NONE, FIVE}, {OPEN_FOUR, NONE}, {DOUBLE_THREE, NONE}},
         (62 - 127) + 450},
        {"Black four-three", 0, 20, 1, {{FOUR_THREE, NONE}}, 31 + 512},
        {"empty region counts nothing", 0, 20, 0, {}, 8},
    };
    // clang-format on
    for (const Case& c : cases) {
        ClearValues();
        g_humanBlack = c.humanBlack;
        g_moveCount = c.moveCount;
        g_restricted = c.restricted;
        int p = 40;
        for (const auto& [black, white] : c.points)
            SetLines(p += 7, black, white);
        RebuildKeptState();
        EXPECT_EQ(EvaluatePosition(), c.expected) << c.name;
    }
}

TEST_F(EvaluateTest, ChangesNothing) {
    PlayMoves("9,9 10,10 9,10 10,9 8,8");
    const EngineSnapshot before = TakeEngineSnapshot();
    for (const int humanBlack : {0, 1}) {
        g_humanBlack = humanBlack;
        EvaluatePosition();
    }
    EXPECT_EQ(TakeEngineSnapshot(), before);
}
