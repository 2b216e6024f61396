// The match's bookkeeping without engines: ratings, records, protocol lines, schedule, options.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "tools/match/elo.h"
#include "tools/match/game.h"
#include "tools/match/match.h"
#include "tools/match/process.h"
#include "tools/match/protocol.h"
#include "records/psq.h"

using namespace match;

TEST(MatchElo, KnownScores) {
    struct Case {
        Tally tally;
        double elo, margin;
        const char* text;
    };
    const double inf = INFINITY;
    const Case cases[] = {
        {{15, 5, 0}, 190.8485, 217.6187, "+190.8 +/- 217.6"},  // 75%: 400 log10(3)
        {{5, 15, 0}, -190.8485, 217.6187, "-190.8 +/- 217.6"},
        {{10, 10, 0}, 0.0, 163.3214, "+0.0 +/- 163.3"},
        {{6, 4, 0}, 70.4365, 269.5207, "+70.4 +/- 269.5"},
        {{12, 6, 2}, 107.5381, 165.2384, "+107.5 +/- 165.2"},
        {{3, 1, 16}, 34.8601, 67.9205, "+34.9 +/- 67.9"},  // draws narrow the interval
        {{19, 1, 0}, 511.5014, inf, "+511.5 +/- inf"},     // the interval reaches 100%
        {{20, 0, 0}, inf, inf, "+inf +/- inf"},
        {{0, 20, 0}, -inf, inf, "-inf +/- inf"},
        {{0, 0, 7}, 0.0, 0.0, "+0.0 +/- 0.0"},  // all draws: no spread at all
    };
    for (const Case& c : cases) {
        const EloEstimate e = EstimateElo(c.tally);
        const std::string name = std::to_string(c.tally.wins) + "-" + std::to_string(c.tally.losses) + "-" +
                                 std::to_string(c.tally.draws);
        ASSERT_TRUE(e.known) << name;
        if (std::isinf(c.elo))
            EXPECT_EQ(e.elo, c.elo) << name;
        else
            EXPECT_NEAR(e.elo, c.elo, 1e-3) << name;
        if (std::isinf(c.margin))
            EXPECT_TRUE(std::isinf(e.margin)) << name;
        else
            EXPECT_NEAR(e.margin, c.margin, 1e-3) << name;
        EXPECT_EQ(FormatEstimate(e), c.text) << name;
    }
    EXPECT_FALSE(EstimateElo(Tally{}).known);
    EXPECT_EQ(FormatEstimate(EstimateElo(Tally{})), "n/a");
}

TEST(MatchElo, SummaryCountsFromAsView) {
    EXPECT_EQ(Summary({12, 6, 2}),
              "A: 12 wins, 6 losses, 2 draws; score 13.0/20 (65.0%)\nElo A - B: +107.5 +/- 165.2 (95%)\n");
}

TEST(MatchElo, SummaryGivesAsResultsByColourAndItsLossesByReason) {
    struct Game {
        bool aIsBlack;
        std::optional<Colour> winner;
        Reason reason;
    };
    const Game games[] = {
        {true, Colour::Black, Reason::Five},       // A wins as Black
        {true, Colour::White, Reason::Forbidden},  // A loses as Black by a forbidden move
        {true, std::nullopt, Reason::FullBoard},   // a draw as Black
        {false, Colour::White, Reason::Five},      // A wins as White
        {false, Colour::White, Reason::Timeout},   // ... and by B's time-out
        {false, Colour::Black, Reason::Five},      // A loses as White
        {true, Colour::White, Reason::Five},       // A loses as Black
    };
    MatchTally t;
    for (const Game& g : games) {
        GameResult r;
        r.winner = g.winner;
        r.reason = g.reason;
        Count(&t, GameSetup{0, g.aIsBlack}, r);
    }
    EXPECT_EQ(MatchSummary(t),
              "A: 3 wins, 3 losses, 1 draws; score 3.5/7 (50.0%)\n"
              "A as Black: 1 wins, 2 losses, 1 draws; score 1.5/4 (37.5%)\n"
              "A as White: 2 wins, 1 losses, 0 draws; score 2.0/3 (66.7%)\n"
              "Elo A - B: " + FormatEstimate(EstimateElo(t.total)) + " (95%)\n"
              "A lost by: five 2, forbidden 1\n");
    EXPECT_EQ(MatchSummary(MatchTally{}).substr(MatchSummary(MatchTally{}).rfind("A lost")),
              "A lost by: nothing\n");
}

TEST(MatchRecord, ShortGameExactly) {
    GameRecord r;
    r.moves = {{9, 9, 0}, {9, 8, 0}, {10, 8, 0}, {0, 0, 17}, {11, 8, 980}, {18, 18, 1204}};
    r.fields = {{"Result", "black wins"}, {"Detail", "answered 'a\nb'"}};
    std::ostringstream out;
    WritePsq(out, r);
    EXPECT_EQ(out.str(),
              "Piskvorky 19x19, 0:0, 0\n"
              "10,10,0\n"
              "10,9,0\n"
              "11,9,0\n"
              "1,1,17\n"
              "12,9,980\n"
              "19,19,1204\n"
              "Result: black wins\n"
              "Detail: answered 'a b'\n");  // an engine's line end cannot start a new record line

    std::istringstream in(out.str());
    std::string error;
    const auto back = ReadPsq(in, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->size, 19);
    EXPECT_EQ(back->moves, r.moves);
    EXPECT_EQ(back->Field("Result"), "black wins");
    EXPECT_EQ(back->Field("Detail"), "answered 'a b'");
    EXPECT_EQ(back->Field("Missing"), "");
}

TEST(MatchRecord, ReadRefusesDamagedRecords) {
    const char* bad[] = {
        "",
        "Gomoku 19x19\n1,1,0\n",
        "Piskvorky 19x19, 0:0, 0\n0,5,0\n",  // coordinates start at 1
        "Piskvorky 19x19, 0:0, 0\n20,5,0\n",
        "Piskvorky 19x19, 0:0, 0\n5,5,-3\n",
        "Piskvorky 19x19, 0:0, 0\n5,5,0\nnot a field\n",
    };
    for (const char* text : bad) {
        std::istringstream in(text);
        std::string error;
        EXPECT_FALSE(ReadPsq(in, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(MatchProtocol, AnswersAreSorted) {
    struct Case {
        const char* line;
        AnswerKind kind;
        int x, y;
    };
    const Case cases[] = {
        {"7,8", AnswerKind::Move, 7, 8},
        {" 7 , 8 \r", AnswerKind::Move, 7, 8},
        {"-1,3", AnswerKind::Move, -1, 3},  // a move, off the board: the judge's business
        {"19,0", AnswerKind::Move, 19, 0},
        {"MESSAGE 7,8 looks good", AnswerKind::Chatter, -1, -1},
        {"DEBUG depth 6", AnswerKind::Chatter, -1, -1},
        {"", AnswerKind::Chatter, -1, -1},
        {"ERROR no move", AnswerKind::Complaint, -1, -1},
        {"UNKNOWN", AnswerKind::Complaint, -1, -1},
        {"OK", AnswerKind::Ok, -1, -1},
        {" OK \r", AnswerKind::Ok, -1, -1},
        {"OKAY", AnswerKind::Other, -1, -1},
        {"7,8,1", AnswerKind::Other, -1, -1},
        {"7", AnswerKind::Other, -1, -1},
        {"7;8", AnswerKind::Other, -1, -1},
        {"7.5,8", AnswerKind::Other, -1, -1},
        {"99999999999,1", AnswerKind::Other, -1, -1},
        {"MESSAGES 7,8", AnswerKind::Other, -1, -1},
        {"x,y", AnswerKind::Other, -1, -1},
    };
    for (const Case& c : cases) {
        const Answer a = ParseAnswer(c.line);
        EXPECT_EQ(a.kind, c.kind) << "'" << c.line << "'";
        if (c.kind == AnswerKind::Move) {
            EXPECT_EQ(a.x, c.x) << c.line;
            EXPECT_EQ(a.y, c.y) << c.line;
        }
    }
}

TEST(MatchProtocol, BoardBlockMarksOwnStones) {
    const std::vector<TimedMove> moves = {{9, 9, 0}, {9, 8, 0}, {10, 8, 0}, {0, 0, 5}};
    EXPECT_EQ(BoardBlock(moves, Colour::Black),
              (std::vector<std::string>{"BOARD", "9,9,1", "9,8,2", "10,8,1", "0,0,2", "DONE"}));
    EXPECT_EQ(BoardBlock({moves.begin(), moves.begin() + 3}, Colour::White),
              (std::vector<std::string>{"BOARD", "9,9,2", "9,8,1", "10,8,2", "DONE"}));
}

TEST(MatchSchedule, OpeningsTwiceWithColoursSwapped) {
    struct Case {
        int index, opening;
        bool aIsBlack;
    };
    const Case cases[] = {{0, 0, true},   {1, 0, false},   {2, 1, true},  {3, 1, false},
                          {50, 25, true}, {51, 25, false}, {52, 0, true}, {105, 0, false}};
    for (const Case& c : cases) {
        const GameSetup s = ScheduleGame(c.index);
        EXPECT_EQ(s.opening, c.opening) << c.index;
        EXPECT_EQ(s.aIsBlack, c.aIsBlack) << c.index;
    }
    // Over any even number of games each engine has Black equally often.
    int aBlack = 0;
    for (int i = 0; i < 20; ++i)
        aBlack += ScheduleGame(i).aIsBlack;
    EXPECT_EQ(aBlack, 10);
}

TEST(MatchCommandLine, GoodArguments) {
    MatchOptions o;
    bool help = false;
    ASSERT_EQ(ParseCommandLine(
                  {"--games", "20", "-r", "0", "--time-ms=250", "--tolerance-ms", "0", "--level-a", "3",
                   "--records", "/tmp/x", "--match-ms", "60000", "--time-ms-b=5000", "./a --fast", "b"},
                  &o, &help),
              "");
    EXPECT_FALSE(help);
    EXPECT_EQ(o.games, 20);
    EXPECT_EQ(o.game.rule, 0);
    EXPECT_EQ(o.game.turnMillis, 250);
    EXPECT_EQ(o.game.toleranceMillis, 0);
    EXPECT_EQ(o.game.matchMillis, 60000);
    EXPECT_EQ(o.level[0], 3);
    EXPECT_FALSE(o.level[1]) << "no level given: nothing is sent";
    EXPECT_FALSE(o.turnMillis[0]) << "A keeps the game's time";
    EXPECT_EQ(o.turnMillis[1], 5000);
    EXPECT_EQ(o.recordsDir, "/tmp/x");
    EXPECT_EQ(o.engine[0], "./a --fast");
    EXPECT_EQ(o.engine[1], "b");

    MatchOptions d;
    ASSERT_EQ(ParseCommandLine({"a", "--", "-b"}, &d, &help), "");
    EXPECT_EQ(d.engine[1], "-b");
    EXPECT_EQ(d.games, 52);
    EXPECT_EQ(d.game.rule, 4);
    EXPECT_EQ(d.game.turnMillis, 1000);
    ASSERT_EQ(ParseCommandLine({"--help"}, &d, &help), "");
    EXPECT_TRUE(help);
}

TEST(MatchCommandLine, BadArguments) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    };
    const Case cases[] = {
        {{"a"}, "two engine command lines"},
        {{"a", "b", "c"}, "two engine command lines"},
        {{"a", " "}, "empty"},
        {{"--games", "0", "a", "b"}, "--games needs a whole number from 1"},
        {{"--games", "ten", "a", "b"}, "got 'ten'"},
        {{"--games", "10x", "a", "b"}, "got '10x'"},
        {{"a", "b", "--games"}, "--games needs a value"},
        {{"--rule", "1", "a", "b"}, "0 (free) or 4 (renju)"},
        {{"--rule", "5", "a", "b"}, "--rule needs a whole number"},
        {{"--level-b", "9", "a", "b"}, "from 0 to 8"},
        {{"--time-ms", "0", "a", "b"}, "--time-ms needs"},
        {{"--time-ms-a", "0", "a", "b"}, "--time-ms-a needs a whole number from 1"},
        {{"a", "b", "--time-ms-b"}, "--time-ms-b needs a value"},
        {{"--tolerance-ms=-5", "a", "b"}, "--tolerance-ms needs"},
        {{"--records", "", "a", "b"}, "needs a folder"},
        {{"--colour", "a", "b"}, "unknown option --colour"},
    };
    for (const Case& c : cases) {
        MatchOptions o;
        bool help = false;
        const std::string error = ParseCommandLine(c.args, &o, &help);
        EXPECT_NE(error.find(c.error), std::string::npos)
            << ::testing::PrintToString(c.args) << ": " << error;
    }
}

TEST(MatchRecord, NamesSortInPlayOrder) {
    EXPECT_EQ(RecordName(1, 20), "game-001.psq");
    EXPECT_EQ(RecordName(20, 20), "game-020.psq");
    EXPECT_EQ(RecordName(7, 12345), "game-00007.psq");
}

TEST(MatchCommandLine, EngineCommandsRunWithoutAShellWhenTheyCan) {
    using Words = std::vector<std::string>;
    struct Case {
        const char* command;
        std::optional<Words> words;  // nothing: run by the shell
    };
    const Case cases[] = {
        {"./pbrain-renju", Words{"./pbrain-renju"}},
        {"  engine   --level=3\targ ", Words{"engine", "--level=3", "arg"}},
        {"'/opt/my engine/run' 'it''s'", Words{"/opt/my engine/run", "its"}},
        {"\"a \\\"b\\\" c\" d\\ e", Words{"a \"b\" c", "d e"}},
        {"a ''", Words{"a", ""}},
        {"wine engine.exe | tee log", std::nullopt},
        {"cd dir && ./engine", std::nullopt},
        {"engine > log", std::nullopt},
        {"engine $HOME", std::nullopt},
        {"engine \"$HOME\"", std::nullopt},
        {"engine `pwd`", std::nullopt},
        {"LEVEL=3 engine", std::nullopt},
        {"~/engine", std::nullopt},
        {"engine *.dat", std::nullopt},
        {"engine 'open quote", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitSimpleCommand(c.command), c.words) << c.command;
}
