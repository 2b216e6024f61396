// The search signature: fixed positions searched at fixed depths with a fixed random seed
// and no time limit. "Nodes searched" is the work done; "Results" hashes every root result
// (the behaviour): a pure speed-up keeps Results and may lower Nodes searched.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "engine/board.h"
#include "engine/patterns.h"
#include "platform/random.h"
#include "player/game_state.h"
#include "player/levels.h"
#include "player/search.h"

namespace {

struct BenchPosition {
    const char* name;
    int rule;           // 0 basic, 1 Japanese, 2 international
    int level;          // the level plan gives the width, the depth and the extension limit
    const char* moves;  // "x,y x,y ..."; the side to move is the computer
};

// Positions from games of the engine against itself at the level Normal, from the opening to
// the late middle game; each is searched to the full depth of its level's plan.
// clang-format off
const BenchPosition POSITIONS[] = {
    {"opening, Black", 0, 4, "9,9 10,8 8,11 11,9"},
    {"opening, Black, Japanese", 1, 3, "9,9 10,8 8,11 9,8 11,8 9,10"},
    {"early, White", 0, 6, "9,9 10,8 8,11 11,9 9,7 9,10 8,10 8,9 10,11 11,11 11,8"},
    {"early, White, international", 2, 5, "9,9 8,8 8,10 10,8 11,8 11,9 9,7 9,10 10,7"},
    {"early, Black, international", 2, 2, "9,9 8,10 9,10 8,9 9,11 9,8 9,12 9,13 7,10 8,11 8,8 11,11 8,14 7,13"},
    {"early middle, Black", 0, 7, "9,9 10,8 8,11 11,9 9,7 9,10 8,10 8,9 10,11 11,11 11,8 8,8 9,12 11,10 11,13 10,13"},
    {"middle, White, Japanese", 1, 2, "9,9 10,8 10,7 8,9 8,8 7,7 8,6 7,8 7,9 9,10 10,11 9,6 8,7 9,7 5,6 8,4 9,4 10,9 8,11 7,4 11,11 9,11 7,6 4,6 8,5"},
    {"middle, Black, Japanese", 1, 6, "9,9 10,8 8,11 9,8 11,8 9,10 8,9 8,8 11,9 10,9 11,10 11,7 11,11 11,12 10,10 9,11 7,8 7,9 10,6 10,12 12,12 13,13 8,10 8,13 13,10 14,10 12,9 14,11 13,8 14,7"},
    {"middle, White, international", 2, 3, "9,9 8,8 8,10 10,8 11,8 11,9 9,7 9,10 10,7 8,7 8,5 9,6 7,8 7,6 6,5 7,5 7,9 10,9 6,6 9,11 6,8 6,7 7,11"},
    {"middle, White", 0, 3, "9,9 10,8 10,7 8,8 11,8 12,9 8,9 9,8 7,9 6,9 11,9 10,9 11,10 11,7 11,11 11,12 7,8 9,10 7,10 7,11 10,12 9,11 6,11 7,6 12,10 9,13 9,14 13,9 14,10 13,10 14,9 10,14 8,12 7,12 14,11 14,12 13,11"},
    {"late, Black, Japanese", 1, 2, "9,9 10,8 10,7 8,9 8,8 7,7 8,6 7,8 7,9 9,10 10,11 9,6 8,7 9,7 5,6 8,4 9,4 10,9 8,11 7,4 11,11 9,11 7,6 4,6 8,5 6,7 10,3 11,2 11,10 9,12 5,4 6,5 12,12 10,10 11,9 11,12 12,11 11,8 12,10 13,6 12,7 12,9 9,13 10,12"},
    {"late, White", 0, 2, "9,9 10,8 10,7 8,8 11,8 12,9 8,9 9,8 7,9 6,9 11,9 10,9 11,10 11,7 11,11 11,12 7,8 9,10 7,10 7,11 10,12 9,11 6,11 7,6 12,10 9,13 9,14 13,9 14,10 13,10 14,9 10,14 8,12 7,12 14,11 14,12 13,11 12,11 6,13 6,5 8,7 6,7 4,13 5,12 5,13 7,13 6,14 6,12 4,12 7,15 7,14 6,8 6,6 5,11 8,14 5,14 12,12 11,13 8,13 8,15 6,15"},
};
// clang-format on

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

void SetUp(const BenchPosition& pos) {
    g_rule = pos.rule;
    ResetBoards();
    std::istringstream in(pos.moves);
    std::string move;
    while (in >> move) {
        const int x = std::atoi(move.c_str()), y = std::atoi(move.c_str() + move.find(',') + 1);
        RecordPush(x, y);
        EnginePush(x, y);
    }
    g_humanBlack = g_moveCount % 2;  // the computer is the side to move
    g_level = pos.level;
    g_variety = 1;
    g_varietyMargin[0] = VARIETY_BASE[0];
    g_varietyMargin[1] = VARIETY_BASE[1];
    g_varietyMargin[2] = VARIETY_BASE[2];
    ConfigureSearch(g_moveCount);
    SeedRandom(BENCH_SEED);
}

}  // namespace

int main(int argc, char** argv) {
    const char* dir = argc > 1 ? argv[1] : RENJU_TABLE_DIR;
    const TableLoadResult loaded = LoadPatternTables(dir);
    if (!loaded.ok) {
        std::fprintf(stderr, "%s\n", loaded.message.c_str());
        return 1;
    }
    int64_t totalNodes = 0;
    ResultHash hash;
    double totalSeconds = 0;
    std::printf("%-30s %4s %5s %5s %7s %10s %12s %9s\n", "position", "rule", "level", "depth", "move",
                "score", "nodes", "seconds");
    for (const BenchPosition& pos : POSITIONS) {
        SetUp(pos);
        const int depth = g_searchDepth;
        g_searchNodes = 0;
        int32_t x = -1, y = -1;
        RootResults results;
        const auto start = std::chrono::steady_clock::now();
        const int32_t score = SearchRoot(&x, &y, depth, &results);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        totalNodes += g_searchNodes;
        hash.Add(results, x, y, score);
        totalSeconds += seconds;
        char move[16];
        std::snprintf(move, sizeof move, "%d,%d", x, y);
        std::printf("%-30s %4d %5d %5d %7s %10d %12lld %9.3f\n", pos.name, pos.rule, pos.level, depth, move,
                    score, static_cast<long long>(g_searchNodes), seconds);
    }
    std::printf("Nodes searched: %lld\n", static_cast<long long>(totalNodes));
    std::printf("Results: %016llx\n", static_cast<unsigned long long>(hash.h));
    std::printf("Nodes/second: %lld\n",
                static_cast<long long>(totalSeconds > 0 ? totalNodes / totalSeconds : 0));
    return 0;
}
