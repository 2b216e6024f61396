#include "player/strong/search.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/tick.h"
#include "player/search.h"
#include "player/strong/position.h"
#include "player/strong/threats.h"

namespace strong {

int64_t g_strongNodes = 0;

namespace {

constexpr int MAX_PLY = 128;
constexpr int32_t INFINITE_SCORE = WIN_SCORE + 1;
constexpr uint64_t WHITE_TO_MOVE_KEY = 0xC3A5C85C97CB3127ull;
constexpr int NEAR = 2;  // moves farther than this from every stone are left out
// Weight of the sums of all point values in the evaluation (found by matches against level 7).
constexpr int32_t TOTAL_WEIGHT = 4;
// Attacks of the long look for a win by threes with the time the search leaves over.
constexpr int LONG_ATTACKS = 16;
// The search stops at this share of the move's budget (in percent), and a step of the
// deepening starts only while less than this share of the search's own time is spent (the
// moves that an unfinished step has searched still count).
constexpr int64_t SEARCH_END_PERCENT = 80;
constexpr int64_t NEXT_STEP_PERCENT = 50;

enum Bound : uint8_t { BOUND_NONE, BOUND_EXACT, BOUND_LOWER, BOUND_UPPER };

struct TableEntry {
    uint64_t key;
    int32_t score;
    int16_t move;
    int8_t depth;
    uint8_t bound;
};

// Zeroed pages from calloc: a large table costs nothing until its entries are first written,
// so that making it does not eat into the first move's time.
struct FreeTable {
    void operator()(TableEntry* t) const { std::free(t); }
};
std::unique_ptr<TableEntry[], FreeTable> s_table;
size_t s_tableMask = 0;

uint64_t Key() {
    return g_hash ^ (SideToMove() == CELL_WHITE ? WHITE_TO_MOVE_KEY : 0);
}

// Proven scores count plies from the node that stores them, so that they stay true wherever
// the position is met again.
int32_t ToTable(int32_t s, int ply) {
    if (s >= PROVEN_SCORE) return s + ply;
    if (s <= -PROVEN_SCORE) return s - ply;
    return s;
}
int32_t FromTable(int32_t s, int ply) {
    if (s >= PROVEN_SCORE) return s - ply;
    if (s <= -PROVEN_SCORE) return s + ply;
    return s;
}

inline int32_t ValueOf(uint8_t colour, int p) {
    return colour == CELL_BLACK ? g_blackValue[p] : g_whiteValue[p];
}

// The worth of one point's sum for its colour: stronger shapes count for much more.
inline int32_t PointWorth(int32_t v) {
    return v <= 0 ? 0 : v + v * v / 16;
}

struct Move {
    int32_t order;
    int point;
};
// Higher order first; between equals, the lower point.
inline bool ByOrder(const Move& a, const Move& b) {
    return a.order != b.order ? a.order > b.order : a.point < b.point;
}

// Longer than any game; keeps every product of the budget within 64 bits.
constexpr int64_t MAX_MILLIS = int64_t{1} << 40;

class Searcher {
public:
    explicit Searcher(const ThinkLimits& limits)
        : start_(TickCount()),
          wall_(std::min(limits.millis, MAX_MILLIS)),
          maxNodes_(std::max<int64_t>(0, limits.nodes)),
          millis_(wall_ > 0 ? wall_ : maxNodes_ > 0 ? 1000 : 1) {}

    ThinkResult Run(int maxDepth);

private:
    ThinkResult Decide(int maxDepth);
    bool TimeUp() {
        if (stopped_) return true;
        if (timed_ && maxNodes_ > 0 && Work() >= maxNodes_ * SEARCH_END_PERCENT / 100) stopped_ = true;
        if ((nodes_ & 255) == 0) {
            // Under a node limit the wall clock, if any, only guards against running over.
            const int64_t wallEnd = maxNodes_ > 0 ? wall_ : wall_ * SEARCH_END_PERCENT / 100;
            if (g_stopSearch.load(std::memory_order_relaxed) || (timed_ && wall_ > 0 && WallElapsed() >= wallEnd))
                stopped_ = true;
        }
        return stopped_;
    }
    int64_t WallElapsed() const { return static_cast<uint32_t>(TickCount() - start_); }
    int64_t Work() const { return nodes_ + solverNodes_; }
    // The budget spent so far, in its milliseconds: of the wall clock, or under a node limit
    // the same share of the nodes.
    int64_t Elapsed() const {
        if (maxNodes_ > 0) return static_cast<int64_t>(static_cast<__int128>(Work()) * millis_ / maxNodes_);
        return WallElapsed();
    }
    // A threat look of at most `nodes` nodes and `share` milliseconds of the budget.
    ThreatLimits Look(int64_t nodes, int64_t share) const {
        ThreatLimits l;
        share = std::max<int64_t>(1, share);
        l.maxNodes = nodes;
        if (maxNodes_ > 0) {
            const auto shareNodes = static_cast<int64_t>(static_cast<__int128>(share) * maxNodes_ / millis_);
            l.maxNodes = std::clamp<int64_t>(shareNodes, 1, nodes);
            // The wall clock, if any, still has the last word.
            if (wall_ > 0) l.maxMillis = static_cast<int32_t>(std::clamp<int64_t>(wall_ - WallElapsed(), 1, INT32_MAX));
        } else {
            l.maxMillis = static_cast<int32_t>(std::min<int64_t>(share, INT32_MAX));
        }
        return l;
    }
    ThreatResult Solve(uint8_t attacker, ThreatKind kind, const ThreatLimits& limits) {
        ThreatResult r = SolveThreats(attacker, kind, limits);
        solverNodes_ += r.nodes;
        return r;
    }

    void Make(int p) {
        Play(p);
        const int x0 = p % BOARD_SIZE, y0 = p / BOARD_SIZE;
        for (int y = std::max(0, y0 - NEAR); y <= std::min(BOARD_SIZE - 1, y0 + NEAR); ++y)
            for (int x = std::max(0, x0 - NEAR); x <= std::min(BOARD_SIZE - 1, x0 + NEAR); ++x)
                ++near_[PointIndex(x, y)];
    }
    void Unmake(int p) {
        Undo();
        const int x0 = p % BOARD_SIZE, y0 = p / BOARD_SIZE;
        for (int y = std::max(0, y0 - NEAR); y <= std::min(BOARD_SIZE - 1, y0 + NEAR); ++y)
            for (int x = std::max(0, x0 - NEAR); x <= std::min(BOARD_SIZE - 1, x0 + NEAR); ++x)
                --near_[PointIndex(x, y)];
    }
    void InitNear() {
        std::fill(near_, near_ + POINT_COUNT, 0);
        for (int p = 0; p < POINT_COUNT; ++p) {
            const uint8_t c = g_board[CellIndex(p % BOARD_SIZE, p / BOARD_SIZE)];
            if (c != CELL_BLACK && c != CELL_WHITE) continue;
            const int x0 = p % BOARD_SIZE, y0 = p / BOARD_SIZE;
            for (int y = std::max(0, y0 - NEAR); y <= std::min(BOARD_SIZE - 1, y0 + NEAR); ++y)
                for (int x = std::max(0, x0 - NEAR); x <= std::min(BOARD_SIZE - 1, x0 + NEAR); ++x)
                    ++near_[PointIndex(x, y)];
        }
    }

    int32_t Evaluate();
    // Fills `moves` for the side to move; returns a proven score instead when the position is
    // decided at once (a five to make, two fives to stop, an open four to make).
    bool Generate(int ply, int depth, Move* moves, int* n, int32_t* decided, bool* forced);
    int32_t Node(int depth, int32_t alpha, int32_t beta, int ply);
    // The score of move p for the side to move: the first move with the full window, every
    // later one with a null window first, searched again only when it lands inside.
    int32_t Child(int p, bool first, int depth, int32_t alpha, int32_t beta, int ply) {
        Make(p);
        int32_t s;
        if (first) {
            s = -Node(depth, -beta, -alpha, ply);
        } else {
            s = -Node(depth, -alpha - 1, -alpha, ply);
            if (s > alpha && s < beta) s = -Node(depth, -beta, -alpha, ply);
        }
        Unmake(p);
        return s;
    }
    // Sorts the first `top` moves (all by default) by their order after adding the stored best
    // move, killers and history.
    void Order(Move* moves, int n, int ttMove, int ply, int top = POINT_COUNT);
    // Against a threatened win of the opponent's, the root moves after which it has none left.
    int KeepDefences(Move* rootMoves, int n);

    uint32_t start_;
    int64_t wall_;      // wall-clock limit, 0 for none
    int64_t maxNodes_;  // node limit, 0 for none
    int64_t millis_;    // the budget that the shares below are taken of
    bool timed_ = false;
    bool stopped_ = false;
    int64_t nodes_ = 0;
    int64_t solverNodes_ = 0;  // of the threat looks at the root
    int near_[POINT_COUNT];
    int killers_[MAX_PLY][2] = {};
    int32_t history_[2][POINT_COUNT] = {};
};

// The points where one side makes a four (and among them a four-three or double four) or,
// without a four, a three.
struct ThreatPoints {
    int fours = 0, fourThrees = 0, threes = 0;
    void Count(uint8_t colour, int p) {
        const PointShape s = ShapeAt(colour, p);
        if (s.fours + s.openFours > 0) {
            ++fours;
            if (s.threes > 0 || s.fours + s.openFours > 1) ++fourThrees;
        } else if (s.threes > 0) {
            ++threes;
        }
    }
};

int32_t Searcher::Evaluate() {
    const uint8_t me = SideToMove(), them = Opponent(me);
    int32_t score = 0;
    ThreatPoints myThreats, theirThreats;
    for (int w = 0; w < SUMMARY_WORDS; ++w) {
        uint64_t bits = g_valueSummary.blackNotable[w] | g_valueSummary.whiteNotable[w];
        while (bits) {
            const int p = w * 64 + __builtin_ctzll(bits);
            bits &= bits - 1;
            if (p >= POINT_COUNT) break;
            int32_t mine = ValueOf(me, p), theirs = ValueOf(them, p);
            const bool blackForbidden = g_restricted == 1 && g_blackValue[p] >= 10 &&
                                        IsForbiddenBlack(p % BOARD_SIZE, p / BOARD_SIZE) == 1;
            if (blackForbidden) (me == CELL_BLACK ? mine : theirs) = 0;
            score += PointWorth(mine) - PointWorth(theirs);
            if (mine >= 10 && !(blackForbidden && me == CELL_BLACK)) myThreats.Count(me, p);
            if (theirs >= 10 && !(blackForbidden && them == CELL_BLACK)) theirThreats.Count(them, p);
        }
    }
    // To move with a four-three is a win, unless a four of the opponent's breaks it or the
    // three's open four is forbidden to Black: a quick look for the win by fours tells. The
    // opponent's needs an answer now, and two of them rarely have one.
    if (myThreats.fourThrees > 0) {
        ThreatLimits quick;
        quick.maxNodes = 300;
        const ThreatResult r = SolveThreats(me, ThreatKind::FOURS, quick);
        if (r.win || !r.complete) score += 4000;
    }
    if (theirThreats.fourThrees > 1)
        score -= 2500;
    else if (theirThreats.fourThrees == 1)
        score -= 600;
    // A three to make is a threat in hand; two of them for the side to move usually win.
    score += 40 * myThreats.fours - 30 * theirThreats.fours;
    score += myThreats.threes >= 2 ? 400 : 60 * myThreats.threes;
    score -= theirThreats.threes >= 2 ? 250 : 40 * theirThreats.threes;
    // Every point's sum, the weak ones too: the room each side has to make threats later.
    const int32_t blackTotal = g_valueSummary.blackTotal, whiteTotal = g_valueSummary.whiteTotal;
    score += TOTAL_WEIGHT * (me == CELL_BLACK ? blackTotal - whiteTotal : whiteTotal - blackTotal);
    return score + 30;  // the move in hand
}

bool Searcher::Generate(int ply, int depth, Move* moves, int* n, int32_t* decided, bool* forced) {
    const uint8_t me = SideToMove(), them = Opponent(me);
    int theirFives[2], nTheirFives = 0;
    int myOpenFour = -1;
    bool theirOpenFour = false;
    *n = 0;
    *forced = false;
    const bool myFive = AnyThreatPointOfEither([&](int p) {
        const int32_t mm = MaxLine(Lines(me, p)), tm = MaxLine(Lines(them, p));
        if (mm < LINE_OPEN_FOUR_MIN && tm < LINE_OPEN_FOUR_MIN) return false;
        if (mm == LINE_FIVE) return true;
        if (tm == LINE_FIVE) {
            if (nTheirFives < 2) theirFives[nTheirFives] = p;
            ++nTheirFives;
        }
        if (myOpenFour < 0 && HasOpenFour(me, p) && Legal(me, p)) myOpenFour = p;
        if (!theirOpenFour && HasOpenFour(them, p) && Legal(them, p)) theirOpenFour = true;
        return false;
    });
    if (myFive) {
        *decided = WIN_SCORE - ply;
        return true;
    }
    if (nTheirFives >= 2) {
        *decided = -(WIN_SCORE - ply - 1);
        return true;
    }
    if (nTheirFives == 1) {
        if (!Legal(me, theirFives[0])) {
            *decided = -(WIN_SCORE - ply - 1);
            return true;
        }
        moves[0] = {0, theirFives[0]};
        *n = 1;
        *forced = true;
        return false;
    }
    if (myOpenFour >= 0) {
        *decided = WIN_SCORE - ply - 2;
        return true;
    }
    if (depth <= 0) return false;

    for (int p = 0; p < POINT_COUNT; ++p) {
        if (near_[p] == 0 || !EmptyPoint(p)) continue;
        const PointShape mine = ShapeAt(me, p), theirs = ShapeAt(them, p);
        const bool myFour = mine.fours + mine.openFours > 0;
        // Against an open four in the making: only its stops, or a four of our own.
        if (theirOpenFour && !myFour && theirs.fours + theirs.openFours == 0) continue;
        if (!Legal(me, p)) continue;
        int32_t order = std::max(0, ValueOf(me, p)) + std::max(0, ValueOf(them, p));
        if (myFour)
            order += mine.threes > 0 ? 6000 : 2000;
        else if (mine.threes > 1)
            order += 3000;
        else if (mine.threes == 1)
            order += 800;
        if (theirs.fours + theirs.openFours > 0 && theirs.threes > 0)
            order += 2500;
        else if (theirs.threes > 1)
            order += 1500;
        else if (theirs.threes == 1 || theirs.fours + theirs.openFours > 0)
            order += 500;
        moves[(*n)++] = {order, p};
    }
    if (theirOpenFour && *n == 0) {
        // No stop is legal (all forbidden to Black) and no four of ours delays: the open four
        // comes next, and the five after its block.
        *decided = -(WIN_SCORE - ply - 3);
        return true;
    }
    return false;
}

void Searcher::Order(Move* moves, int n, int ttMove, int ply, int top) {
    const int side = SideToMove() == CELL_WHITE ? 1 : 0;
    for (int i = 0; i < n; ++i) {
        Move& m = moves[i];
        if (m.point == ttMove)
            m.order += 1 << 28;
        else if (m.point == killers_[ply][0])
            m.order += 1 << 24;
        else if (m.point == killers_[ply][1])
            m.order += 1 << 23;
        m.order += std::min(history_[side][m.point] >> 4, 1 << 20);
    }
    // Moves come in increasing point order, so the point as tie-break keeps the sort stable;
    // only the first `top` need their places, the rest are sorted if ever reached.
    if (top < n)
        std::partial_sort(moves, moves + top, moves + n, ByOrder);
    else
        std::sort(moves, moves + n, ByOrder);
}

int32_t Searcher::Node(int depth, int32_t alpha, int32_t beta, int ply) {
    ++nodes_;
    if (TimeUp()) return 0;
    Move moves[POINT_COUNT];
    int n = 0;
    int32_t decided = 0;
    bool forced = false;
    if (Generate(ply, depth, moves, &n, &decided, &forced)) return decided;
    if (depth <= 0 && !forced) return Evaluate();
    if (ply >= MAX_PLY - 1) return Evaluate();
    if (n == 0) return 0;  // no move left: a draw

    const uint64_t key = Key();
    TableEntry& entry = s_table[key & s_tableMask];
    int ttMove = -1;
    if (entry.key == key) {
        ttMove = entry.move;
        if (entry.depth >= depth && ply > 0) {
            const int32_t s = FromTable(entry.score, ply);
            if (entry.bound == BOUND_EXACT) return s;
            if (entry.bound == BOUND_LOWER && s >= beta) return s;
            if (entry.bound == BOUND_UPPER && s <= alpha) return s;
        }
    }

    // Far fewer moves deep in the tree, where the search only has to confirm.
    const int generated = n;
    if (!forced) n = std::min(n, std::clamp(4 + 2 * depth, 6, 20));
    Order(moves, generated, ttMove, ply, n);
    const int childDepth = forced ? depth : depth - 1;  // a forced block costs no depth

    const int32_t alpha0 = alpha;
    int32_t best = -INFINITE_SCORE;
    int bestMove = moves[0].point;
    for (int i = 0; i < n; ++i) {
        const int p = moves[i].point;
        const int32_t s = Child(p, i == 0, childDepth, alpha, beta, ply + 1);
        // Every move tried so far loses: one the width left out may hold, and without it the
        // loss would be no proof.
        if (i == n - 1 && n < generated && std::max(best, s) <= -PROVEN_SCORE) {
            std::sort(moves + n, moves + generated, ByOrder);
            n = generated;
        }
        if (stopped_) return 0;
        if (s > best) {
            best = s;
            bestMove = p;
            if (s > alpha) {
                alpha = s;
                if (alpha >= beta) {
                    if (killers_[ply][0] != p) {
                        killers_[ply][1] = killers_[ply][0];
                        killers_[ply][0] = p;
                    }
                    history_[SideToMove() == CELL_WHITE ? 1 : 0][p] += depth * depth;
                    break;
                }
            }
        }
    }
    entry.key = key;
    entry.score = ToTable(best, ply);
    entry.move = static_cast<int16_t>(bestMove);
    entry.depth = static_cast<int8_t>(std::min(depth, 127));
    entry.bound = best >= beta ? BOUND_LOWER : best > alpha0 ? BOUND_EXACT : BOUND_UPPER;
    return best;
}

// Against a threatened win (by fours, or by fours and threes), keep only the moves after which
// the solver finds neither kind of win for the opponent. Every move gets a quick look first,
// the points of the threat's proof and our own fours before the rest; the moves it could not
// judge get a longer one, as long as half the time lasts. Moves still unjudged are kept when no
// move is a proven defence, and beside proven ones only if they threaten; when every move
// loses, the three that cost the solver the most work to refute.
int Searcher::KeepDefences(Move* rootMoves, int n) {
    const uint8_t me = SideToMove(), them = Opponent(me);
    // Whether there is a threat at all deserves a longer look.
    ThreatResult threat = Solve(them, ThreatKind::FOURS, Look(400000, millis_ / 10));
    if (!threat.win) {
        // Threats by threes found too late cost games: this look gets a third of the time.
        ThreatLimits first = Look(2000000, millis_ / 3);
        first.maxAttacks = 14;
        first.deepen = true;
        threat = Solve(them, ThreatKind::FOURS_AND_THREES, first);
    }
    if (!threat.win) return n;
    int front = 0;
    for (int i = 0; i < n; ++i) {
        const int p = rootMoves[i].point;
        const bool onLine = std::find(threat.line.begin(), threat.line.end(), p) != threat.line.end();
        if (onLine || HasFour(me, p)) std::rotate(rootMoves + front, rootMoves + i, rootMoves + i + 1), ++front;
    }
    // Judged: 1 a defence, 0 unknown, -1 refuted (with the solver's work in `work`).
    int8_t verdict[POINT_COUNT];
    int64_t work[POINT_COUNT];
    auto judge = [&](int i, int64_t fourNodes, int64_t threeNodes, int64_t millis) {
        const ThreatLimits quickFours = Look(fourNodes, millis / 2);
        ThreatLimits quickThrees = Look(threeNodes, millis);
        quickThrees.maxAttacks = 12;
        quickThrees.deepen = true;
        const int p = rootMoves[i].point;
        Make(p);
        // A four of ours only delays: after its block we are to move and the threat must
        // still be gone.
        int block = -1;
        AnyThreatPoint(me, [&](int q) {
            if (MakesFive(me, q)) block = q;
            return block >= 0;
        });
        if (block >= 0 && Legal(them, block))
            Make(block);
        else
            block = -1;
        ThreatResult after = Solve(them, ThreatKind::FOURS, quickFours);
        work[i] = after.nodes;
        if (after.complete && !after.win) {
            after = Solve(them, ThreatKind::FOURS_AND_THREES, quickThrees);
            work[i] += after.nodes;
        }
        if (block >= 0) Unmake(block);
        Unmake(p);
        verdict[i] = !after.complete ? 0 : after.win ? -1 : 1;
    };
    // Most moves are judged within a few thousand nodes; the rest get the longer look after.
    int judged = 0;
    for (; judged < n && Elapsed() < millis_ / 2; ++judged)
        judge(judged, 2000, 4000, millis_ / 200);
    for (int i = 0; i < judged && Elapsed() < millis_ / 2; ++i) {
        if (verdict[i] == 0) judge(i, 50000, 100000, millis_ / 20);
    }
    Move kept[POINT_COUNT], unknown[POINT_COUNT], hardest[POINT_COUNT];
    int k = 0, u = 0, h = 0;
    for (int i = 0; i < judged; ++i) {
        if (verdict[i] > 0)
            kept[k++] = rootMoves[i];
        else if (verdict[i] == 0)
            unknown[u++] = rootMoves[i];
        else
            hardest[h++] = {static_cast<int32_t>(std::min<int64_t>(work[i], 1 << 30)), rootMoves[i].point};
    }
    // A win is usually found at once; a refutation needs the whole tree, so a move the solver
    // could not judge in its budget is most often a defence too, kept when nothing is proven.
    if (k == 0) {
        std::copy(unknown, unknown + u, kept + k), k += u;
    } else {
        // Beside proven defences, an unjudged move stays only if it threatens: it may be the
        // start of our own win.
        for (int i = 0; i < u; ++i) {
            const PointShape s = ShapeAt(me, unknown[i].point);
            if (s.threes + s.fours + s.openFours > 0) kept[k++] = unknown[i];
        }
    }
    if (k == 0 && h > 0) {
        std::stable_sort(hardest, hardest + h, [](const Move& x, const Move& y) { return x.order > y.order; });
        k = std::min(h, 3);
        std::copy(hardest, hardest + k, kept);
    }
    if (k == 0) return n;
    std::copy(kept, kept + k, rootMoves);
    return k;
}

// The empty point nearest the middle of the playing area (a smaller board is framed by
// border cells).
int FirstMove() {
    int maxX = 0, maxY = 0;
    for (int p = 0; p < POINT_COUNT; ++p) {
        if (g_board[CellIndex(p % BOARD_SIZE, p / BOARD_SIZE)] == CELL_BORDER) continue;
        maxX = std::max(maxX, p % BOARD_SIZE);
        maxY = std::max(maxY, p / BOARD_SIZE);
    }
    int best = -1, bestDistance = 1 << 30;
    for (int p = 0; p < POINT_COUNT; ++p) {
        if (!EmptyPoint(p)) continue;
        const int dx = 2 * (p % BOARD_SIZE) - maxX, dy = 2 * (p / BOARD_SIZE) - maxY;
        if (dx * dx + dy * dy < bestDistance) {
            best = p;
            bestDistance = dx * dx + dy * dy;
        }
    }
    return best;
}

ThinkResult Searcher::Run(int maxDepth) {
    ThinkResult result = Decide(maxDepth);
    result.nodes = nodes_;
    result.solverNodes = solverNodes_;
    return result;
}

ThinkResult Searcher::Decide(int maxDepth) {
    ThinkResult result;
    if (!s_table) SetTableBytes(DEFAULT_TABLE_MEGABYTES << 20);
    RebuildHash();
    InitNear();
    const uint8_t me = SideToMove(), them = Opponent(me);
    bool anyStone = false;
    for (int p = 0; p < POINT_COUNT && !anyStone; ++p)
        anyStone = near_[p] > 0;
    if (!anyStone) {
        result.point = FirstMove();
        result.reason = "first move";
        return result;
    }

    Move rootMoves[POINT_COUNT];
    int n = 0;
    int32_t decided = 0;
    bool forced = false;
    if (Generate(0, 1, rootMoves, &n, &decided, &forced)) {
        // Decided at once. A win: the five, or else the open four. A loss: block a five if
        // there is one to block, hoping for a mistake; else any legal point.
        result.score = decided;
        result.reason = decided > 0 ? "five or open four" : "lost";
        for (int pass = 0; pass < 3 && result.point < 0; ++pass) {
            for (int p = 0; p < POINT_COUNT && result.point < 0; ++p) {
                if (!EmptyPoint(p) || !Legal(me, p)) continue;
                const bool fits = decided > 0 ? (pass == 0 ? MakesFive(me, p) : HasOpenFour(me, p))
                                              : (pass == 0 ? MakesFive(them, p) : true);
                if (fits && pass < 2) result.point = p;
                if (pass == 2 && EmptyPoint(p)) result.point = p;
            }
        }
        return result;
    }
    if (forced) {
        result.point = rootMoves[0].point;
        result.reason = "forced block";
        return result;
    }
    if (n == 0) {
        result.reason = "no move";
        return result;
    }

    // Threats first: our own win by fours, then by fours and threes.
    const ThreatResult ownFours = Solve(me, ThreatKind::FOURS, Look(400000, millis_ / 10));
    if (ownFours.win) return {ownFours.line[0], PROVEN_SCORE, 0, 0, "win by fours"};
    ThreatLimits vct = Look(4000000, millis_ / 10);  // the long look after the search goes on
    vct.maxAttacks = 14;
    vct.deepen = true;
    const ThreatResult ownThrees = Solve(me, ThreatKind::FOURS_AND_THREES, vct);
    if (ownThrees.win) return {ownThrees.line[0], PROVEN_SCORE, 0, 0, "win by threes"};

    Order(rootMoves, n, -1, 0);
    n = KeepDefences(rootMoves, n);
    n = std::min(n, 24);

    // Iterative deepening with aspiration windows around the last score.
    timed_ = true;
    int bestMove = rootMoves[0].point;
    int32_t bestScore = 0;
    const int64_t searchStart = Elapsed();
    const int64_t searchEnd = millis_ * SEARCH_END_PERCENT / 100;
    for (int depth = 1; depth <= maxDepth; ++depth) {
        // Too little time for a step that searches more than the previous best move.
        if (depth > 1 && Elapsed() - searchStart > (searchEnd - searchStart) * NEXT_STEP_PERCENT / 100) break;
        int32_t window = 80;
        int32_t alpha = depth >= 3 ? bestScore - window : -INFINITE_SCORE;
        int32_t beta = depth >= 3 ? bestScore + window : INFINITE_SCORE;
        int iterationMove = -1;
        int32_t iterationScore = 0;
        for (;;) {
            // Root: the previous best first, then the rest by their order.
            for (int i = 0; i < n; ++i) {
                if (rootMoves[i].point == bestMove) {
                    std::rotate(rootMoves, rootMoves + i, rootMoves + i + 1);
                    break;
                }
            }
            int32_t a = alpha, best = -INFINITE_SCORE;
            int move = rootMoves[0].point;
            for (int i = 0; i < n; ++i) {
                const int p = rootMoves[i].point;
                const int32_t s = Child(p, i == 0, depth - 1, a, beta, 1);
                if (stopped_) break;
                if (s > best) {
                    best = s;
                    move = p;
                    if (s > a) a = s;
                    if (a >= beta) break;
                }
            }
            if (stopped_) {
                // A move that beat the previous best at this depth, before the stop, is the
                // better choice; its score is at least what it showed.
                if (move != rootMoves[0].point && best > alpha) {
                    iterationMove = move;
                    iterationScore = best;
                }
                break;
            }
            if (best <= alpha && alpha > -INFINITE_SCORE) {
                window *= 4;
                alpha = std::max(-INFINITE_SCORE, bestScore - window);
                if (window > 5000) alpha = -INFINITE_SCORE;
                continue;
            }
            if (best >= beta && beta < INFINITE_SCORE) {
                window *= 4;
                beta = std::min(INFINITE_SCORE, bestScore + window);
                if (window > 5000) beta = INFINITE_SCORE;
                continue;
            }
            iterationMove = move;
            iterationScore = best;
            break;
        }
        if (iterationMove < 0) break;  // stopped: the last finished step stands
        bestMove = iterationMove;
        bestScore = iterationScore;
        if (stopped_) break;
        result.depth = depth;
        if (bestScore >= PROVEN_SCORE || bestScore <= -PROVEN_SCORE) break;
    }
    // Time the search left over: a longer look for our own win by threes, from where the
    // first look stopped. Such wins are often too deep for its budget.
    if (bestScore < PROVEN_SCORE && ownThrees.refutedAttacks < LONG_ATTACKS && Elapsed() < millis_ * 3 / 4 &&
        !stopped_) {
        ThreatLimits longer = Look(40000000, millis_ * 17 / 20 - Elapsed());
        longer.maxAttacks = LONG_ATTACKS;
        longer.firstAttacks = ownThrees.refutedAttacks + 2;
        longer.deepen = true;
        const ThreatResult later = Solve(me, ThreatKind::FOURS_AND_THREES, longer);
        if (later.win) return {later.line[0], PROVEN_SCORE, result.depth, nodes_, "win by threes"};
    }
    result.point = bestMove;
    result.score = bestScore;
    result.nodes = nodes_;
    result.reason = "search";
    return result;
}

}  // namespace

void SetTableBytes(size_t bytes) {
    bytes = std::min<size_t>(bytes, size_t{1} << 31);  // more would not pay for itself
    size_t entries = 1;
    while (entries * 2 * sizeof(TableEntry) <= bytes)
        entries *= 2;
    s_table.reset();
    s_table.reset(static_cast<TableEntry*>(std::calloc(entries, sizeof(TableEntry))));
    if (!s_table) {  // no room: a table of one entry still works, only slower
        entries = 1;
        s_table.reset(static_cast<TableEntry*>(std::calloc(1, sizeof(TableEntry))));
    }
    s_tableMask = entries - 1;
}

void ClearTable() {
    if (s_table) std::memset(s_table.get(), 0, (s_tableMask + 1) * sizeof(TableEntry));
}

ThinkResult Think(const ThinkLimits& limits) {
    const ThreatPointsKept kept;
    Searcher searcher(limits);
    ThinkResult r = searcher.Run(limits.maxDepth);
    g_strongNodes += r.nodes;
    return r;
}

}  // namespace strong
