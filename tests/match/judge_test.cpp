// The referee's rulings, through the engine's generated tables.
#include "records/judge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/engine_fixture.h"

namespace {

using JudgeTest = EngineTest;

// Plays a diagram's stones through the judge ('X' Black, 'O' White, Black and White in turn, row
// by row within a colour), after spare stones far below so that `mover` is the side to move,
// then plays the point marked '*'. The spare stones stand three points apart: no shape.
records::Judgement PlayThenMark(records::Judge& judge, const std::vector<std::string>& rows,
                                records::Colour mover) {
    constexpr int LEFT = 5, TOP = 3;
    std::vector<MoveEntry> black, white;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const MoveEntry m{LEFT + static_cast<int>(c), TOP + static_cast<int>(r)};
            if (rows[r][c] == 'X') black.push_back(m);
            if (rows[r][c] == 'O') white.push_back(m);
        }
    }
    // Black has as many stones as White when Black moves, one more when White moves.
    const size_t extraBlack = mover == records::Colour::White ? 1 : 0;
    for (int i = 0; white.size() + extraBlack < black.size(); i += 3)
        white.push_back({i % 19, 18 - 2 * (i / 19)});
    for (int i = 0; black.size() < white.size() + extraBlack; i += 3)
        black.push_back({i % 19, 17 - 2 * (i / 19)});
    for (size_t i = 0; i < black.size(); ++i) {
        EXPECT_EQ(judge.Play(black[i].x, black[i].y).verdict, records::Verdict::Continue)
            << "Black's setup stone " << black[i].x << "," << black[i].y;
        if (i < white.size()) {
            EXPECT_EQ(judge.Play(white[i].x, white[i].y).verdict, records::Verdict::Continue)
                << "White's setup stone " << white[i].x << "," << white[i].y;
        }
    }
    EXPECT_EQ(judge.ToMove(), mover);
    const auto [x, y] = MarkedPoint(rows, LEFT, TOP);
    return judge.Play(x, y);
}

}  // namespace

TEST_F(JudgeTest, RulingsOnShapes) {
    using records::Colour;
    using records::Verdict;
    struct Case {
        const char* name;
        int rule;
        Colour mover;
        std::vector<std::string> rows;
        Verdict verdict;
        const char* detail;
    };
    const std::vector<std::string> doubleThree = {".......", "...X...", "...X...", ".XX*...", "......."};
    const std::vector<std::string> doubleFour = {"....O..", "....X..", "....X..",
                                                 "OXXX*..", "....X..", "......."};
    const std::vector<std::string> overline = {"XXX*XX", "......"};
    const Case cases[] = {
        {"black five", 4, Colour::Black, {"XXXX*.", "......"}, Verdict::Win, "five"},
        {"black five in the middle", 4, Colour::Black, {"XX*XX.", "......"}, Verdict::Win, "five"},
        {"white five", 4, Colour::White, {"OO*OO.", "......"}, Verdict::Win, "five"},
        {"black overline under renju", 4, Colour::Black, overline, Verdict::Forbidden, "overline"},
        {"black overline, free rule", 0, Colour::Black, overline, Verdict::Win, "overline"},
        {"white overline under renju", 4, Colour::White, {"OOO*OO", "......"}, Verdict::Win, "overline"},
        {"double three under renju", 4, Colour::Black, doubleThree, Verdict::Forbidden, "double three"},
        {"double three, free rule", 0, Colour::Black, doubleThree, Verdict::Continue, ""},
        // The row's three becomes a straight four only where Black would make a double four.
        {"fake double three under renju",
         4,
         Colour::Black,
         {"...O...O..", "....X..X..", ".....XXX..", "......XX..", "..O.XX*...", ".........."},
         Verdict::Continue,
         ""},
        {"white double three",
         4,
         Colour::White,
         {".......", "...O...", "...O...", ".OO*...", "......."},
         Verdict::Continue,
         ""},
        {"double four under renju", 4, Colour::Black, doubleFour, Verdict::Forbidden, "double four"},
        {"double four, free rule", 0, Colour::Black, doubleFour, Verdict::Continue, ""},
        {"two fours on one line",
         4,
         Colour::Black,
         {"X.X*X.X", "......."},
         Verdict::Forbidden,
         "double four"},
        {"four-three is allowed",
         4,
         Colour::Black,
         {"...O...", "...X...", "...X...", ".XX*...", "...X...", "......."},
         Verdict::Continue,
         ""},
        // Exactly five wins although the same stone makes six on another line.
        {"five beside an overline",
         4,
         Colour::Black,
         {"....X...", "....X...", "....X...", "XXXX*...", "....X...", "....X...", "........"},
         Verdict::Win,
         "five"},
        {"a quiet move", 4, Colour::Black, {"X..*..", "......"}, Verdict::Continue, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        records::Judge judge(c.rule);
        const records::Judgement j = PlayThenMark(judge, c.rows, c.mover);
        EXPECT_EQ(j.verdict, c.verdict);
        EXPECT_EQ(j.detail, c.detail);
    }
}

TEST_F(JudgeTest, IllegalPointsPlaceNothing) {
    records::Judge judge(records::RULE_RENJU);
    ASSERT_EQ(judge.Play(9, 9).verdict, records::Verdict::Continue);
    struct Case {
        int x, y;
        const char* detail;
    };
    const Case cases[] = {{9, 9, "occupied"},
                          {-1, 3, "off the board"},
                          {19, 0, "off the board"},
                          {0, 19, "off the board"},
                          {1000000, -1000000, "off the board"}};
    for (const Case& c : cases) {
        const records::Judgement j = judge.Play(c.x, c.y);
        EXPECT_EQ(j.verdict, records::Verdict::Illegal) << c.x << "," << c.y;
        EXPECT_EQ(j.detail, c.detail) << c.x << "," << c.y;
    }
    EXPECT_EQ(judge.Moves(), 1);
    EXPECT_EQ(judge.ToMove(), records::Colour::White) << "an illegal answer does not pass the turn";
    EXPECT_EQ(judge.Play(10, 10).verdict, records::Verdict::Continue);
}

// A board filled without five in a row: pairs of points alternate along each row, shifted by
// one pair from row to row. Only the last stone ends the game, as a draw.
TEST_F(JudgeTest, FullBoardIsADraw) {
    std::vector<MoveEntry> black, white;
    for (int y = 0; y < 19; ++y) {
        for (int x = 0; x < 19; ++x)
            (((x + 2 * y) / 2) % 2 == 0 ? black : white).push_back({x, y});
    }
    ASSERT_EQ(black.size(), 181u);
    records::Judge judge(records::RULE_FREE);
    for (int n = 0; n < 361; ++n) {
        const MoveEntry m = n % 2 == 0 ? black[n / 2] : white[n / 2];
        const records::Judgement j = judge.Play(m.x, m.y);
        const records::Verdict want = n == 360 ? records::Verdict::Draw : records::Verdict::Continue;
        ASSERT_EQ(j.verdict, want) << "move " << n << " at " << m.x << "," << m.y;
    }
    EXPECT_EQ(judge.Moves(), 361);
}
