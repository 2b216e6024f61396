// The search signature: fixed positions searched at fixed depths with a fixed random seed
// and no time limit. "Nodes searched" must not change unless the search's behaviour does.
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
    int rule;   // 0 basic, 1 Japanese, 2 international
    int level;  // gives the width and the extension limit
    int depth;
    const char* moves;  // "x,y x,y ..."; the side to move is the computer
};

// Positions from games of the engine against itself, from the opening to the late middle game.
// clang-format off
const BenchPosition POSITIONS[] = {
    {"opening, Black", 0, 3, 8, "9,9 10,8 9,8 9,7"},
    {"early, White", 0, 4, 8, "9,9 10,8 9,8 9,7 10,7 10,9 11,6 12,5 8,6 9,6 8,8"},
    {"early, Black, restricted", 1, 4, 8, "9,9 10,8 7,8 7,9 9,7 9,6 10,6 11,5 7,7 6,7 6,8 9,5"},
    {"early, White, international", 2, 7, 12, "9,9 10,8 9,8 9,7 10,7 12,5"},
    {"middle, Black", 0, 6, 10, "9,9 10,8 7,8 7,9 9,7 9,6 10,6 9,8 12,8 8,9 12,4 11,5 10,7 8,7 9,5 11,7 11,4 10,4 13,7 8,10"},
    {"middle, White", 0, 3, 8, "9,9 10,8 7,8 7,9 6,8 4,8 8,8 5,8 6,6 7,7 8,6 6,7 8,7 8,5 7,6 9,6 8,10 8,9 10,9 9,8 10,7 4,7 5,7 4,9 4,6"},
    {"middle, White, restricted", 1, 7, 12, "9,9 10,8 9,8 9,7 10,7 12,5 7,10 6,11 11,9 8,9 10,10 9,10 11,8 11,11 12,9"},
    {"middle, Black, restricted", 1, 6, 10, "9,9 10,8 7,8 7,9 6,8 4,8 8,8 9,8 8,7 6,6 6,9 5,10 6,11 6,10 8,6 8,5 8,10 8,9 10,5 9,6 5,9 4,10 7,10 4,7 4,9 3,9 2,10 6,12 5,11 7,5 5,7 9,5"},
    {"middle, White, international", 2, 5, 10, "9,9 10,8 7,8 7,9 9,7 9,6 10,6 11,5 7,7 6,7 6,8 9,5 6,6 8,8 10,5 10,4 9,3 7,5 11,3 10,3 11,8 5,9 5,8 4,8 4,9 7,4 8,5 11,4 8,4 9,2 8,1 8,3 10,1 13,6 12,5 13,4 12,4 5,6 6,5 12,6 13,5"},
    {"late, Black, international", 2, 4, 8, "9,9 10,8 7,8 7,9 9,7 9,6 10,6 11,5 7,7 6,7 6,8 9,5 6,6 8,8 10,5 10,4 9,3 7,5 11,3 10,3 11,8 5,9 5,8 4,8 4,9 7,4 8,5 11,4 8,4 9,2 8,1 8,3 10,1 13,6 12,5 13,4 12,4 5,6 6,5 12,6 13,5 14,8 13,7 10,2 14,6 15,7 15,5 16,4 11,9 12,8 12,7 11,7 16,5 14,5 13,8 11,6 15,6 12,9 17,4 14,7"},
    {"late, White", 0, 6, 10, "9,9 10,8 9,8 9,7 10,7 10,9 11,6 12,5 8,6 9,6 8,8 8,9 7,7 6,6 9,5 6,8 7,5 6,5 10,10 11,11 6,7 10,5 11,3 10,4 11,4 11,5 7,4 7,6 12,6 9,11 14,6 13,6 14,5 12,4 13,3 14,4 10,3 12,3 5,7 4,7 5,4 8,4 8,11 12,10 13,9 13,11 11,9 12,11 10,11 12,12 12,8 13,7 11,7 10,6 12,9 15,11 14,11 11,10 13,10"},
    {"late, Black, restricted", 1, 7, 12, "9,9 10,8 7,8 7,9 6,8 4,8 8,8 9,8 8,7 6,6 6,9 5,10 6,11 6,10 8,6 8,5 8,10 8,9 10,5 9,6 5,9 4,10 7,10 4,7 4,9 3,9 2,10 6,12 5,11 7,5 5,7 9,5 3,11 4,11 10,10 9,4 9,7 5,5 6,5 7,7 8,11 4,4 3,3 4,6 4,5 9,12 9,11 7,11 11,10 9,10"},
};
// clang-format on

constexpr uint32_t BENCH_SEED = 12345;

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
    double totalSeconds = 0;
    std::printf("%-32s %4s %5s %7s %10s %12s %9s\n", "position", "rule", "depth", "move", "score", "nodes",
                "seconds");
    for (const BenchPosition& pos : POSITIONS) {
        SetUp(pos);
        g_searchNodes = 0;
        int32_t x = -1, y = -1;
        RootResults results;
        const auto start = std::chrono::steady_clock::now();
        const int32_t score = SearchRoot(&x, &y, pos.depth, &results);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        totalNodes += g_searchNodes;
        totalSeconds += seconds;
        char move[16];
        std::snprintf(move, sizeof move, "%d,%d", x, y);
        std::printf("%-32s %4d %5d %7s %10d %12lld %9.3f\n", pos.name, pos.rule, pos.depth, move, score,
                    static_cast<long long>(g_searchNodes), seconds);
    }
    std::printf("Nodes searched: %lld\n", static_cast<long long>(totalNodes));
    std::printf("Nodes/second: %lld\n",
                static_cast<long long>(totalSeconds > 0 ? totalNodes / totalSeconds : 0));
    return 0;
}
