#include "tools/match/match.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>

#include "engine/openings.h"
#include "tools/match/process.h"

namespace match {

namespace {

const char* const ENGINE_NAME[2] = {"A", "B"};

bool ParseNumber(const std::string& s, int low, int high, int* value) {
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty() || v < low || v > high) return false;
    *value = v;
    return true;
}

std::string EngineLabel(const MatchOptions& o, int e) {
    std::string label = std::string(ENGINE_NAME[e]) + " " + o.engine[e], notes;
    if (o.level[e]) notes = "level " + std::to_string(*o.level[e]);
    if (o.turnMillis[e])
        notes += (notes.empty() ? "" : ", ") + std::to_string(*o.turnMillis[e]) + " ms per move";
    if (!notes.empty()) label += " (" + notes + ")";
    return label;
}

// Engine A's side of a game: 1 won, 0 lost, -1 draw.
int OutcomeForA(const GameSetup& setup, const GameResult& result) {
    if (!result.winner) return -1;
    return (*result.winner == Colour::Black) == setup.aIsBlack ? 1 : 0;
}

}  // namespace

std::string UsageText() {
    return R"(Usage: renju-match [options] ENGINE_A ENGINE_B

Plays games between two engines that speak the Gomoku tournament protocol and
referees them. ENGINE_A and ENGINE_B are command lines, each one argument:
  renju-match --games 20 --level-a 1 --level-b 0 ./pbrain-renju ./pbrain-renju
  renju-match -t 5000 ./pbrain-renju "wine ./pbrain-other.exe --fast"
A command with pipes, variables, redirections and the like runs under /bin/sh.
Game pair k starts from standard opening k mod 26; A has Black in the first
game of each pair and White in the second. Results are from A's view.

Options:
  -g, --games N          games to play (default 52: every opening with both colours)
  -r, --rule 0|4         0: five or more wins; 4: renju, Black must make exactly
                         five and may not play double three, double four or
                         overline (default 4)
  -t, --time-ms MS       time per move in milliseconds (default 1000)
      --time-ms-a MS     engine A's time per move, in place of --time-ms
      --time-ms-b MS     engine B's time per move, in place of --time-ms
      --match-ms MS      an engine's time for all its moves in a game; 0 means
                         no limit (default 0)
      --tolerance-ms MS  lateness allowed before a move counts as a time-out
                         (default 1000)
      --start-ms MS      time to answer START (default 15000)
      --level-a N        send "INFO renju_level N" (0..8) to engine A; by default
      --level-b N        nothing is sent, so that other engines work too
  -o, --records DIR      folder for the .psq game records; must not already
                         hold records of these numbers (default match-records)
  -h, --help             this text

A game is lost by a forbidden move (renju rule), an illegal answer (malformed,
off the board or on a stone), a time-out, or an engine that ends, closes its
output or refuses START. A full board is a draw. Exit status: 0 when all games
were played and recorded, 1 on a failure, 2 for a bad command line, 130 when
stopped by a signal.
)";
}

std::string ParseCommandLine(const std::vector<std::string>& args, MatchOptions* o, bool* help) {
    *help = false;
    std::vector<std::string> engines;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i], value;
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            engines.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            *help = true;
            return {};
        }
        const size_t eq = arg.find('=');
        const bool inlineValue = arg.rfind("--", 0) == 0 && eq != std::string::npos;
        if (inlineValue) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        }
        const auto take = [&](std::string* v) {
            if (inlineValue) {
                *v = value;
                return true;
            }
            if (i + 1 >= args.size()) return false;
            *v = args[++i];
            return true;
        };
        const auto number = [&](int low, int high, int* target) -> std::string {
            std::string v;
            if (!take(&v)) return arg + " needs a value";
            if (!ParseNumber(v, low, high, target))
                return arg + " needs a whole number from " + std::to_string(low) + " to " +
                       std::to_string(high) + ", got '" + v + "'";
            return {};
        };
        std::string error;
        int level = 0;
        if (arg == "-g" || arg == "--games") {
            error = number(1, 1000000, &o->games);
        } else if (arg == "-r" || arg == "--rule") {
            error = number(0, 4, &o->game.rule);
            if (error.empty() && o->game.rule != RULE_FREE && o->game.rule != RULE_RENJU)
                error = "--rule must be 0 (free) or 4 (renju)";
        } else if (arg == "-t" || arg == "--time-ms") {
            error = number(1, 3600000, &o->game.turnMillis);
        } else if (arg == "--time-ms-a" || arg == "--time-ms-b") {
            int millis = 0;
            error = number(1, 3600000, &millis);
            o->turnMillis[arg == "--time-ms-a" ? 0 : 1] = millis;
        } else if (arg == "--match-ms") {
            error = number(0, 360000000, &o->game.matchMillis);
        } else if (arg == "--tolerance-ms") {
            error = number(0, 3600000, &o->game.toleranceMillis);
        } else if (arg == "--start-ms") {
            error = number(1, 3600000, &o->game.startMillis);
        } else if (arg == "--level-a" || arg == "--level-b") {
            error = number(0, 8, &level);
            o->level[arg == "--level-a" ? 0 : 1] = level;
        } else if (arg == "-o" || arg == "--records") {
            if (!take(&o->recordsDir) || o->recordsDir.empty()) error = arg + " needs a folder";
        } else {
            error = "unknown option " + arg;
        }
        if (!error.empty()) return error;
    }
    if (engines.size() != 2)
        return "two engine command lines are needed, got " + std::to_string(engines.size());
    for (int e = 0; e < 2; ++e) {
        if (engines[e].find_first_not_of(" \t") == std::string::npos)
            return "an engine command line is empty";
        o->engine[e] = engines[e];
    }
    return {};
}

std::string RecordName(int n, int games) {
    const int width = std::max<int>(3, static_cast<int>(std::to_string(games).size()));
    std::string digits = std::to_string(n);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
    return "game-" + digits + ".psq";
}

GameRecord MakeRecord(const MatchOptions& o, int number, const GameSetup& setup, const GameResult& result) {
    GameRecord r;
    r.size = BOARD_SIZE;
    r.moves = result.moves;
    const int black = setup.aIsBlack ? 0 : 1;
    r.fields = {
        {"Game", std::to_string(number)},
        {"Opening", std::to_string(setup.opening) + " " + g_openingNames[setup.opening]},
        {"Rule", o.game.rule == RULE_RENJU ? "4 renju" : "0 free"},
        {"Time", std::to_string(o.game.turnMillis) + " ms per move"},
        {"Black", EngineLabel(o, black)},
        {"White", EngineLabel(o, 1 - black)},
        {"Result", !result.winner ? "draw" : std::string(ColourName(*result.winner)) + " wins"},
        {"Reason", ReasonName(result.reason)},
    };
    if (!result.detail.empty()) r.fields.emplace_back("Detail", result.detail);
    return r;
}

std::string GameLine(int number, int games, const GameSetup& setup, const GameResult& result) {
    int64_t longest[2] = {0, 0};  // by engine
    for (size_t i = 3; i < result.moves.size(); ++i) {
        const bool blackMove = i % 2 == 0;
        const int e = blackMove == setup.aIsBlack ? 0 : 1;
        longest[e] = std::max(longest[e], result.moves[i].millis);
    }
    const int outcome = OutcomeForA(setup, result);
    std::ostringstream line;
    line << "game " << number << "/" << games << "  opening " << setup.opening << " "
         << g_openingNames[setup.opening] << "  black " << (setup.aIsBlack ? "A" : "B") << "  result "
         << (outcome == 1   ? "A wins"
             : outcome == 0 ? "B wins"
                            : "draw")
         << "  reason " << ReasonName(result.reason);
    if (!result.detail.empty()) line << " (" << result.detail << ")";
    line << "  moves " << result.moves.size() << "  longest A " << longest[0] << " ms, B " << longest[1]
         << " ms";
    return line.str();
}

void Count(Tally* t, const GameSetup& setup, const GameResult& result) {
    const int outcome = OutcomeForA(setup, result);
    ++(outcome == 1 ? t->wins : outcome == 0 ? t->losses : t->draws);
}

void Count(MatchTally* t, const GameSetup& setup, const GameResult& result) {
    Count(&t->total, setup, result);
    Count(setup.aIsBlack ? &t->asBlack : &t->asWhite, setup, result);
    if (OutcomeForA(setup, result) == 0) ++t->losses[ReasonName(result.reason)];
}

namespace {

std::string TallyLine(const std::string& who, const Tally& t) {
    char score[96];
    const int n = t.Games();
    std::snprintf(score, sizeof score, "score %.1f/%d (%.1f%%)", t.Points(), n,
                  n ? 100.0 * t.Points() / n : 0.0);
    std::ostringstream s;
    s << who << ": " << t.wins << " wins, " << t.losses << " losses, " << t.draws << " draws; " << score << "\n";
    return s.str();
}

}  // namespace

std::string Summary(const Tally& t) {
    return TallyLine("A", t) + "Elo A - B: " + FormatEstimate(EstimateElo(t)) + " (95%)\n";
}

std::string MatchSummary(const MatchTally& t) {
    std::string s = TallyLine("A", t.total) + TallyLine("A as Black", t.asBlack) +
                    TallyLine("A as White", t.asWhite) +
                    "Elo A - B: " + FormatEstimate(EstimateElo(t.total)) + " (95%)\n" + "A lost by:";
    const char* separator = " ";
    for (const auto& [name, count] : t.losses) {
        s += separator + name + " " + std::to_string(count);
        separator = ", ";
    }
    if (t.losses.empty()) s += " nothing";
    return s + "\n";
}

int RunMatch(const MatchOptions& o, std::ostream& out, std::ostream& err) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path dir(o.recordsDir);
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir)) {
        err << "renju-match: cannot make the records folder " << dir << ": " << ec.message() << "\n";
        return 1;
    }
    // Records of an earlier match are kept: refuse rather than overwrite them.
    for (int n = 1; n <= o.games; ++n) {
        if (fs::exists(dir / RecordName(n, o.games))) {
            err << "renju-match: " << (dir / RecordName(n, o.games)).string()
                << " already exists; choose another records folder\n";
            return 1;
        }
    }
    // An engine that cannot be run, or does not answer START, would forfeit every game.
    for (int e = 0; e < 2; ++e) {
        EngineProcess probe(o.engine[e]);
        const std::string why = probe.Started() ? CheckStart(probe, o.game.startMillis) : probe.Error();
        probe.Stop(o.graceMillis);
        if (StopRequested()) return 130;
        if (!why.empty()) {
            err << "renju-match: engine " << ENGINE_NAME[e] << " (" << o.engine[e] << ") cannot play: " << why
                << "\n";
            return 1;
        }
    }
    out << EngineLabel(o, 0) << "\n"
        << EngineLabel(o, 1) << "\n"
        << o.games << " games, rule " << (o.game.rule == RULE_RENJU ? "4 (renju)" : "0 (free)") << ", "
        << o.game.turnMillis << " ms per move + " << o.game.toleranceMillis << " ms tolerance";
    if (o.game.matchMillis > 0) out << ", " << o.game.matchMillis << " ms per game";
    out << ", records in " << dir.string() << "\n" << std::flush;

    const auto started = Clock::now();
    MatchTally tally;
    std::map<std::string, int> reasons;
    int failedRecords = 0;
    bool stopped = false;
    for (int i = 0; i < o.games && !stopped; ++i) {
        const int number = i + 1;
        const GameSetup setup = ScheduleGame(i);
        EngineProcess a(o.engine[0]), b(o.engine[1]);
        for (const EngineProcess* p : {&a, &b}) {
            if (!p->Started()) {
                err << "renju-match: cannot start an engine: " << p->Error() << "\n";
                return 1;
            }
        }
        Player pa{&a, o.level[0], o.turnMillis[0]}, pb{&b, o.level[1], o.turnMillis[1]};
        const GameResult result = setup.aIsBlack ? PlayGame(o.game, setup.opening, pa, pb)
                                                 : PlayGame(o.game, setup.opening, pb, pa);
        a.Stop(o.graceMillis);
        b.Stop(o.graceMillis);
        if (result.aborted || StopRequested()) {
            out << "game " << number << "/" << o.games << " stopped: no result\n";
            stopped = true;
            break;
        }
        for (int c = 0; c < 2; ++c) {
            const int e = (c == 0) == setup.aIsBlack ? 0 : 1;
            for (const std::string& line : result.complaints[c])
                err << "game " << number << ", engine " << ENGINE_NAME[e] << ": " << line << "\n";
        }
        const fs::path file = dir / RecordName(number, o.games);
        {
            std::ofstream f(file);
            WritePsq(f, MakeRecord(o, number, setup, result));
            f.flush();
            if (!f) {
                err << "renju-match: could not write " << file.string() << "\n";
                ++failedRecords;
            }
        }
        Count(&tally, setup, result);
        ++reasons[ReasonName(result.reason)];
        out << GameLine(number, o.games, setup, result) << "\n" << std::flush;
    }
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - started).count();
    out << "\n" << MatchSummary(tally) << "Reasons:";
    const char* separator = " ";
    for (const auto& [name, count] : reasons) {
        out << separator << name << " " << count;
        separator = ", ";
    }
    out << "\nWall time: " << seconds / 60 << " min " << seconds % 60 << " s\n";
    if (failedRecords > 0) out << failedRecords << " records could not be written\n";
    out << std::flush;
    if (stopped) return 130;
    return failedRecords > 0 ? 1 : 0;
}

}  // namespace match
