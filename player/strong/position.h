// Shared helpers of the tournament player over the engine board: the side to move, what a
// point means for a colour, and a Zobrist hash kept beside the engine stack.
#pragma once

#include <algorithm>
#include <cstdint>

#include "engine/board.h"
#include "engine/classes.h"
#include "engine/values.h"

namespace strong {

constexpr int32_t LINE_FIVE = 127;
constexpr int32_t LINE_OPEN_FOUR_MIN = 30;  // the lowest value of class open four
constexpr int32_t LINE_FOUR_MIN = 16;  // the lowest value of class four
constexpr int32_t LINE_THREE_MIN = 10;

inline uint8_t SideToMove() {
    return StoneOfMove(g_stackCount);
}
inline uint8_t Opponent(uint8_t colour) {
    return colour == CELL_BLACK ? CELL_WHITE : CELL_BLACK;
}
inline const int32_t* Lines(uint8_t colour, int p) {
    return colour == CELL_BLACK ? g_blackLine[p] : g_whiteLine[p];
}
inline bool EmptyPoint(int p) {
    return g_board[CellIndex(p % BOARD_SIZE, p / BOARD_SIZE)] == CELL_EMPTY;
}

struct PointShape {
    int8_t fives = 0, openFours = 0, fours = 0, threes = 0;
};
inline PointShape ShapeAt(uint8_t colour, int p) {
    PointShape s;
    const int32_t* l = Lines(colour, p);
    for (int d = 0; d < 4; ++d) {
        switch (ClassOfValue(l[d])) {
            case CLASS_FIVE:
                ++s.fives;
                break;
            case CLASS_OPEN_FOUR:
                ++s.openFours;
                break;
            case CLASS_FOUR:
                ++s.fours;
                break;
            case CLASS_THREE:
                ++s.threes;
                break;
            default:
                break;
        }
    }
    return s;
}

inline int32_t MaxLine(const int32_t* l) {
    return std::max(std::max(l[0], l[1]), std::max(l[2], l[3]));
}
// A stone of `colour` at empty point p makes an open four; a four, open or not.
inline bool HasOpenFour(uint8_t colour, int p) {
    return MaxLine(Lines(colour, p)) >= LINE_OPEN_FOUR_MIN && ShapeAt(colour, p).openFours > 0;
}
inline bool HasFour(uint8_t colour, int p) {
    if (MaxLine(Lines(colour, p)) < LINE_FOUR_MIN) return false;
    const PointShape s = ShapeAt(colour, p);
    return s.fours + s.openFours > 0;
}

// A stone of `colour` at empty point p completes five (exactly five for restricted Black).
inline bool MakesFive(uint8_t colour, int p) {
    const int32_t* l = Lines(colour, p);
    return l[0] == LINE_FIVE || l[1] == LINE_FIVE || l[2] == LINE_FIVE || l[3] == LINE_FIVE;
}

// Whether `colour` may play the empty point p: only restricted Black has forbidden points, and
// a five is never forbidden.
inline bool Legal(uint8_t colour, int p) {
    if (colour != CELL_BLACK || g_restricted != 1) return true;
    return IsForbiddenBlack(p % BOARD_SIZE, p / BOARD_SIZE) == 0;
}

// Keeps the engine's threat points current for as long as it lives.
class ThreatPointsKept {
public:
    ThreatPointsKept() : was_(KeepThreatPoints(true)) {}
    ~ThreatPointsKept() { KeepThreatPoints(was_); }
    ThreatPointsKept(const ThreatPointsKept&) = delete;
    ThreatPointsKept& operator=(const ThreatPointsKept&) = delete;

private:
    bool was_;
};

// Calls f(p) for each point, in increasing order, where `colour` (or either colour) has a
// line of an open three or better; stops early when f returns true. Only while the threat
// points are kept (ThreatPointsKept).
template <typename F>
inline bool AnyThreatPoint(uint8_t colour, F f) {
    const uint64_t* bits = colour == CELL_BLACK ? g_threatPoints.black : g_threatPoints.white;
    for (int w = 0; w < SUMMARY_WORDS; ++w) {
        for (uint64_t b = bits[w]; b; b &= b - 1)
            if (f(w * 64 + __builtin_ctzll(b))) return true;
    }
    return false;
}
template <typename F>
inline bool AnyThreatPointOfEither(F f) {
    for (int w = 0; w < SUMMARY_WORDS; ++w) {
        for (uint64_t b = g_threatPoints.black[w] | g_threatPoints.white[w]; b; b &= b - 1)
            if (f(w * 64 + __builtin_ctzll(b))) return true;
    }
    return false;
}

// Whether a stone lies within `distance` of empty point p (in both coordinates).
bool NearStone(int p, int distance);

// The Zobrist hash of the engine board, kept current by Play and Undo. Rebuild it from the
// board whenever the engine board was changed by other code.
extern uint64_t g_hash;
uint64_t StoneKey(int p, uint8_t colour);
void RebuildHash();

inline void Play(int p) {
    g_hash ^= StoneKey(p, SideToMove());
    EnginePush(p % BOARD_SIZE, p / BOARD_SIZE);
}
inline void Undo() {
    EnginePop();
    const MoveEntry m = g_stack[g_stackCount];
    g_hash ^= StoneKey(PointIndex(m.x, m.y), SideToMove());
}

}  // namespace strong
