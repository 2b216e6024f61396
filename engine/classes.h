// Point classes and the rule tests, from the classes of a point's four line values.
#pragma once

#include <array>
#include <cstdint>

enum LineClass : int32_t {
    CLASS_NONE = 0,
    CLASS_THREE = 1,      // 10 .. 15: an open three
    CLASS_FOUR = 2,       // 16 .. 22: a four with one completing point
    CLASS_OPEN_FOUR = 3,  // 30 .. 47: a four with two completing points
    CLASS_FIVE = 4,       // 127
    CLASS_FORBIDDEN = 5,  // -128, -20: forbidden to restricted Black on this line alone
};

constexpr std::array<int32_t, 256> BuildValueClassTable() {
    std::array<int32_t, 256> table{};
    for (int v = -128; v <= 127; ++v) {
        int32_t k = CLASS_NONE;
        if (v == 127)
            k = CLASS_FIVE;
        else if (v >= 30 && v <= 47)
            k = CLASS_OPEN_FOUR;
        else if (v >= 16 && v <= 22)
            k = CLASS_FOUR;
        else if (v >= 10 && v <= 15)
            k = CLASS_THREE;
        else if (v == -128 || v == -20)
            k = CLASS_FORBIDDEN;
        table[v + 128] = k;
    }
    return table;
}

// Class of each line value; entry 0 is value -128, entry 255 value 127.
inline constexpr std::array<int32_t, 256> g_valueClass = BuildValueClassTable();

inline int32_t ClassOfValue(int32_t value) {
    return g_valueClass[value + 128];
}

// Threat codes. ClassifyBlack: 0 nothing decisive, 1 double threat (four-three etc.), 2 open
// four alone, 3 five, 4 forbidden (restricted only), 5 double three (unrestricted only).
// ClassifyWhite: 0..3 as Black unrestricted, 4 double three.
//
// Black's threes under restrictions are exact: where the line values show two or more, each
// is confirmed on the engine board, and a three whose every straight-four point is itself
// forbidden to Black does not count. The confirmation writes trial stones into g_board and
// takes them out again before it returns, so only the thread that owns the engine board may
// call these; stacks and values are never touched.
int32_t ClassifyBlack(int x, int y);
int32_t ClassifyWhite(int x, int y);
int32_t IsForbiddenBlack(int x, int y);

// Which rule a point breaks for Black under restrictions (the first that applies, in this
// order), or FORBIDDEN_NONE where Black may play it; for messages about a forbidden move.
enum ForbiddenShape : int32_t {
    FORBIDDEN_NONE = 0,
    FORBIDDEN_OVERLINE = 1,
    FORBIDDEN_DOUBLE_FOUR = 2,  // also two fours on one line
    FORBIDDEN_DOUBLE_THREE = 3,
};
ForbiddenShape ForbiddenShapeBlack(int x, int y);

// Trial stones a confirmation may stand on the board at once, the judged point's own included.
// Each level stands one more stone, on a straight-four point of the three above it that is
// again a double three by its lines; crowded random positions need up to four. At the cap the
// lines alone decide, so one verdict judges at most 8^6 points (two points for each of four
// threes per level), and in practice a handful.
constexpr int MAX_TRIAL_STONES = 6;
