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

// Middle-game positions (moves 18 to 39, every rule, both colours) from games of the engine
// against itself, none of them decided or answered by a forced block, searched at the plan of
// the level "Quite slow 3": how long its deepest step takes where the game is decided.
struct MiddleGamePosition {
    int rule;
    const char* moves;
};
// clang-format off
const MiddleGamePosition MIDDLE_GAME[] = {
    {0, "9,9 10,9 11,9 11,8 9,10 10,10 9,11 9,8 10,8 9,13 11,7 8,10 8,7 10,7 9,6 8,6 8,9 10,11"},
    {0, "9,9 9,10 10,8 8,10 10,10 10,11 8,9 7,9 7,7 8,8 9,7 10,7 11,9 12,10 12,8 9,11 6,8 8,6 11,8 13,8"},
    {0, "9,9 10,8 10,7 9,7 9,8 8,6 11,9 8,9 6,4 8,8 8,7 10,6 7,9 9,6 7,6 6,5 11,6 12,4 11,5 11,7 10,9 11,10 9,5 10,5"},
    {0, "9,9 10,9 10,8 9,8 8,7 8,10 9,10 10,7 7,10 7,8 12,5 9,7 12,7 12,6 13,6 11,4 8,8 8,5 14,5 11,8 7,4 12,9 9,6 11,5 11,6 13,10 14,11"},
    {0, "9,9 9,10 10,8 8,10 10,10 10,11 8,9 7,9 7,7 8,8 9,7 10,7 11,9 12,10 12,8 9,11 6,8 8,6 11,8 13,8 12,9 10,9 10,12 11,11 8,11 11,6 12,11 13,7 13,9 13,4"},
    {0, "9,9 10,10 8,11 10,9 8,10 10,8 10,11 9,11 8,12 8,13 10,7 9,12 8,9 8,8 9,8 7,10 9,7 9,6 7,8 6,7 11,12 9,10 12,7 13,7 12,8 12,5 9,14 12,11 13,8 8,7 14,9 11,6 14,8"},
    {0, "9,9 10,9 10,8 9,8 8,7 8,10 9,10 10,7 7,10 7,8 12,5 9,7 12,7 12,6 13,6 11,4 8,8 8,5 14,5 11,8 7,4 12,9 9,6 11,5 11,6 13,10 14,11 14,9 15,4 16,3 9,4 10,5 7,7 13,9 11,9 6,6 13,7"},
    {0, "9,9 10,8 11,10 10,10 10,9 11,9 12,10 12,8 13,7 9,8 11,8 12,7 8,12 12,5 12,6 11,5 10,7 9,5 13,5 8,5 10,5 13,8 13,10 12,9 13,9 14,8 14,9 12,11 13,6 13,4 10,6 11,6 11,4 10,4 14,10 15,10 14,4 14,3 15,2"},
    {1, "9,9 9,10 9,11 8,11 10,9 8,9 8,10 10,8 10,10 10,11 7,8 8,8 7,9 10,12 5,7 6,8 11,9 12,8"},
    {1, "9,9 8,8 10,9 8,9 10,8 10,10 8,10 11,7 9,7 11,9 11,10 9,8 7,10 7,11 9,11 10,12 10,11 8,11 9,12 8,13 13,8 12,9"},
    {1, "9,9 9,10 9,11 8,11 10,9 8,9 8,10 10,8 10,10 10,11 7,8 8,8 7,9 10,12 5,7 6,8 11,9 12,8 8,12 7,13 9,8 11,10 7,7"},
    {1, "9,9 8,8 11,11 10,8 10,9 8,9 8,7 9,7 7,8 11,10 9,6 6,9 12,10 13,9 10,6 11,6 7,6 9,8 8,6 6,6 7,10 7,9 6,10 10,5 11,8 10,7 12,5 12,7"},
    {1, "9,9 9,10 10,7 8,9 8,10 10,8 10,11 11,8 9,8 10,9 12,7 11,6 11,9 9,11 7,12 11,7 11,4 12,6 14,4 10,6 9,6 9,5 12,8 14,6 13,6 12,4 10,5 12,3 12,5"},
    {1, "9,9 8,10 11,7 9,11 7,9 11,9 8,12 6,9 6,10 7,11 6,11 8,8 5,10 7,12 8,7 8,11 7,10 6,13 9,10 9,8 7,8 10,11 11,11 3,10 5,14 4,13 3,13 5,11 7,6 7,7 4,14 7,14 7,13 9,12 11,10"},
    {1, "9,9 8,10 11,10 8,9 8,7 9,8 7,10 7,8 8,8 10,11 9,10 9,11 7,9 8,11 11,11 10,10 11,9 8,12 8,13 7,13 6,14 6,11 7,11 11,8 9,7 10,6 10,8 12,10 8,6 7,5 6,10 5,11 11,12 11,13 10,13 12,11 12,12"},
    {1, "9,9 8,10 11,7 9,11 7,9 11,9 8,12 6,9 6,10 7,11 6,11 8,8 5,10 7,12 8,7 8,11 7,10 6,13 9,10 9,8 7,8 10,11 11,11 3,10 5,14 4,13 3,13 5,11 7,6 7,7 4,14 7,14 7,13 9,12 11,10 6,15 8,13 8,15 9,16"},
    {2, "9,9 8,9 8,11 9,11 8,10 9,10 10,11 10,8 8,8 7,7 7,10 9,12 9,7 10,10 6,10 9,13 9,14 10,6"},
    {2, "9,9 9,10 10,7 8,9 10,11 8,8 8,11 9,11 8,10 9,12 11,7 10,8 11,8 12,9 9,7 12,7 11,6 11,9 8,7 7,7"},
    {2, "9,9 8,10 9,7 9,8 8,8 7,7 11,5 7,9 6,8 7,10 7,8 6,10 5,10 8,7 9,10 6,7 5,8 4,8 5,9 5,7 4,7 6,11 12,4 10,6"},
    {2, "9,9 8,9 8,11 9,11 8,10 9,10 10,11 10,8 8,8 7,7 7,10 9,12 9,7 10,10 6,10 9,13 9,14 10,6 4,10 5,10 7,13 10,7 10,9 5,11 5,13 6,12 7,12"},
    {2, "9,9 9,10 10,7 8,9 10,11 8,8 8,11 9,11 8,10 9,12 11,7 10,8 11,8 12,9 9,7 12,7 11,6 11,9 8,7 7,7 9,6 7,8 7,4 8,5 12,6 10,6 7,6 5,6 6,7 9,5 6,5"},
    {2, "9,9 9,10 10,8 7,11 11,7 8,10 13,5 12,6 6,10 8,8 8,11 7,10 7,8 11,10 10,10 10,11 12,9 11,9 11,12 7,13 7,12 8,7 9,8 6,12 5,11 5,13 4,14 4,12 6,13 5,14 5,12 4,11 10,6"},
    {2, "9,9 9,10 10,8 7,11 11,7 8,10 13,5 12,6 6,10 8,8 8,11 7,10 7,8 11,10 10,10 10,11 12,9 11,9 11,12 7,13 7,12 8,7 9,8 6,12 5,11 5,13 4,14 4,12 6,13 5,14 5,12 4,11 10,6 10,7 9,5 8,6 8,9"},
    {2, "9,9 8,10 9,7 9,8 8,8 7,7 11,5 7,9 6,8 7,10 7,8 6,10 5,10 8,7 9,10 6,7 5,8 4,8 5,9 5,7 4,7 6,11 12,4 10,6 5,11 5,12 8,9 10,9 7,6 10,11 10,10 6,12 6,13 7,12 11,11 12,12 8,12 7,13 7,11"},
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

void SetUp(int rule, int level, const char* moves) {
    g_rule = rule;
    ResetBoards();
    std::istringstream in(moves);
    std::string move;
    while (in >> move) {
        const int x = std::atoi(move.c_str()), y = std::atoi(move.c_str() + move.find(',') + 1);
        RecordPush(x, y);
        EnginePush(x, y);
    }
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
