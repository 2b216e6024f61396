// Real child processes: misbehaving test engines, and whole runs of the renju-match program.
#include "tools/match/process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/openings.h"
#include "tests/support/engine_fixture.h"
#include "tools/match/game.h"
#include "records/judge.h"
#include "records/psq.h"

using namespace match;

namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}
// One shell word holding a whole command line, for the runner's arguments.
std::string Word(const std::string& command) {
    return "\"" + command + "\"";
}
std::string Fake(const std::string& mode) {
    return Quoted(FAKE_ENGINE_PATH) + " " + mode;
}

double SecondsSince(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

// A fresh folder for one test's records, removed afterwards.
class TempDir {
public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::temp_directory_path() /
                ("renju-match-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        fs::remove_all(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

struct ProgramRun {
    std::vector<std::string> lines;  // standard output and error together
    std::string end;                 // how the program ended
    double seconds = 0;
};

// Runs a shell command line to its end, reading everything it prints; never longer than limit.
ProgramRun RunCommand(const std::string& command, int limitSeconds) {
    ProgramRun run;
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::seconds(limitSeconds);
    EngineProcess p(command + " 2>&1");
    EXPECT_TRUE(p.Started()) << p.Error();
    for (;;) {
        const EngineLink::Reply r = p.ReadLine(deadline);
        if (r.status != EngineLink::Status::Line) {
            EXPECT_EQ(r.status, EngineLink::Status::Closed) << "still running after " << limitSeconds << " s";
            break;
        }
        run.lines.push_back(r.line);
    }
    run.end = p.EndDescription();
    run.seconds = SecondsSince(start);
    p.Stop(0);
    return run;
}

std::vector<std::string> GameLines(const ProgramRun& run) {
    std::vector<std::string> games;
    for (const std::string& line : run.lines) {
        int n = 0, of = 0;
        if (std::sscanf(line.c_str(), "game %d/%d", &n, &of) == 2) games.push_back(line);
    }
    return games;
}

std::string Joined(const ProgramRun& run) {
    std::string all;
    for (const std::string& line : run.lines)
        all += line + "\n";
    return all;
}

using MatchProcessTest = EngineTest;

}  // namespace

// Each faulty engine loses its game for the right reason, whichever colour it has; a silent
// engine loses by the time per move and the tolerance, and no wait hangs the runner.
TEST_F(MatchProcessTest, MisbehavingEnginesLose) {
    struct Case {
        std::string command;
        Colour colour;
        Reason reason;
        std::vector<std::string> details;  // one of them is in the detail
    };
    const Case cases[] = {
        {Fake("crash"), Colour::White, Reason::Crash, {"killed by signal 6"}},
        {Fake("exit"), Colour::Black, Reason::Crash, {"exited with status 3"}},
        {Fake("close-output"), Colour::White, Reason::Crash, {"closed its output"}},
        {"sh -c 'exit 5'", Colour::Black, Reason::Crash, {"exited with status 5"}},
        {"exit 5", Colour::White, Reason::Crash, {"exited with status 127"}},  // not a program
        {"'" + std::string(FAKE_ENGINE_PATH) + "' crash 2>/dev/null",
         Colour::White,
         Reason::Crash,
         {"exited with status 134"}},  // through the shell, which reports the signal as a status
        {"/nonexistent/engine", Colour::White, Reason::Crash, {"exited with status 127"}},
        {Fake("refuse-start"),
         Colour::Black,
         Reason::StartFailed,
         {"answered 'ERROR no board for me' to START"}},
        {Fake("garbage"), Colour::White, Reason::Illegal, {"answered 'please wait'"}},
        {Fake("occupied"), Colour::White, Reason::Illegal, {"10,8 occupied"}},
        {Fake("occupied"), Colour::Black, Reason::Illegal, {"occupied"}},
        {Fake("off-board"), Colour::Black, Reason::Illegal, {"19,4 off the board"}},
        {Fake("silent"), Colour::White, Reason::Timeout, {"no move within 200 + 300 ms"}},
        {Fake("ignore-end"), Colour::Black, Reason::Timeout, {"no move within 200 + 300 ms"}},
    };
    GameConfig config;
    config.turnMillis = 200;
    config.toleranceMillis = 300;
    config.startMillis = 3000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command + " as " + ColourName(c.colour));
        EngineProcess bad(c.command), good(Fake("legal"));
        ASSERT_TRUE(bad.Started() && good.Started());
        const bool badBlack = c.colour == Colour::Black;
        const GameResult r = PlayGame(config, 0, {badBlack ? &bad : &good, std::nullopt},
                                      {badBlack ? &good : &bad, std::nullopt});
        bad.Stop(300);
        good.Stop(300);
        // The waits are shown by the reasons; a hang is the test runner's time-out.
        ASSERT_TRUE(r.winner);
        EXPECT_EQ(*r.winner, Other(c.colour));
        EXPECT_EQ(r.reason, c.reason) << r.detail;
        bool found = false;
        for (const std::string& d : c.details)
            found = found || r.detail.find(d) != std::string::npos;
        EXPECT_TRUE(found) << r.detail;
    }
}

// Chatter, complaints and an overlong line around every move do not disturb a game.
TEST_F(MatchProcessTest, ChatterIsNotAnAnswer) {
    EngineProcess chatty(Fake("chatty")), good(Fake("legal"));
    GameConfig config;
    config.rule = RULE_FREE;
    const GameResult r = PlayGame(config, 3, {&good, std::nullopt}, {&chatty, std::nullopt});
    chatty.Stop(300);
    good.Stop(300);
    EXPECT_TRUE(r.reason == Reason::Five || r.reason == Reason::FullBoard)
        << ReasonName(r.reason) << ": " << r.detail;
    EXPECT_GT(r.moves.size(), 10u);
    ASSERT_FALSE(r.complaints[1].empty());
    EXPECT_EQ(r.complaints[1][0], "ERROR a complaint that is not an answer");
    EXPECT_LE(r.complaints[1].size(), 20u) << "the kept complaints are bounded";
}

// The engine at levels 1 and 0 against itself: every game ends, the counts add up, and each
// record replays to the result it names.
TEST_F(MatchProcessTest, SelfPlayRunsToTheEnd) {
    TempDir dir;
    constexpr int GAMES = 4;
    const ProgramRun run =
        RunCommand(Quoted(MATCH_PATH) + " --games " + std::to_string(GAMES) +
                       " --time-ms 300 --tolerance-ms 3000 --level-a 1 --level-b 0 --records " +
                       Quoted(dir.path().string()) + " " + Quoted(PBRAIN_PATH) + " " + Quoted(PBRAIN_PATH),
                   120);
    SCOPED_TRACE(Joined(run));
    EXPECT_EQ(run.end, "exited with status 0");
    const std::vector<std::string> games = GameLines(run);
    ASSERT_EQ(games.size(), static_cast<size_t>(GAMES));
    int w = -1, l = -1, d = -1;
    for (const std::string& line : run.lines)
        std::sscanf(line.c_str(), "A: %d wins, %d losses, %d draws", &w, &l, &d);
    EXPECT_EQ(w + l + d, GAMES);
    int aWins = 0, bWins = 0;
    for (const std::string& line : games) {
        aWins += line.find("result A wins") != std::string::npos;
        bWins += line.find("result B wins") != std::string::npos;
    }
    EXPECT_EQ(aWins, w);
    EXPECT_EQ(bWins, l);

    for (int n = 1; n <= GAMES; ++n) {
        SCOPED_TRACE("game " + std::to_string(n));
        std::ifstream in(dir.path() / ("game-00" + std::to_string(n) + ".psq"));
        ASSERT_TRUE(in) << "record missing";
        std::string error;
        const auto rec = ReadPsq(in, &error);
        ASSERT_TRUE(rec) << error;
        const GameSetup setup = ScheduleGame(n - 1);
        EXPECT_EQ(rec->Field("Black").substr(0, 2), setup.aIsBlack ? "A " : "B ");
        ASSERT_GE(rec->moves.size(), 4u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(rec->moves[i].x, g_openings[setup.opening][i].x);
            EXPECT_EQ(rec->moves[i].y, g_openings[setup.opening][i].y);
            EXPECT_EQ(rec->moves[i].millis, 0);
        }
        Judge judge(RULE_RENJU);
        Judgement last;
        for (size_t i = 0; i < rec->moves.size(); ++i) {
            last = judge.Play(rec->moves[i].x, rec->moves[i].y);
            if (i + 1 < rec->moves.size()) {
                ASSERT_EQ(last.verdict, Verdict::Continue) << "move " << i;
            }
        }
        const std::string reason = rec->Field("Reason"), result = rec->Field("Result");
        const Colour lastMover = Other(judge.ToMove());
        if (reason == "five") {
            EXPECT_EQ(last.verdict, Verdict::Win);
            EXPECT_EQ(result, std::string(ColourName(lastMover)) + " wins");
        } else if (reason == "forbidden") {
            EXPECT_EQ(last.verdict, Verdict::Forbidden);
            EXPECT_EQ(result, "white wins");
        } else if (reason == "full board") {
            EXPECT_EQ(last.verdict, Verdict::Draw);
            EXPECT_EQ(result, "draw");
        } else {
            ADD_FAILURE() << "pbrain-renju lost by " << reason << ": " << rec->Field("Detail");
        }
    }
}

// Whole runs that must end early and say why: a hanging engine, bad arguments, old records.
TEST_F(MatchProcessTest, ProgramEndsAndSaysWhy) {
    TempDir dir;
    const std::string match = Quoted(MATCH_PATH), records = " --records " + Quoted(dir.path().string());
    // A match refused at the start writes no records, so these may share a folder.
    const fs::path refusedDir = dir.path().string() + "-refused";
    const std::string refused = " --records " + Quoted(refusedDir.string());
    struct Case {
        const char* name;
        std::string args;
        std::string end;
        std::vector<std::string> shown;
        size_t games;
    };
    const Case cases[] = {
        {"a hanging engine loses on time, both games",
         " --games 2 --time-ms 100 --tolerance-ms 100" + records + " " + Word(Fake("ignore-end")) + " " +
             Word(Fake("legal")),
         "exited with status 0",
         {"reason time-out (no move within 100 + 100 ms)", "A: 0 wins, 2 losses, 0 draws",
          "Elo A - B: -inf +/- inf (95%)"},
         2},
        {"records are never overwritten",
         " --games 2" + records + " a b",
         "exited with status 1",
         {"game-001.psq already exists"},
         0},
        {"a records folder that cannot be made",
         " --records /dev/null/records a b",
         "exited with status 1",
         {"cannot make the records folder"},
         0},
        // An engine that cannot play would forfeit every game: no match at all, and the engine named.
        {"an engine that cannot be run",
         " --games 2" + refused + " /nonexistent/engine " + Word(Fake("legal")),
         "exited with status 1",
         {"engine A (/nonexistent/engine) cannot play", "ended before answering START", "status 127"},
         0},
        {"an engine that refuses START",
         " --games 2" + refused + " " + Word(Fake("legal")) + " " + Word(Fake("refuse-start")),
         "exited with status 1",
         {"engine B (" + Fake("refuse-start") + ") cannot play", "answered 'ERROR no board for me' to START"},
         0},
        {"an engine that does not answer START",
         " --games 2 --start-ms 300" + refused + " " + Word(Fake("mute-start")) + " " + Word(Fake("legal")),
         "exited with status 1",
         {"engine A (" + Fake("mute-start") + ") cannot play", "no answer to START within 300 ms"},
         0},
        {"help", " --help", "exited with status 0", {"Usage: renju-match", "--level-a"}, 0},
        {"bad option",
         " --games -3 a b",
         "exited with status 2",
         {"--games needs a whole number", "Usage:"},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramRun run = RunCommand(match + c.args, 30);
        SCOPED_TRACE(Joined(run));
        EXPECT_EQ(run.end, c.end);
        const std::string all = Joined(run);
        for (const std::string& s : c.shown)
            EXPECT_NE(all.find(s), std::string::npos) << s;
        EXPECT_EQ(GameLines(run).size(), c.games);
    }
    EXPECT_TRUE(fs::exists(dir.path() / "game-002.psq"));
    EXPECT_FALSE(fs::exists(refusedDir / "game-001.psq"));
    fs::remove_all(refusedDir);
}
