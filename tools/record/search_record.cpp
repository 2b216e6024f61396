#include "tools/record/search_record.h"

#include <cstdio>
#include <sstream>

#include "engine/classes.h"
#include "engine/values.h"
#include "platform/random.h"
#include "player/display.h"
#include "player/game_state.h"
#include "player/levels.h"

std::string FormatRecord(const SearchRecord& r) {
    std::ostringstream out;
    out << r.rule << ' ' << r.width << ' ' << r.extensionLimit << ' ' << r.depth << ' ' << r.margin << ' '
        << r.seed << ' ';
    for (const MoveEntry& m : r.moves)
        out << static_cast<char>('a' + m.x) << static_cast<char>('a' + m.y);
    out << " | " << r.x << ' ' << r.y << ' ' << r.score << ' ' << r.results.count;
    for (int i = 0; i < r.results.count; ++i)
        out << ' ' << r.results.moves[i].x << ' ' << r.results.moves[i].y << ' ' << r.results.scores[i];
    return out.str();
}

bool ParseRecord(const std::string& line, SearchRecord* r) {
    std::istringstream in(line);
    std::string moves, bar;
    *r = SearchRecord{};
    if (!(in >> r->rule >> r->width >> r->extensionLimit >> r->depth >> r->margin >> r->seed >> moves >> bar))
        return false;
    if (bar != "|" || moves.size() % 2 != 0 || r->rule < 0 || r->rule > 2) return false;
    for (size_t i = 0; i < moves.size(); i += 2) {
        const MoveEntry m{moves[i] - 'a', moves[i + 1] - 'a'};
        if (!OnBoard(m.x, m.y) || r->moves.size() >= POINT_COUNT) return false;
        r->moves.push_back(m);
    }
    if (!(in >> r->x >> r->y >> r->score >> r->results.count)) return false;
    if (r->results.count < 0 || r->results.count > ROOT_MOVES) return false;
    for (int i = 0; i < r->results.count; ++i) {
        if (!(in >> r->results.moves[i].x >> r->results.moves[i].y >> r->results.scores[i])) return false;
    }
    std::string rest;
    return !(in >> rest);
}

namespace {

void SetUpPosition(int rule, const std::vector<MoveEntry>& moves) {
    g_rule = rule;
    ResetBoards();
    for (const MoveEntry& m : moves) {
        RecordPush(m.x, m.y);
        EnginePush(m.x, m.y);
    }
    g_humanBlack = g_moveCount % 2;  // the computer is the side to move
}

}  // namespace

int64_t SearchRecordPosition(SearchRecord* r) {
    SetUpPosition(r->rule, r->moves);
    g_display = nullptr;
    g_stopSearch = 0;
    g_extensionCount = 0;
    g_searchWidth = r->width;
    g_extensionLimit = r->extensionLimit;
    g_variety = 1;
    g_varietyMargin[1] = r->margin;
    SeedRandom(r->seed);
    g_searchNodes = 0;
    r->results = RootResults{};
    r->score = SearchRoot(&r->x, &r->y, r->depth, &r->results);
    return g_searchNodes;
}

bool SameAnswer(const SearchRecord& a, const SearchRecord& b) {
    if (a.x != b.x || a.y != b.y || a.score != b.score || a.results.count != b.results.count) return false;
    for (int i = 0; i < ROOT_MOVES; ++i) {
        if (a.results.moves[i].x != b.results.moves[i].x || a.results.moves[i].y != b.results.moves[i].y ||
            a.results.scores[i] != b.results.scores[i])
            return false;
    }
    return a.results.timedOut == b.results.timedOut;
}

namespace {

constexpr int GAMES_PER_RULE = 7;
constexpr int LONGEST_GAME = 60;
constexpr int MARGINS[] = {32, 0, 64};
// Each position is searched at depths 4, 6, 8, ... as the deepening does, and one step deeper
// only while the last step was short, which keeps the whole record quick to write.
constexpr int DEEPEST = 12;
constexpr int64_t DEEPER_BELOW_NODES = 150000;

// The move the side to move plays in the self-play games: the first three at random near the
// centre, as games open, then a search at the level Basic with the widest variety.
bool PlayOneMove(int32_t* x, int32_t* y) {
    if (g_moveCount < 3) {
        const int reach = g_moveCount == 0 ? 0 : g_moveCount;  // 1 for the second move, 2 for the third
        do {
            *x = 9 + NextRandom() % (2 * reach + 1) - reach;
            *y = 9 + NextRandom() % (2 * reach + 1) - reach;
        } while (g_board[CellIndex(*x, *y)] != CELL_EMPTY);
        return true;
    }
    g_humanBlack = g_moveCount % 2;
    g_level = 1;
    g_variety = 2;
    ConfigureSearch(g_moveCount);
    RootResults results;
    SearchRoot(x, y, g_searchDepth, &results);
    return OnBoard(*x, *y);
}

}  // namespace

std::vector<SearchRecord> GenerateRecords() {
    // Written with plain minimax, so that no pruning can ever have shaped the record.
    g_searchPruning = false;
    std::vector<SearchRecord> records;
    int sample = 0;
    for (int rule = 0; rule < 3; ++rule) {
        for (int game = 0; game < GAMES_PER_RULE; ++game) {
            const uint32_t gameSeed = 1000 * (rule + 1) + game;
            g_rule = rule;
            ResetBoards();
            g_display = nullptr;
            g_stopSearch = 0;
            for (int k = 0; k < 3; ++k)
                g_varietyMargin[k] = VARIETY_BASE[k];
            SeedRandom(gameSeed);
            std::vector<MoveEntry> moves;
            // Every few moves from the fourth on, record the position at one depth.
            int next = 3 + game % 3;
            while (static_cast<int>(moves.size()) < LONGEST_GAME) {
                if (static_cast<int>(moves.size()) == next) {
                    next += 4 + sample % 3;
                    const uint32_t randomState = static_cast<uint32_t>(NextRandom()) << 15 | NextRandom();
                    SearchRecord r;
                    r.rule = rule;
                    r.moves = moves;
                    // The settings of a level's plan at this move.
                    g_humanBlack = g_moveCount % 2;
                    g_level = 1 + sample % 7;
                    ConfigureSearch(g_moveCount);
                    r.width = g_searchWidth;
                    r.extensionLimit = g_extensionLimit;
                    r.margin = MARGINS[sample % 3];
                    for (int depth = 4; depth <= DEEPEST; depth += 2) {
                        r.depth = depth;
                        r.seed = 1 + static_cast<uint32_t>(records.size());
                        const int64_t nodes = SearchRecordPosition(&r);
                        records.push_back(r);
                        if (depth == 4 && sample % 4 == 0) {  // odd depths now and then
                            SearchRecord odd = r;
                            odd.depth = 5 + sample / 4 % 2 * 2;
                            odd.seed = 1 + static_cast<uint32_t>(records.size());
                            SearchRecordPosition(&odd);
                            records.push_back(odd);
                        }
                        if (nodes >= DEEPER_BELOW_NODES) break;
                    }
                    ++sample;
                    std::fprintf(stderr, "\r%zu records", records.size());
                    // Back to the game, its random sequence where it was.
                    SetUpPosition(rule, moves);
                    SeedRandom(randomState);
                }
                int32_t x = -1, y = -1;
                if (!PlayOneMove(&x, &y)) break;
                const int p = PointIndex(x, y);
                const bool blackMoves = g_moveCount % 2 == 0;
                const bool five = blackMoves ? (g_restricted == 1 ? ClassifyBlack(x, y) == 3
                                                                  : g_blackValue[p] >= FIVE_VALUE)
                                             : g_whiteValue[p] >= FIVE_VALUE;
                if (five) break;  // the game is over
                RecordPush(x, y);
                EnginePush(x, y);
                moves.push_back({x, y});
            }
        }
    }
    g_searchPruning = true;
    return records;
}
