#include "engine/classes.h"

#include <gtest/gtest.h>

#include <array>

#include "engine/board.h"
#include "engine/values.h"
#include "tests/support/engine_fixture.h"

using ClassesTest = EngineTest;

TEST(ValueClass, RangesAndTheirBoundaries) {
    const std::pair<int, int32_t> cases[] = {
        {-128, CLASS_FORBIDDEN}, {-127, CLASS_NONE},    {-21, CLASS_NONE},     {-20, CLASS_FORBIDDEN},
        {-19, CLASS_NONE},       {0, CLASS_NONE},       {9, CLASS_NONE},       {10, CLASS_THREE},
        {15, CLASS_THREE},       {16, CLASS_FOUR},      {22, CLASS_FOUR},      {23, CLASS_NONE},
        {29, CLASS_NONE},        {30, CLASS_OPEN_FOUR}, {47, CLASS_OPEN_FOUR}, {48, CLASS_NONE},
        {126, CLASS_NONE},       {127, CLASS_FIVE},
    };
    for (const auto& [value, cls] : cases)
        EXPECT_EQ(ClassOfValue(value), cls) << "value " << value;
    int counts[6] = {};
    for (int32_t c : g_valueClass)
        ++counts[c];
    EXPECT_EQ(counts[CLASS_THREE], 6);
    EXPECT_EQ(counts[CLASS_FOUR], 7);
    EXPECT_EQ(counts[CLASS_OPEN_FOUR], 18);
    EXPECT_EQ(counts[CLASS_FIVE], 1);
    EXPECT_EQ(counts[CLASS_FORBIDDEN], 2);
}

// The judgement from four line values, given straight to the point's records; White gets the
// same four values.
TEST_F(ClassesTest, ThreatCodesFromLineValues) {
    struct Case {
        std::array<int32_t, 4> lines;
        int32_t blackRestricted, blackFree, forbidden, white;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, 0, 0, 0, 0},                                      // occupied or quiet
        {{9, 23, 29, 48}, 0, 0, 0, 0},                                   // values outside every class
        {{127, -20, 0, 0}, 3, 3, 0, 3},                                  // a five is never forbidden
        {{13, 13, 127, 36}, 3, 3, 0, 3}, {{13, 13, 18, 0}, 4, 1, 1, 1},  // double three with a four
        {{10, 15, 0, 0}, 4, 5, 1, 4},                                    // double three: Black 5, White 4
        {{36, 18, 0, 0}, 4, 1, 1, 1},                                    // double four
        {{18, 22, 0, 0}, 4, 1, 1, 1},    {{36, 36, 0, 0}, 4, 2, 1, 2},   // two open fours
        {{47, 0, 0, 0}, 2, 2, 0, 2},                                     // a single open four
        {{36, 13, 0, 0}, 1, 1, 0, 1},                                    // open four with a three
        {{36, 13, 13, 0}, 4, 1, 1, 1},   {{18, 13, 0, 0}, 1, 1, 0, 1},   // four-three
        {{18, 0, 0, 0}, 0, 0, 0, 0},                                     // a single four
        {{13, 0, 0, 0}, 0, 0, 0, 0},                                     // a single three
        {{-20, 0, 0, 0}, 4, 0, 1, 0},  // forbidden on one line; ignored unrestricted
        {{-128, 5, 5, 5}, 4, 0, 1, 0},   {{18, 13, -20, 0}, 4, 1, 1, 1},
    };
    const int x = 4, y = 11, p = PointIndex(x, y);
    for (const Case& c : cases) {
        for (int d = 0; d < 4; ++d)
            g_blackLine[p][d] = g_whiteLine[p][d] = c.lines[d];
        const auto name = ::testing::PrintToString(c.lines);
        g_restricted = 1;
        EXPECT_EQ(ClassifyBlack(x, y), c.blackRestricted) << name;
        EXPECT_EQ(IsForbiddenBlack(x, y), c.forbidden) << name;
        EXPECT_EQ(ClassifyWhite(x, y), c.white) << name;
        g_restricted = 0;
        EXPECT_EQ(ClassifyBlack(x, y), c.blackFree) << name;
        EXPECT_EQ(IsForbiddenBlack(x, y), c.forbidden) << "does not read the rule: " << name;
        EXPECT_EQ(ClassifyWhite(x, y), c.white) << name;
    }
}

// Whole shapes on the board, through the generated tables: '*' marks the point judged.
TEST_F(ClassesTest, ShapesOnTheBoard) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        int32_t blackRestricted, blackFree;
    };
    const Case cases[] = {
        {"double three", {".......", "...X...", "...X...", ".XX*...", ".......", "......."}, 4, 5},
        {"double four", {"....O..", "....X..", "....X..", "OXXX*..", "....X..", "......."}, 4, 1},
        {"overline", {"XXX*XX.", "......."}, 4, 3},
        {"exact five, a stone two beyond", {"OXXXX*.X", "........"}, 3, 3},
        {"two fours on one line", {"X.X*X.X", "......."}, 4, 2},
        {"straight four", {".XXX*..", "......."}, 2, 2},
        {"four-three", {"...O...", "...X...", "...X...", ".XX*...", "...X...", "......."}, 1, 1},
        {"a three beside a dead line", {"...X...", "...X...", "OXX*O..", "......."}, 0, 0},
        {"three and split three", {"...X...", ".......", "...X...", ".X.*X..", "......."}, 4, 5},
    };
    for (const Case& c : cases) {
        for (const int rule : {1, 0}) {
            ResetWithRule(rule);
            SetPosition(c.rows, 6, 6);
            const auto [px, py] = MarkedPoint(c.rows, 6, 6);
            const int32_t expected = rule ? c.blackRestricted : c.blackFree;
            EXPECT_EQ(ClassifyBlack(px, py), expected) << c.name << ", rule " << rule;
            if (rule) {
                EXPECT_EQ(IsForbiddenBlack(px, py), expected == 4 ? 1 : 0) << c.name;
            }
        }
    }
}

TEST_F(ClassesTest, WhiteShapesOnTheBoard) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        int32_t white;
    };
    const Case cases[] = {
        {"overline is a five for White", {"OOO*OO.", "......."}, 3},
        {"double three", {".......", "...O...", "...O...", ".OO*...", "......."}, 4},
        {"double four", {"....X..", "....O..", "....O..", "XOOO*..", "....O..", "......."}, 1},
        {"open four", {".OOO*..", "......."}, 2},
    };
    for (const Case& c : cases) {
        for (const int rule : {0, 2}) {
            ResetWithRule(rule);
            SetPosition(c.rows, 6, 6);
            const auto [px, py] = MarkedPoint(c.rows, 6, 6);
            EXPECT_EQ(ClassifyWhite(px, py), c.white) << c.name << ", rule " << rule;
        }
    }
}

TEST_F(ClassesTest, OccupiedPointIsNothing) {
    ResetWithRule(1);
    SetPosition({"XXXX.", "....."}, 6, 6);
    EnginePush(10, 6);  // Black's five stone itself
    for (const int r : {0, 1}) {
        g_restricted = r;
        EXPECT_EQ(ClassifyBlack(10, 6), 0);
        EXPECT_EQ(ClassifyWhite(10, 6), 0);
        EXPECT_EQ(IsForbiddenBlack(10, 6), 0);
    }
}
