// The search signature: fixed positions searched at fixed depths with a fixed random seed
// and no time limit. "Nodes searched" is the work done; "Results" hashes every root result
// (the behaviour): a pure speed-up keeps Results and may lower Nodes searched.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "bench/positions.h"
#include "engine/board.h"
#include "engine/patterns.h"
#include "platform/random.h"
#include "player/game_state.h"
#include "player/levels.h"
#include "player/search.h"

namespace {

using bench::BenchPosition;
using bench::MiddleGamePosition;
using bench::MIDDLE_GAME;
using bench::POSITIONS;

constexpr uint32_t BENCH_SEED = 12345;

// FNV-1a over 32-bit values: the behaviour signature of every root result.
struct ResultHash {
    uint64_t h = 14695981039346656037ull;
    void Add(int32_t v) {
        for (int i = 0; i < 4; ++i) {
            h ^= (static_cast<uint32_t>(v) >> (8 * i)) & 0xff;
            h *= 1099511628211ull;
        }
    }
    void Add(const RootResults& r, int32_t x, int32_t y, int32_t score) {
        Add(r.count);
        for (int i = 0; i < r.count; ++i) {
            Add(r.moves[i].x);
            Add(r.moves[i].y);
            Add(r.scores[i]);
        }
        Add(x);
        Add(y);
        Add(score);
    }
};

void SetUp(int rule, int level, const char* moves) {
    bench::PlayMoveList(rule, moves);
    g_humanBlack = g_moveCount % 2;  // the computer is the side to move
    g_level = level;
    g_variety = 1;
    g_varietyMargin[0] = VARIETY_BASE[0];
    g_varietyMargin[1] = VARIETY_BASE[1];
    g_varietyMargin[2] = VARIETY_BASE[2];
    ConfigureSearch(g_moveCount);
    SeedRandom(BENCH_SEED);
}

// One root search of the position set up, at the plan's depth: its answer and its time.
struct Searched {
    int32_t x = -1, y = -1, score = 0;
    RootResults results;
    double seconds = 0;
    std::string Move() const { return std::to_string(x) + "," + std::to_string(y); }
};

Searched SearchTimed() {
    Searched s;
    g_searchNodes = 0;
    const auto start = std::chrono::steady_clock::now();
    s.score = SearchRoot(&s.x, &s.y, g_searchDepth, &s.results);
    s.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return s;
}

// The fixed positions: the two signatures.
void SignaturePositions() {
    int64_t totalNodes = 0;
    double totalSeconds = 0;
    ResultHash hash;
    std::printf("%-30s %4s %5s %5s %7s %10s %12s %9s\n", "position", "rule", "level", "depth", "move",
                "score", "nodes", "seconds");
    for (const BenchPosition& pos : POSITIONS) {
        SetUp(pos.rule, pos.level, pos.moves);
        const int depth = g_searchDepth;
        const Searched r = SearchTimed();
        totalNodes += g_searchNodes;
        totalSeconds += r.seconds;
        hash.Add(r.results, r.x, r.y, r.score);
        std::printf("%-30s %4d %5d %5d %7s %10d %12lld %9.3f\n", pos.name, pos.rule, pos.level, depth,
                    r.Move().c_str(), r.score, static_cast<long long>(g_searchNodes), r.seconds);
    }
    std::printf("Nodes searched: %lld\n", static_cast<long long>(totalNodes));
    std::printf("Results: %016llx\n", static_cast<unsigned long long>(hash.h));
    std::printf("Nodes/second: %lld\n",
                static_cast<long long>(totalSeconds > 0 ? totalNodes / totalSeconds : 0));
}

void MiddleGamePositions() {
    constexpr int QUITE_SLOW_3 = 7;
    std::vector<double> times;
    int64_t totalNodes = 0;
    std::printf("\n%-8s %4s %5s %5s %5s %7s %10s %12s %9s\n", "middle", "rule", "moves", "width", "depth",
                "move", "score", "nodes", "seconds");
    for (const MiddleGamePosition& pos : MIDDLE_GAME) {
        SetUp(pos.rule, QUITE_SLOW_3, pos.moves);
        const int width = g_searchWidth, depth = g_searchDepth;
        const Searched r = SearchTimed();
        times.push_back(r.seconds);
        totalNodes += g_searchNodes;
        std::printf("%-8zu %4d %5d %5d %5d %7s %10d %12lld %9.3f\n", times.size(), pos.rule, g_moveCount,
                    width, depth, r.Move().c_str(), r.score, static_cast<long long>(g_searchNodes),
                    r.seconds);
    }
    double total = 0;
    for (const double t : times)
        total += t;
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    std::printf("Middle game: %zu positions, median %.3f s, longest %.3f s, nodes %lld, nodes/second %lld\n",
                n, median, times.back(), static_cast<long long>(totalNodes),
                static_cast<long long>(total > 0 ? totalNodes / total : 0));
}

}  // namespace

// renju-bench [--middle-game] [--plain] [TABLE_DIR]: the fixed positions, or the middle-game
// set; --plain searches without cut-offs or table, as plain minimax.
int main(int argc, char** argv) {
    bool middleGame = false;
    const char* dir = RENJU_TABLE_DIR;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--middle-game") == 0)
            middleGame = true;
        else if (std::strcmp(argv[i], "--plain") == 0)
            g_searchPruning = false;  // plain minimax: the Results it must keep, slowly
        else
            dir = argv[i];
    }
    const TableLoadResult loaded = LoadPatternTables(dir);
    if (!loaded.ok) {
        std::fprintf(stderr, "%s\n", loaded.message.c_str());
        return 1;
    }
    if (middleGame)
        MiddleGamePositions();
    else
        SignaturePositions();
    return 0;
}
