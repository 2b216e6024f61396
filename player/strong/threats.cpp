#include "player/strong/threats.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

#include "platform/tick.h"
#include "player/search.h"
#include "player/strong/position.h"

namespace strong {

int64_t g_threatNodes = 0;

namespace {

constexpr uint64_t WHITE_TO_MOVE_KEY = 0x5A17D3E94C2B8F61ull;
constexpr int CACHE_BITS = 18;

// Positions (attacker to move) in which no win was found with a given number of attacks left;
// one generation per solve, so that nothing needs clearing between solves.
struct FailEntry {
    uint64_t key;
    uint32_t generation;
    int32_t attacks;
};
FailEntry s_failed[1 << CACHE_BITS];
uint32_t s_generation = 0;

uint64_t PositionKey() {
    return g_hash ^ (SideToMove() == CELL_WHITE ? WHITE_TO_MOVE_KEY : 0);
}

// The empty points at which `colour` completes five, at most two (two are as good as more).
int FivePoints(uint8_t colour, int* points) {
    int n = 0;
    AnyThreatPoint(colour, [&](int p) {
        const int32_t* l = Lines(colour, p);
        if (l[0] == LINE_FIVE || l[1] == LINE_FIVE || l[2] == LINE_FIVE || l[3] == LINE_FIVE) points[n++] = p;
        return n == 2;
    });
    return n;
}

// Whether (x, y) lies on line d through (ox, oy), at most five points from it.
bool OnLineNear(int ox, int oy, int d, int x, int y) {
    static constexpr int DX[4] = {1, 0, -1, 1}, DY[4] = {0, 1, 1, 1};
    const int dx = x - ox, dy = y - oy;
    if (dx * DY[d] != dy * DX[d]) return false;
    return std::abs(dx) <= 5 && std::abs(dy) <= 5;
}

bool HasLineAtLeast(const int32_t* l, int32_t v) {
    return l[0] >= v || l[1] >= v || l[2] >= v || l[3] >= v;
}

class Solver {
public:
    Solver(ThreatKind kind, const ThreatLimits& limits) : kind_(kind), limits_(limits), start_(TickCount()) {}

    bool Attack(int attacks, std::vector<int>* line);
    bool Defend(int attacks, std::vector<int>* line);

    int64_t nodes = 0;
    bool aborted = false;

private:
    bool Visit() {
        ++nodes;
        if (nodes > limits_.maxNodes) aborted = true;
        if ((nodes & 1023) == 0) {
            if (g_stopSearch.load(std::memory_order_relaxed)) aborted = true;
            if (limits_.maxMillis > 0 && static_cast<int32_t>(TickCount() - start_) >= limits_.maxMillis)
                aborted = true;
        }
        return !aborted;
    }

    ThreatKind kind_;
    ThreatLimits limits_;
    uint32_t start_;
};

// The attacker is to move and keeps the initiative as long as each of its moves threatens.
bool Solver::Attack(int attacks, std::vector<int>* line) {
    if (!Visit()) return false;
    const uint8_t me = SideToMove(), them = Opponent(me);
    int fives[2];
    if (FivePoints(me, fives) > 0) {
        line->assign(1, fives[0]);
        return true;
    }
    if (attacks <= 0) return false;
    const int theirs = FivePoints(them, fives);
    if (theirs >= 2) return false;
    if (theirs == 1) {
        // Their four must be blocked; the block keeps the initiative only if a threat of ours
        // stands afterwards, which the defence node judges.
        if (!Legal(me, fives[0])) return false;
        std::vector<int> rest;
        Play(fives[0]);
        const bool win = Defend(attacks - 1, &rest);
        Undo();
        if (win) {
            line->assign(1, fives[0]);
            line->insert(line->end(), rest.begin(), rest.end());
        }
        return win;
    }

    const uint64_t key = PositionKey();
    FailEntry& entry = s_failed[key & ((1u << CACHE_BITS) - 1)];
    if (entry.key == key && entry.generation == s_generation && entry.attacks >= attacks) return false;

    // Fours first, then (with threes) threes, each group by the move's own strength.
    struct Move {
        int32_t order;
        int point;
    };
    Move moves[POINT_COUNT];
    int n = 0;
    const int32_t threshold = kind_ == ThreatKind::FOURS ? LINE_FOUR_MIN : LINE_THREE_MIN;
    const bool lastAttack = attacks == 1;
    AnyThreatPoint(me, [&](int p) {
        const int32_t* l = Lines(me, p);
        if (!HasLineAtLeast(l, threshold)) return false;
        const PointShape s = ShapeAt(me, p);
        const bool four = s.fours + s.openFours > 0;
        if (!four && (kind_ == ThreatKind::FOURS || s.threes == 0)) return false;
        // A three as the last attack leaves no attack to make the open four with.
        if (lastAttack && !four) return false;
        if (!EmptyPoint(p) || !Legal(me, p)) return false;
        const int32_t own = me == CELL_BLACK ? g_blackValue[p] : g_whiteValue[p];
        const int32_t other = me == CELL_BLACK ? g_whiteValue[p] : g_blackValue[p];
        moves[n++] = {(four ? 1 << 20 : 0) + 2 * own + other, p};
        return false;
    });
    std::sort(moves, moves + n, [](const Move& a, const Move& b) { return a.order > b.order; });

    std::vector<int> rest;
    for (int i = 0; i < n && !aborted; ++i) {
        rest.clear();
        Play(moves[i].point);
        const bool win = Defend(attacks - 1, &rest);
        Undo();
        if (win) {
            line->assign(1, moves[i].point);
            line->insert(line->end(), rest.begin(), rest.end());
            return true;
        }
    }
    if (!aborted) entry = {key, s_generation, attacks};
    return false;
}

// The defender is to move and must answer the attacker's standing threat.
bool Solver::Defend(int attacks, std::vector<int>* line) {
    if (!Visit()) return false;
    const uint8_t me = SideToMove(), them = Opponent(me);
    int fives[2];
    if (FivePoints(me, fives) > 0) return false;  // the defender wins first
    const int theirs = FivePoints(them, fives);
    if (theirs >= 2) return true;  // two ways to five: no single block
    if (theirs == 1) {
        // Forced block, unless it is forbidden to Black: then nothing stops the five.
        if (!Legal(me, fives[0])) {
            line->clear();
            return true;
        }
        std::vector<int> rest;
        Play(fives[0]);
        const bool win = Attack(attacks, &rest);
        Undo();
        if (win) {
            line->assign(1, fives[0]);
            line->insert(line->end(), rest.begin(), rest.end());
        }
        return win;
    }
    if (kind_ == ThreatKind::FOURS) return false;
    // The attacker's open fours to come, each with its line.
    struct OpenFour {
        int x, y, d;
    };
    OpenFour open[8];
    int nOpen = 0;
    AnyThreatPoint(them, [&](int p) {
        const int32_t* l = Lines(them, p);
        if (MaxLine(l) < LINE_OPEN_FOUR_MIN || !Legal(them, p)) return false;
        for (int d = 0; d < 4 && nOpen < 8; ++d) {
            if (ClassOfValue(l[d]) == CLASS_OPEN_FOUR) open[nOpen++] = {p % BOARD_SIZE, p / BOARD_SIZE, d};
        }
        return nOpen == 8;
    });
    if (nOpen == 0) return false;

    // A three: every answer that could stop the open four and every four of the defender's own
    // must fail. Any other answer leaves an open four to be made: a point off the line of one
    // of them, or more than five from it, changes nothing there.
    int answers[POINT_COUNT];
    int n = 0;
    AnyThreatPointOfEither([&](int p) {
        if (!EmptyPoint(p) || !Legal(me, p)) return false;
        if (HasFour(me, p)) {
            answers[n++] = p;
        } else if (HasFour(them, p)) {
            const int x = p % BOARD_SIZE, y = p / BOARD_SIZE;
            for (int i = 0; i < nOpen; ++i) {
                if (!OnLineNear(open[i].x, open[i].y, open[i].d, x, y)) return false;
            }
            answers[n++] = p;
        }
        return false;
    });
    std::vector<int> first, rest;
    for (int i = 0; i < n; ++i) {
        rest.clear();
        Play(answers[i]);
        const bool win = Attack(attacks, &rest);
        Undo();
        if (!win) return false;
        if (i == 0) {
            first.assign(1, answers[i]);
            first.insert(first.end(), rest.begin(), rest.end());
        }
    }
    *line = first;
    return true;
}

}  // namespace

void Pass() {
    g_stack[g_stackCount] = {-1, -1};
    ++g_stackCount;
}

void TakeBackPass() {
    --g_stackCount;
    g_stack[g_stackCount] = {0, 0};
}

ThreatResult SolveThreats(uint8_t attacker, ThreatKind kind, const ThreatLimits& limits) {
    ThreatResult result;
    if (g_stackCount >= POINT_COUNT - 1) return result;
    const ThreatPointsKept kept;
    const bool passed = attacker != SideToMove();
    MoveEntry saved = g_stack[g_stackCount];
    if (passed) Pass();
    RebuildHash();
    // A failure cached with n attacks left holds for any limit, so deepening reuses them.
    ++s_generation;
    Solver solver(kind, limits);
    for (int attacks = limits.deepen ? std::clamp(limits.firstAttacks, 1, limits.maxAttacks) : limits.maxAttacks;;
         attacks = std::min(attacks + 2, limits.maxAttacks)) {
        result.line.clear();
        result.win = solver.Attack(attacks, &result.line);
        if (!result.win && !solver.aborted) result.refutedAttacks = attacks;
        if (result.win || solver.aborted || attacks == limits.maxAttacks) break;
    }
    result.complete = !solver.aborted;
    if (!result.complete) {
        result.win = false;
        result.line.clear();
    }
    result.nodes = solver.nodes;
    g_threatNodes += solver.nodes;
    if (passed) TakeBackPass();
    g_stack[g_stackCount] = saved;
    return result;
}

std::vector<int> Defences(ThreatKind kind, const ThreatLimits& limits) {
    std::vector<int> refuting;
    const uint8_t me = SideToMove(), them = Opponent(me);
    for (int p = 0; p < POINT_COUNT; ++p) {
        if (!EmptyPoint(p) || !Legal(me, p) || !NearStone(p, 2)) continue;
        Play(p);
        const ThreatResult r = SolveThreats(them, kind, limits);
        Undo();
        if (r.complete && !r.win) refuting.push_back(p);
    }
    return refuting;
}

}  // namespace strong
