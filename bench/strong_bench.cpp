// The tournament player's signature and speed.
//
// By default: fixed positions, each searched afresh to a fixed node count (search and threat
// solver together). "Nodes searched" is the work, "Results" hashes every chosen move, score
// and depth (the behaviour); both are the same on every machine and every run.
// --selfplay: nodes per second of the search and the solver over a timed self-play game;
// those figures depend on the machine and its load.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/positions.h"
#include "engine/board.h"
#include "engine/patterns.h"
#include "player/strong/position.h"
#include "player/strong/search.h"
#include "player/strong/threats.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// FNV-1a over 64-bit values.
struct ResultHash {
    uint64_t h = 14695981039346656037ull;
    void Add(int64_t v) {
        for (int i = 0; i < 8; ++i) {
            h ^= (static_cast<uint64_t>(v) >> (8 * i)) & 0xff;
            h *= 1099511628211ull;
        }
    }
};

int Signature(int64_t nodes) {
    int64_t total = 0;
    double seconds = 0;
    ResultHash hash;
    std::printf("%-32s %4s %7s %-16s %5s %9s %10s %10s %8s\n", "position", "rule", "move", "reason", "depth",
                "score", "search", "solver", "seconds");
    auto one = [&](const std::string& name, int rule, const char* moves) {
        bench::PlayMoveList(rule, moves);
        strong::ClearTable();  // each position from the same start
        strong::ThinkLimits limits;
        limits.millis = 0;
        limits.nodes = nodes;
        const auto t0 = std::chrono::steady_clock::now();
        const strong::ThinkResult r = strong::Think(limits);
        const double s = Seconds(t0);
        seconds += s;
        total += r.nodes + r.solverNodes;
        hash.Add(r.point);
        hash.Add(r.score);
        hash.Add(r.depth);
        const std::string move = r.point < 0 ? std::string("-")
                                             : std::to_string(r.point % BOARD_SIZE) + "," +
                                                   std::to_string(r.point / BOARD_SIZE);
        std::printf("%-32s %4d %7s %-16s %5d %9d %10lld %10lld %8.3f\n", name.c_str(), rule, move.c_str(), r.reason,
                    r.depth, r.score, static_cast<long long>(r.nodes), static_cast<long long>(r.solverNodes), s);
    };
    for (const bench::BenchPosition& p : bench::POSITIONS)
        one(p.name, p.rule, p.moves);
    int k = 0;
    for (const bench::MiddleGamePosition& p : bench::MIDDLE_GAME)
        one("middle game " + std::to_string(++k), p.rule, p.moves);
    std::printf("Node limit: %lld a position\n", static_cast<long long>(nodes));
    std::printf("Nodes searched: %lld\n", static_cast<long long>(total));
    std::printf("Results: %016llx\n", static_cast<unsigned long long>(hash.h));
    std::printf("Nodes/second: %lld\n", static_cast<long long>(seconds > 0 ? total / seconds : 0));
    return 0;
}

int SelfPlay(int32_t millis, int moves) {
    g_rule = 1;
    ResetBoards();
    // Self-play under the renju rule; every position is also given to the solver for both sides.
    int64_t searchNodes = 0, solverNodes = 0;
    double searchSeconds = 0, solverSeconds = 0;
    for (int m = 0; m < moves; ++m) {
        auto t0 = std::chrono::steady_clock::now();
        const strong::ThinkResult r = strong::Think(millis);
        const double s = Seconds(t0);
        if (r.reason == std::string("search")) {
            searchNodes += r.nodes;
            searchSeconds += s;
        }
        std::printf("move %2d: %2d,%2d  %-18s depth %2d  score %8d  nodes %9lld  %.3f s\n", m + 1,
                    r.point % BOARD_SIZE, r.point / BOARD_SIZE, r.reason, r.depth, r.score,
                    static_cast<long long>(r.nodes), s);
        if (r.point < 0) break;
        for (uint8_t side : {CELL_BLACK, CELL_WHITE}) {
            t0 = std::chrono::steady_clock::now();
            const strong::ThreatResult t = strong::SolveThreats(side, strong::ThreatKind::FOURS);
            solverSeconds += Seconds(t0);
            solverNodes += t.nodes;
        }
        const bool five = strong::MakesFive(strong::SideToMove(), r.point);
        RecordPush(r.point % BOARD_SIZE, r.point / BOARD_SIZE);
        EnginePush(r.point % BOARD_SIZE, r.point / BOARD_SIZE);
        if (five) break;
    }
    std::printf("Search: %lld nodes in %.2f s, %.0f nodes/s\n", static_cast<long long>(searchNodes),
                searchSeconds, searchSeconds > 0 ? searchNodes / searchSeconds : 0.0);
    std::printf("Solver by fours: %lld nodes in %.3f s, %.0f nodes/s\n", static_cast<long long>(solverNodes),
                solverSeconds, solverSeconds > 0 ? solverNodes / solverSeconds : 0.0);
    return 0;
}

}  // namespace

// renju-strong-bench [--nodes N]: the signature; renju-strong-bench --selfplay [--ms M] [--moves K].
int main(int argc, char** argv) {
    int32_t millis = 1000;
    int moves = 30;
    int64_t nodes = 250000;
    bool selfPlay = false;
    for (int i = 1; i < argc; ++i) {
        const bool value = i + 1 < argc;
        if (std::strcmp(argv[i], "--selfplay") == 0) {
            selfPlay = true;
        } else if (std::strcmp(argv[i], "--ms") == 0 && value) {
            millis = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--moves") == 0 && value) {
            moves = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--nodes") == 0 && value) {
            nodes = std::atoll(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: %s [--nodes N] | --selfplay [--ms M] [--moves K]\n", argv[0]);
            return 2;
        }
    }
    if (!LoadPatternTables(RENJU_TABLE_DIR).ok) {
        std::fprintf(stderr, "pattern tables not found in %s\n", RENJU_TABLE_DIR);
        return 1;
    }
    strong::SetTableBytes(strong::DEFAULT_TABLE_MEGABYTES << 20);
    return selfPlay ? SelfPlay(millis, moves) : Signature(std::max<int64_t>(1, nodes));
}
