// Speed of the tournament player: nodes per second of its game-tree search and of its threat
// solver, on positions of a self-play game. Times depend on the machine and its load.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/board.h"
#include "engine/patterns.h"
#include "player/strong/position.h"
#include "player/strong/search.h"
#include "player/strong/threats.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
    int32_t millis = 1000;
    int moves = 30;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--ms") == 0) millis = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--moves") == 0) moves = std::atoi(argv[i + 1]);
    }
    if (!LoadPatternTables(RENJU_TABLE_DIR).ok) {
        std::fprintf(stderr, "pattern tables not found in %s\n", RENJU_TABLE_DIR);
        return 1;
    }
    g_rule = 1;
    ResetBoards();
    strong::SetTableBytes(strong::DEFAULT_TABLE_MEGABYTES << 20);

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
