// The search must give exactly the recorded root results on every recorded position: the
// moves examined, their scores and order, the chosen move and its score.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/support/engine_fixture.h"
#include "tools/record/search_record.h"

namespace {

using RecordTest = EngineTest;

TEST_F(RecordTest, SearchReproducesEveryRecordedRootResult) {
    std::ifstream in(RENJU_RECORD_FILE);
    ASSERT_TRUE(in) << RENJU_RECORD_FILE;
    int lineNumber = 0, checked = 0;
    bool rules[3] = {}, colours[2] = {};
    int deepest = 0;
    std::string line;
    while (std::getline(in, line)) {
        ++lineNumber;
        SearchRecord expected;
        ASSERT_TRUE(ParseRecord(line, &expected)) << "line " << lineNumber;
        SearchRecord actual = expected;
        SearchRecordPosition(&actual);
        EXPECT_TRUE(SameAnswer(actual, expected))
            << "line " << lineNumber << "\n  recorded " << line << "\n  searched " << FormatRecord(actual);
        ++checked;
        rules[expected.rule] = true;
        colours[expected.moves.size() % 2] = true;
        deepest = std::max(deepest, expected.depth);
    }
    // The record covers what it is meant to: a few hundred positions, every rule, both
    // colours of the computer, depths up to 10 at least.
    EXPECT_GE(checked, 200);
    EXPECT_TRUE(rules[0] && rules[1] && rules[2]);
    EXPECT_TRUE(colours[0] && colours[1]);
    EXPECT_GE(deepest, 10);
}

// A record line reads back to the same record, and damaged lines are refused.
TEST(SearchRecordFormat, RoundTripAndDamagedLines) {
    SearchRecord r;
    r.rule = 2;
    r.width = 6;
    r.extensionLimit = 3;
    r.depth = 10;
    r.margin = 32;
    r.seed = 77;
    r.moves = {{9, 9}, {0, 18}, {18, 0}};
    r.x = 10;
    r.y = 0;
    r.score = SCORE_LOSS - 256 * 3;
    r.results.count = 2;
    r.results.moves[0] = {10, 0};
    r.results.scores[0] = -5;
    r.results.moves[1] = {0, 0};
    r.results.scores[1] = SCORE_NONE;
    const std::string line = FormatRecord(r);
    SearchRecord back;
    ASSERT_TRUE(ParseRecord(line, &back)) << line;
    EXPECT_TRUE(SameAnswer(back, r));
    EXPECT_EQ(FormatRecord(back), line);
    for (const std::string& damaged :
         {line.substr(0, line.rfind(' ')), line + " 5", std::string("3") + line.substr(1),
          std::string("2 6 3 10 32 77 jja | 10 0 -5 0")}) {
        EXPECT_FALSE(ParseRecord(damaged, &back)) << damaged;
    }
}

}  // namespace
