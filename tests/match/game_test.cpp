// The game loop against scripted engines: what is sent, and how each kind of answer ends a game.
#include "tools/match/game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "tests/support/engine_fixture.h"
#include "tools/match/match.h"

using namespace match;

namespace {

// Answers OK to START and, to each move request (DONE or TURN), the next scripted replies;
// with none left it lets the deadline pass.
class ScriptedLink : public EngineLink {
public:
    explicit ScriptedLink(std::vector<std::vector<Reply>> requests) {
        for (auto& r : requests)
            script_.emplace_back(r.begin(), r.end());
    }
    bool Send(const std::string& line) override {
        if (refuseInput) return false;
        sent.push_back(line);
        if (line.rfind("START", 0) == 0) pending_.push_back({Status::Line, startAnswer});
        if (line == "DONE" || line.rfind("TURN", 0) == 0) {
            if (!script_.empty()) {
                pending_.insert(pending_.end(), script_.front().begin(), script_.front().end());
                script_.pop_front();
            }
        }
        return true;
    }
    Reply ReadLine(Clock::time_point) override {
        if (pending_.empty()) return {Status::Timeout, {}};
        Reply r = pending_.front();
        pending_.pop_front();
        return r;
    }
    std::string EndDescription() override { return "scripted end"; }

    std::vector<std::string> sent;
    std::string startAnswer = "OK";
    bool refuseInput = false;

private:
    std::deque<std::deque<Reply>> script_;
    std::deque<Reply> pending_;
};

EngineLink::Reply L(const std::string& line) {
    return {EngineLink::Status::Line, line};
}

// From opening 0 (9,9 9,8 10,8) Black extends row 8 to five while White plays in the corner.
std::vector<std::vector<EngineLink::Reply>> BlackMoves() {
    return {{L("11,8")}, {L("12,8")}, {L("13,8")}, {L("14,8")}};
}
std::vector<std::vector<EngineLink::Reply>> WhiteMoves() {
    return {{L("0,0")}, {L("0,1")}, {L("0,2")}, {L("0,3")}};
}

using GameTest = EngineTest;

}  // namespace

TEST_F(GameTest, FirstRequestSendsTheBoardThenTurns) {
    ScriptedLink black(BlackMoves()), white(WhiteMoves());
    GameConfig config;
    config.turnMillis = 700;
    const GameResult r = PlayGame(config, 0, {&black, std::nullopt}, {&white, 3});
    EXPECT_EQ(black.sent,
              (std::vector<std::string>{"START 19", "INFO timeout_turn 700", "INFO timeout_match 0",
                                        "INFO game_type 1", "INFO rule 4", "BOARD", "9,9,1", "9,8,2",
                                        "10,8,1", "0,0,2", "DONE", "TURN 0,1", "TURN 0,2", "TURN 0,3"}));
    EXPECT_EQ(white.sent, (std::vector<std::string>{"START 19", "INFO timeout_turn 700",
                                                    "INFO timeout_match 0", "INFO game_type 1", "INFO rule 4",
                                                    "INFO renju_level 3", "BOARD", "9,9,2", "9,8,1", "10,8,2",
                                                    "DONE", "TURN 11,8", "TURN 12,8", "TURN 13,8"}));
    ASSERT_TRUE(r.winner);
    EXPECT_EQ(*r.winner, Colour::Black);
    EXPECT_EQ(r.reason, Reason::Five);
    EXPECT_EQ(r.detail, "five at 14,8");
    ASSERT_EQ(r.moves.size(), 11u);
    EXPECT_EQ(r.moves[0], (TimedMove{9, 9, 0}));
    EXPECT_EQ(r.moves[3].x, 0);
    EXPECT_EQ(r.moves[10].x, 14);
    EXPECT_FALSE(r.aborted);
}

TEST_F(GameTest, AnEnginesOwnTimePerMoveIsToldAndKept) {
    // White has five seconds, Black the game's 700 ms; White's script runs out on its third move.
    std::vector<std::vector<EngineLink::Reply>> whiteMoves = WhiteMoves();
    whiteMoves.resize(2);
    ScriptedLink black(BlackMoves()), white(whiteMoves);
    GameConfig config;
    config.turnMillis = 700;
    Player whitePlayer{&white, std::nullopt, 5000};
    const GameResult r = PlayGame(config, 0, {&black, std::nullopt}, whitePlayer);
    EXPECT_NE(std::find(white.sent.begin(), white.sent.end(), "INFO timeout_turn 5000"), white.sent.end());
    EXPECT_NE(std::find(black.sent.begin(), black.sent.end(), "INFO timeout_turn 700"), black.sent.end());
    EXPECT_EQ(r.reason, Reason::Timeout);
    EXPECT_EQ(r.detail, "no move within 5000 + 1000 ms");

    // And Black's silence is judged by Black's own time.
    ScriptedLink black2({}), white2(WhiteMoves());
    const GameResult b = PlayGame(config, 0, {&black2, std::nullopt}, {&white2, std::nullopt, 5000});
    EXPECT_EQ(b.detail, "no move within 700 + 1000 ms");
}

TEST_F(GameTest, MatchTimeIsToldBeforeEveryMove) {
    ScriptedLink black(BlackMoves()), white(WhiteMoves());
    GameConfig config;
    config.matchMillis = 90000;
    PlayGame(config, 0, {&black, std::nullopt}, {&white, std::nullopt});
    int told = 0;
    for (size_t i = 0; i + 1 < white.sent.size(); ++i) {
        if (white.sent[i].rfind("INFO time_left ", 0) != 0) continue;
        ++told;
        const std::string& next = white.sent[i + 1];
        EXPECT_TRUE(next == "BOARD" || next.rfind("TURN", 0) == 0 || next.rfind("INFO", 0) == 0) << next;
    }
    EXPECT_EQ(told, 5) << "once after START, then before each of White's four moves";
    EXPECT_NE(std::find(white.sent.begin(), white.sent.end(), "INFO timeout_match 90000"), white.sent.end());
}

// White's first answer ends the game in each case; Black then wins.
TEST_F(GameTest, WhiteLosesByItsAnswer) {
    using S = EngineLink::Status;
    struct Case {
        const char* name;
        std::vector<EngineLink::Reply> answer;
        Reason reason;
        const char* detail;
        size_t complaints;
    };
    const Case cases[] = {
        {"occupied", {L("9,9")}, Reason::Illegal, "9,9 occupied", 0},
        {"off the board", {L("19,3")}, Reason::Illegal, "19,3 off the board", 0},
        {"negative", {L("-1,3")}, Reason::Illegal, "-1,3 off the board", 0},
        {"malformed after chatter",
         {L("MESSAGE hi"), L("DEBUG x"), L("OK")},
         Reason::Illegal,
         "answered 'OK'",
         0},
        {"garbage", {L("\x01\x02zz")}, Reason::Illegal, "answered '??zz'", 0},
        {"silence", {}, Reason::Timeout, "no move within 1000 + 1000 ms", 0},
        {"complaint then silence", {L("ERROR cannot"), L("UNKNOWN")}, Reason::Timeout, "after 'UNKNOWN'", 2},
        {"output closed", {{S::Closed, ""}}, Reason::Crash, "scripted end", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedLink black(BlackMoves()), white({c.answer});
        const GameResult r = PlayGame(GameConfig{}, 0, {&black, std::nullopt}, {&white, std::nullopt});
        ASSERT_TRUE(r.winner);
        EXPECT_EQ(*r.winner, Colour::Black);
        EXPECT_EQ(r.reason, c.reason);
        EXPECT_NE(r.detail.find(c.detail), std::string::npos) << r.detail;
        EXPECT_EQ(r.moves.size(), 3u) << "an illegal answer is not on the record";
        EXPECT_EQ(r.complaints[1].size(), c.complaints);
    }
}

TEST_F(GameTest, StartFailuresLoseBeforeAnyMove) {
    struct Case {
        const char* name;
        const char* startAnswer;
        bool refuseInput;
        Reason reason;
        const char* detail;
    };
    const Case cases[] = {
        {"refused", "ERROR tables missing", false, Reason::StartFailed,
         "answered 'ERROR tables missing' to START"},
        {"no input", "OK", true, Reason::Crash, "scripted end"},
        {"not OK", "OKAY", false, Reason::StartFailed, "answered 'OKAY' to START"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedLink black(BlackMoves()), white(WhiteMoves());
        black.startAnswer = c.startAnswer;
        black.refuseInput = c.refuseInput;
        const GameResult r = PlayGame(GameConfig{}, 0, {&black, std::nullopt}, {&white, std::nullopt});
        ASSERT_TRUE(r.winner);
        EXPECT_EQ(*r.winner, Colour::White);
        EXPECT_EQ(r.reason, c.reason);
        EXPECT_EQ(r.detail, c.detail);
        EXPECT_TRUE(white.sent.empty()) << "White is not started once Black has failed";
    }
}

TEST_F(GameTest, BlackLosesByAForbiddenMove) {
    // Black builds two twos that cross at 4,4; White answers far away, three points apart.
    const auto blackScript = [] {
        return std::vector<std::vector<EngineLink::Reply>>{
            {L("2,4")}, {L("3,4")}, {L("4,2")}, {L("4,3")}, {L("4,4")}};
    };
    const auto whiteScript = [] {
        return std::vector<std::vector<EngineLink::Reply>>{
            {L("18,0")}, {L("15,0")}, {L("12,0")}, {L("18,3")}, {L("18,6")}};
    };
    ScriptedLink black(blackScript()), white(whiteScript());
    const GameResult r = PlayGame(GameConfig{}, 0, {&black, std::nullopt}, {&white, std::nullopt});
    ASSERT_TRUE(r.winner);
    EXPECT_EQ(*r.winner, Colour::White);
    EXPECT_EQ(r.reason, Reason::Forbidden);
    EXPECT_EQ(r.detail, "double three at 4,4");
    EXPECT_EQ(r.moves.size(), 13u) << "the forbidden stone is on the record";

    // Without restrictions the game goes on, until White's script runs out.
    ScriptedLink black2(blackScript()), white2(whiteScript());
    GameConfig free;
    free.rule = RULE_FREE;
    const GameResult f = PlayGame(free, 0, {&black2, std::nullopt}, {&white2, std::nullopt});
    EXPECT_EQ(f.reason, Reason::Timeout) << f.detail;
    EXPECT_EQ(f.moves.size(), 13u);
    EXPECT_NE(std::find(white2.sent.begin(), white2.sent.end(), "INFO rule 0"), white2.sent.end());
}

TEST_F(GameTest, GameLineAndRecordNameWhoPlayedWhat) {
    ScriptedLink black(BlackMoves()), white(WhiteMoves());
    const GameResult r = PlayGame(GameConfig{}, 0, {&black, std::nullopt}, {&white, std::nullopt});
    MatchOptions o;
    o.engine[0] = "engine-a";
    o.engine[1] = "engine-b --x";
    o.level[1] = 2;
    o.turnMillis[1] = 5000;
    const GameSetup bBlack{0, false};  // B had Black and won
    const std::string line = GameLine(2, 20, bBlack, r);
    EXPECT_EQ(line.rfind("game 2/20  opening 0 ", 0), 0u) << line;
    EXPECT_NE(line.find("black B  result B wins  reason five (five at 14,8)  moves 11"), std::string::npos)
        << line;
    Tally t;
    Count(&t, bBlack, r);
    Count(&t, GameSetup{0, true}, r);
    EXPECT_EQ(t.wins, 1);
    EXPECT_EQ(t.losses, 1);

    const GameRecord rec = MakeRecord(o, 2, bBlack, r);
    EXPECT_EQ(rec.moves, r.moves);
    EXPECT_EQ(rec.Field("Game"), "2");
    EXPECT_EQ(rec.Field("Black"), "B engine-b --x (level 2, 5000 ms per move)");
    EXPECT_EQ(rec.Field("White"), "A engine-a");
    EXPECT_EQ(rec.Field("Result"), "black wins");
    EXPECT_EQ(rec.Field("Reason"), "five");
    EXPECT_EQ(rec.Field("Detail"), "five at 14,8");
    EXPECT_EQ(rec.Field("Rule"), "4 renju");
}
