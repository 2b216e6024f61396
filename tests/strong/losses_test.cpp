// The loss analysis of match records: which of a side's moves lost the game, and how.
#include "tools/losses/losses.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/support/engine_fixture.h"

namespace {

class LossesTest : public EngineTest {};

records::GameRecord Record(const std::string& moves, const std::string& black, const std::string& result,
                           const std::string& reason) {
    records::GameRecord r;
    std::istringstream in(moves);
    for (std::string m; in >> m;)
        r.moves.push_back({std::stoi(m), std::stoi(m.substr(m.find(',') + 1)), 0});
    r.fields = {{"Rule", "4 renju"},
                {"Black", black},
                {"White", black == "A ours" ? "B other" : "A ours"},
                {"Result", result},
                {"Reason", reason}};
    return r;
}

}  // namespace

TEST_F(LossesTest, ClassifiesEachWayOfLosing) {
    // Black's open three on row 9 from the fifth move; White's stones keep to the far corner.
    const std::string ignored = "9,9 0,0 10,9 0,2 11,9 0,4 12,9 0,6 13,9";
    struct Case {
        const char* name;
        records::GameRecord record;
        losses::LossClass kind;
        int losingMove;
    };
    const Case cases[] = {
        {"a win", Record(ignored, "A ours", "black wins", "five"), losses::LossClass::NotLost, 0},
        {"a time-out", Record("9,9 0,0 10,9", "A ours", "white wins", "time-out"), losses::LossClass::Time,
         0},
        // 11,9 makes two open threes at once.
        {"a double three",
         Record("9,9 0,0 10,9 0,2 11,10 0,4 11,11 0,6 11,9", "A ours", "white wins", "forbidden"),
         losses::LossClass::ForbiddenMove, 9},
        // White's sixth move leaves the open three; 8,9 or 12,9 would have stopped it.
        {"an open three left", Record(ignored, "B other", "black wins", "five"),
         losses::LossClass::MissedFourDefence, 6},
    };
    losses::LossLimits limits;
    limits.searchNodes = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const losses::LossReport r = losses::AnalyseLoss(c.record, "A", limits);
        EXPECT_EQ(r.kind, c.kind) << losses::ClassName(r.kind);
        EXPECT_EQ(r.losingMove, c.losingMove);
    }
}
