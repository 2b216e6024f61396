// The tactics bench: positions from self-play games in which the side to move has a proven win
// by fours (VCF) or by fours and threes (VCT). Each proof is checked when the positions are made
// and when they are solved: a line by fours is replayed move by move; a win by threes must hold
// against every answer to its first attack.
//
//   renju-tactics-bench [--file F]            solve every position of F, print count and times
//   renju-tactics-bench --make F [--ms N]     self-play from the 26 openings, write positions to F
//   renju-tactics-bench --analyse G.psq ...   for each position of renju games, whether the side
//                                             to move, or its opponent after a pass, wins by
//                                             fours or by threes (where a lost game went wrong)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/openings.h"
#include "engine/patterns.h"
#include "player/strong/position.h"
#include "player/strong/search.h"
#include "player/strong/threats.h"
#include "records/psq.h"

namespace {

using strong::ThreatKind;

constexpr int MAX_PER_GAME = 3;  // of each kind, so that no single game fills the bench

strong::ThreatLimits FourLimits() {
    return {};
}
strong::ThreatLimits ThreeLimits() {
    strong::ThreatLimits l;
    l.maxAttacks = 8;
    l.maxNodes = 3000000;
    return l;
}

std::vector<int> FivesOf(uint8_t colour) {
    std::vector<int> fives;
    for (int p = 0; p < POINT_COUNT; ++p)
        if (strong::EmptyPoint(p) && strong::MakesFive(colour, p)) fives.push_back(p);
    return fives;
}

// Replays a line by fours of the side to move; true when every attack is a legal four, every
// answer the only block, and the line ends in a five or a four that cannot be blocked.
bool FourProofHolds(const std::vector<int>& line) {
    const uint8_t attacker = strong::SideToMove(), defender = strong::Opponent(attacker);
    int played = 0;
    bool ok = !line.empty(), ended = false;
    for (size_t i = 0; ok && i < line.size(); ++i) {
        const int p = line[i];
        if (!strong::EmptyPoint(p)) {
            ok = false;
        } else if (i % 2 == 0) {
            const strong::PointShape s = strong::ShapeAt(attacker, p);
            if (!strong::Legal(attacker, p))
                ok = false;
            else if (strong::MakesFive(attacker, p))
                ended = i + 1 == line.size(), ok = ended;
            else
                ok = s.fours + s.openFours > 0 && FivesOf(defender).empty();
        } else {
            const std::vector<int> fives = FivesOf(attacker);
            ok = fives.size() == 1 && fives[0] == p && strong::Legal(defender, p);
        }
        if (!ok || ended) break;
        strong::Play(p);
        ++played;
    }
    if (ok && !ended) {
        const std::vector<int> fives = FivesOf(attacker);
        ok = line.size() % 2 == 1 && FivesOf(defender).empty() &&
             (fives.size() >= 2 || (fives.size() == 1 && !strong::Legal(defender, fives[0])));
    }
    for (int i = 0; i < played; ++i)
        strong::Undo();
    return ok;
}

// A win by threes: its first attack is a legal four or three, and after every legal answer
// anywhere on the board the attacker still has a proven win (or a five).
bool ThreeProofHolds(const std::vector<int>& line) {
    if (line.empty()) return false;
    const uint8_t attacker = strong::SideToMove(), defender = strong::Opponent(attacker);
    const int first = line[0];
    const strong::PointShape s = strong::ShapeAt(attacker, first);
    if (!strong::EmptyPoint(first) || !strong::Legal(attacker, first) ||
        s.threes + s.fours + s.openFours == 0)
        return false;
    strong::Play(first);
    bool ok = true;
    if (FivesOf(attacker).size() < 2) {
        for (int p = 0; ok && p < POINT_COUNT; ++p) {
            if (!strong::EmptyPoint(p) || !strong::Legal(defender, p)) continue;
            strong::Play(p);
            if (FivesOf(attacker).empty())
                ok = strong::SolveThreats(attacker, ThreatKind::FOURS_AND_THREES, ThreeLimits()).win;
            strong::Undo();
        }
    }
    strong::Undo();
    return ok;
}

struct Position {
    std::string kind;  // "vcf" or "vct"
    int rule = 1;
    std::vector<MoveEntry> moves;
};

void SetUp(const Position& position) {
    g_rule = position.rule;
    ResetBoards();
    for (const MoveEntry& m : position.moves) {
        RecordPush(m.x, m.y);
        EnginePush(m.x, m.y);
    }
}

std::string MovesText() {
    std::string s;
    for (int i = 0; i < g_stackCount; ++i)
        s += (i ? " " : "") + std::to_string(g_stack[i].x) + "," + std::to_string(g_stack[i].y);
    return s;
}

int Make(const char* file, int32_t millis) {
    std::ofstream out(file);
    out << "# kind rule moves (x,y from 0, Black first); the side to move has the win\n";
    int written = 0;
    for (int opening = 0; opening < OPENING_COUNT; ++opening) {
        g_rule = 1;
        ResetBoards();
        for (const MoveEntry& m : g_openings[opening]) {
            RecordPush(m.x, m.y);
            EnginePush(m.x, m.y);
        }
        int fours = 0, threes = 0;
        while (g_stackCount < POINT_COUNT) {
            // A position counts when the win needs more than a five or an open four at once.
            const bool immediate = [] {
                for (int p = 0; p < POINT_COUNT; ++p) {
                    if (!strong::EmptyPoint(p)) continue;
                    const uint8_t me = strong::SideToMove();
                    if (strong::MakesFive(me, p) || strong::MakesFive(strong::Opponent(me), p)) return true;
                    if (strong::ShapeAt(me, p).openFours > 0 && strong::Legal(me, p)) return true;
                }
                return false;
            }();
            if (!immediate) {
                const strong::ThreatResult f =
                    strong::SolveThreats(strong::SideToMove(), ThreatKind::FOURS, FourLimits());
                if (f.win && fours < MAX_PER_GAME && FourProofHolds(f.line)) {
                    out << "vcf 1 " << MovesText() << "\n";
                    ++fours, ++written;
                } else if (!f.win && threes < MAX_PER_GAME) {
                    const strong::ThreatResult t = strong::SolveThreats(
                        strong::SideToMove(), ThreatKind::FOURS_AND_THREES, ThreeLimits());
                    if (t.win && ThreeProofHolds(t.line)) {
                        out << "vct 1 " << MovesText() << "\n";
                        ++threes, ++written;
                    }
                }
            }
            const strong::ThinkResult r = strong::Think(millis);
            if (r.point < 0) break;
            const bool five = strong::MakesFive(strong::SideToMove(), r.point);
            RecordPush(r.point % BOARD_SIZE, r.point / BOARD_SIZE);
            EnginePush(r.point % BOARD_SIZE, r.point / BOARD_SIZE);
            if (five) break;
        }
        std::printf("opening %2d: %d moves, %d by fours, %d by threes\n", opening, g_stackCount, fours,
                    threes);
        std::fflush(stdout);
    }
    std::printf("%d positions written to %s\n", written, file);
    return 0;
}

int Solve(const char* file) {
    std::ifstream in(file);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file);
        return 1;
    }
    std::vector<Position> positions;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        Position p;
        fields >> p.kind >> p.rule;
        for (std::string m; fields >> m;)
            p.moves.push_back({std::atoi(m.c_str()), std::atoi(m.c_str() + m.find(',') + 1)});
        positions.push_back(p);
    }
    int solved = 0, index = 0;
    double total = 0;
    int64_t nodes = 0;
    for (const Position& p : positions) {
        ++index;
        SetUp(p);
        const bool fours = p.kind == "vcf";
        const auto t0 = std::chrono::steady_clock::now();
        const strong::ThreatResult r = strong::SolveThreats(
            strong::SideToMove(), fours ? ThreatKind::FOURS : ThreatKind::FOURS_AND_THREES,
            fours ? FourLimits() : ThreeLimits());
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        const bool holds = r.win && (fours ? FourProofHolds(r.line) : ThreeProofHolds(r.line));
        solved += holds;
        total += ms;
        nodes += r.nodes;
        std::printf("%3d %s %-5s %3d moves  %-8s %9lld nodes %9.3f ms\n", index, p.kind.c_str(),
                    g_restricted ? "renju" : "free", static_cast<int>(p.moves.size()),
                    holds        ? "solved"
                    : r.complete ? "no win"
                                 : "gave up",
                    static_cast<long long>(r.nodes), ms);
    }
    std::printf("Solved: %d of %d\nTime: %.1f ms in all, %.2f ms per position; %lld solver nodes\n", solved,
                static_cast<int>(positions.size()), total, positions.empty() ? 0.0 : total / positions.size(),
                static_cast<long long>(nodes));
    return solved == static_cast<int>(positions.size()) ? 0 : 1;
}

}  // namespace

// "VCF", "VCT", "-" or "?" (the budget ran out) for `side` in the position on the board.
const char* Verdict(uint8_t side) {
    if (strong::SolveThreats(side, ThreatKind::FOURS, FourLimits()).win) return "VCF";
    strong::ThreatLimits l = ThreeLimits();
    l.maxAttacks = 10;
    const strong::ThreatResult r = strong::SolveThreats(side, ThreatKind::FOURS_AND_THREES, l);
    return r.win ? "VCT" : r.complete ? "-" : "?";
}

int Analyse(int count, char** files) {
    for (int f = 0; f < count; ++f) {
        std::ifstream in(files[f]);
        std::string error;
        const std::optional<records::GameRecord> record = records::ReadPsq(in, &error);
        if (!record) {
            std::fprintf(stderr, "%s: %s\n", files[f], error.c_str());
            return 1;
        }
        g_rule = 1;
        ResetBoards();
        std::printf("%s: %zu moves\n", files[f], record->moves.size());
        for (size_t i = 0; i < record->moves.size(); ++i) {
            const records::TimedMove& m = record->moves[i];
            const uint8_t side = strong::SideToMove();
            std::printf("%3zu %s to move, plays %2d,%2d  own: %-3s  opponent after a pass: %s\n", i + 1,
                        side == CELL_BLACK ? "Black" : "White", m.x, m.y, Verdict(side),
                        Verdict(strong::Opponent(side)));
            std::fflush(stdout);
            RecordPush(m.x, m.y);
            EnginePush(m.x, m.y);
        }
    }
    return 0;
}

int main(int argc, char** argv) {
    const char* file = RENJU_SOURCE_DIR "/bench/tactics.txt";
    const char* make = nullptr;
    int32_t millis = 200;
    int analyse = 0;  // first file of --analyse
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--analyse") == 0) analyse = i + 1;
    for (int i = 1; i + 1 < argc && analyse == 0; i += 2) {
        if (std::strcmp(argv[i], "--file") == 0) file = argv[i + 1];
        if (std::strcmp(argv[i], "--make") == 0) make = argv[i + 1];
        if (std::strcmp(argv[i], "--ms") == 0) millis = std::atoi(argv[i + 1]);
    }
    if (!LoadPatternTables(RENJU_TABLE_DIR).ok) {
        std::fprintf(stderr, "pattern tables not found in %s\n", RENJU_TABLE_DIR);
        return 1;
    }
    strong::SetTableBytes(16 << 20);
    if (analyse > 0) return Analyse(argc - analyse, argv + analyse);
    return make ? Make(make, millis) : Solve(file);
}
