#include "player/strong/threats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/classes.h"
#include "engine/values.h"
#include "player/strong/position.h"
#include "tests/support/engine_fixture.h"

using strong::ThreatKind;
using strong::ThreatResult;

namespace {

class ThreatTest : public EngineTest {};

std::string Name(int p) {
    return std::to_string(p % BOARD_SIZE) + "," + std::to_string(p / BOARD_SIZE);
}

std::string LineText(const std::vector<int>& line) {
    std::string s;
    for (int p : line)
        s += Name(p) + " ";
    return s;
}

// The empty points where `colour` completes five, found by the point's own line values.
std::vector<int> FivesOf(uint8_t colour) {
    std::vector<int> fives;
    for (int p = 0; p < POINT_COUNT; ++p) {
        if (strong::EmptyPoint(p) && strong::MakesFive(colour, p)) fives.push_back(p);
    }
    return fives;
}

bool MakesFour(uint8_t colour, int p) {
    const strong::PointShape s = strong::ShapeAt(colour, p);
    return s.fours + s.openFours > 0;
}

// Replays a proof by fours move by move: every attack is legal and makes a four (or five),
// every answer is the one point that stops the five, and the line ends in a five, two ways to
// five, or a block that is forbidden to Black. Leaves the board as found.
void ExpectFourProof(uint8_t attacker, const std::vector<int>& line) {
    SCOPED_TRACE("proof " + LineText(line));
    const uint8_t defender = strong::Opponent(attacker);
    const bool passed = strong::SideToMove() != attacker;
    if (passed) strong::Pass();
    int played = 0;
    bool ended = false;
    for (size_t i = 0; i < line.size() && !ended; ++i) {
        const int p = line[i];
        ASSERT_TRUE(strong::EmptyPoint(p)) << Name(p);
        if (i % 2 == 0) {
            ASSERT_EQ(strong::SideToMove(), attacker);
            ASSERT_TRUE(strong::Legal(attacker, p)) << "attack " << Name(p) << " is forbidden";
            if (strong::MakesFive(attacker, p)) {
                EXPECT_EQ(i + 1, line.size()) << "moves after the five";
                ended = true;
                break;
            }
            ASSERT_TRUE(MakesFour(attacker, p)) << "attack " << Name(p) << " is no four";
            ASSERT_TRUE(FivesOf(defender).empty()) << "the defender had a five before " << Name(p);
        } else {
            const std::vector<int> fives = FivesOf(attacker);
            ASSERT_EQ(fives.size(), 1u) << "answer " << Name(p) << " to a four that is not single";
            ASSERT_EQ(fives[0], p) << "answer " << Name(p) << " does not block the five";
            ASSERT_TRUE(strong::Legal(defender, p)) << "the proof blocks at a forbidden point";
        }
        strong::Play(p);
        ++played;
    }
    if (!ended) {
        // The last attack stands: two fives, or one that Black may not block.
        ASSERT_EQ(line.size() % 2, 1u);
        const std::vector<int> fives = FivesOf(attacker);
        const bool unstoppable =
            fives.size() >= 2 || (fives.size() == 1 && !strong::Legal(defender, fives[0]));
        EXPECT_TRUE(unstoppable) << fives.size() << " five points after the last attack";
        EXPECT_TRUE(FivesOf(defender).empty());
    }
    for (int i = 0; i < played; ++i)
        strong::Undo();
    if (passed) strong::TakeBackPass();
}

struct FourCase {
    const char* name;
    int rule;
    uint8_t attacker;
    std::vector<std::string> rows;
    int left, top;
    int attacks;      // the fewest attacks that win; 0: no win by fours at all
    int firstX = -1;  // the one winning first move, when there is only one
    int firstY = -1;
};

}  // namespace

TEST_F(ThreatTest, WinsByFoursAreFoundAtTheirLengthAndReplayAsProofs) {
    const FourCase cases[] = {
        {"white double four at the edge",
         0,
         CELL_WHITE,
         {"..O.....", "..O.....", "..O.....", "...OOOX.", "........"},
         0,
         0,
         1,
         2,
         3},
        {"black double four unrestricted",
         0,
         CELL_BLACK,
         {"..X.....", "..X.....", "..X.....", "...XXXO.", "........"},
         0,
         0,
         1,
         2,
         3},
        {"black double four is forbidden, and the other fours lead nowhere",
         1,
         CELL_BLACK,
         {"..X.....", "..X.....", "..X.....", "...XXXO.", "........"},
         0,
         0,
         0},
        {"black four-three",
         1,
         CELL_BLACK,
         {"........", "....X...", "....X...", "OXXX....", "........", "........"},
         5,
         5,
         2,
         9,
         8},
        {"white: two closed fours, the second a four-three",
         1,
         CELL_WHITE,
         {".X......", "......X.", "XOOO....", "....O...", "XOOO....", "......X.", ".X......"},
         5,
         5,
         3},
        {"white four whose block makes a black double three",
         1,
         CELL_WHITE,
         {"X.........", ".O........", "..O..X....", "...O.X....", "..........", "...XX.....", "..........",
          ".........."},
         4,
         4,
         1,
         8,
         8},
        {"the same four can be blocked without restrictions",
         0,
         CELL_WHITE,
         {"X.........", ".O........", "..O..X....", "...O.X....", "..........", "...XX.....", "..........",
          ".........."},
         4,
         4,
         0},
    };
    for (const FourCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetWithRule(c.rule);
        SetPosition(c.rows, c.left, c.top);
        const EngineSnapshot before = TakeEngineSnapshot();
        const ThreatResult r = strong::SolveThreats(c.attacker, ThreatKind::FOURS);
        EXPECT_TRUE(TakeEngineSnapshot() == before) << "the solver changed the engine state";
        ASSERT_TRUE(r.complete);
        ASSERT_EQ(r.win, c.attacks > 0) << LineText(r.line);
        if (!r.win) continue;
        ExpectFourProof(c.attacker, r.line);
        if (c.firstX >= 0) {
            EXPECT_EQ(r.line[0], PointIndex(c.firstX, c.firstY)) << LineText(r.line);
        }
        // Exactly as long as stated: one attack fewer is not enough.
        strong::ThreatLimits shorter;
        shorter.maxAttacks = c.attacks - 1;
        const ThreatResult s = strong::SolveThreats(c.attacker, ThreatKind::FOURS, shorter);
        EXPECT_TRUE(s.complete && !s.win) << "won within " << c.attacks - 1 << ": " << LineText(s.line);
        EXPECT_GE(static_cast<int>(r.line.size()), 2 * c.attacks - 1);
    }
}

TEST_F(ThreatTest, DefencesAgainstFoursAreExactlyTheMovesThatStopThem) {
    ResetWithRule(0);
    SetPosition({"..O.....", "..O.....", "..O.....", "...OOOX.", "........"});
    // Black to move; White threatens the double four at 2,3.
    ASSERT_TRUE(strong::SolveThreats(CELL_WHITE, ThreatKind::FOURS).win);
    const EngineSnapshot before = TakeEngineSnapshot();
    std::vector<int> found = strong::Defences(ThreatKind::FOURS);
    EXPECT_TRUE(TakeEngineSnapshot() == before);
    std::sort(found.begin(), found.end());
    std::vector<int> expected = {PointIndex(1, 3), PointIndex(2, 3), PointIndex(2, 4)};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected) << LineText(found);
    // And each of them really leaves White without a win by fours.
    for (int p : found) {
        strong::Play(p);
        const ThreatResult r = strong::SolveThreats(CELL_WHITE, ThreatKind::FOURS);
        EXPECT_TRUE(r.complete && !r.win) << Name(p) << ": " << LineText(r.line);
        strong::Undo();
    }
}

TEST_F(ThreatTest, WinByThreesHoldsAgainstEveryAnswer) {
    strong::ThreatLimits kShort;
    kShort.maxAttacks = 6;
    struct Case {
        const char* name;
        int rule;
        uint8_t attacker;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"white double three",
         1,
         CELL_WHITE,
         {"..........", "..........", "..........", ".....O....", ".....O....", "...OO.....", "..........",
          "..........", ".........."}},
        {"black three that leaves a four-three",
         1,
         CELL_BLACK,
         {"..........", "..........", ".....O....", ".....X....", ".....X....", "...XX.....", "......XX..",
          "..........", ".........."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetWithRule(c.rule);
        SetPosition(c.rows, 4, 4);
        ASSERT_FALSE(strong::SolveThreats(c.attacker, ThreatKind::FOURS).win) << "a win by fours alone";
        const ThreatResult r = strong::SolveThreats(c.attacker, ThreatKind::FOURS_AND_THREES, kShort);
        ASSERT_TRUE(r.complete);
        ASSERT_TRUE(r.win);
        ASSERT_FALSE(r.line.empty());
        const int first = r.line[0];
        SCOPED_TRACE("first attack " + Name(first) + ", line " + LineText(r.line));
        const bool passed = c.attacker != strong::SideToMove();
        if (passed) strong::Pass();
        ASSERT_TRUE(strong::Legal(c.attacker, first));
        const strong::PointShape s = strong::ShapeAt(c.attacker, first);
        ASSERT_GT(s.threes + s.fours + s.openFours, 0) << "the first attack threatens nothing";
        strong::Play(first);
        // Whatever the defender answers, anywhere on the board, the attacker still wins.
        const uint8_t defender = strong::Opponent(c.attacker);
        int answers = 0;
        for (int p = 0; p < POINT_COUNT; ++p) {
            if (!strong::EmptyPoint(p) || !strong::Legal(defender, p)) continue;
            strong::Play(p);
            const bool five = !FivesOf(c.attacker).empty();
            const ThreatResult after =
                five ? ThreatResult{}
                     : strong::SolveThreats(c.attacker, ThreatKind::FOURS_AND_THREES, kShort);
            EXPECT_TRUE(five || (after.complete && after.win)) << "answer " << Name(p) << " holds";
            strong::Undo();
            ++answers;
        }
        EXPECT_GT(answers, 300);
        strong::Undo();
        if (passed) strong::TakeBackPass();
    }
}

// An open two on each of the four lines, with a closed three far away (fours to make off the
// two's line): the three it makes is stopped, so no win; with one more stone it is a three to
// make into an open four, a win. Catches answers to a three wrongly left out by their line.
TEST_F(ThreatTest, AThreeThatCanBeStoppedIsNoWin) {
    constexpr int DX[4] = {1, 0, -1, 1}, DY[4] = {0, 1, 1, 1};
    strong::ThreatLimits limits;
    limits.maxAttacks = 8;
    for (const uint8_t attacker : {CELL_BLACK, CELL_WHITE}) {
        for (int d = 0; d < 4; ++d) {
            SCOPED_TRACE(std::string(attacker == CELL_BLACK ? "Black" : "White") + ", line " + std::to_string(d));
            std::vector<std::string> rows(BOARD_SIZE, std::string(BOARD_SIZE, '.'));
            const char own = attacker == CELL_BLACK ? 'X' : 'O', other = attacker == CELL_BLACK ? 'O' : 'X';
            rows[1].replace(1, 4, std::string(1, other) + std::string(3, own));
            for (int i = 0; i < 2; ++i)
                rows[9 + i * DY[d]][9 + i * DX[d]] = own;
            ResetWithRule(1);
            SetPosition(rows);
            const ThreatResult two = strong::SolveThreats(attacker, ThreatKind::FOURS_AND_THREES, limits);
            EXPECT_TRUE(two.complete && !two.win) << LineText(two.line);
            rows[9 + 2 * DY[d]][9 + 2 * DX[d]] = own;
            ResetWithRule(1);
            SetPosition(rows);
            const ThreatResult three = strong::SolveThreats(attacker, ThreatKind::FOURS_AND_THREES, limits);
            EXPECT_TRUE(three.complete && three.win);
        }
    }
}
