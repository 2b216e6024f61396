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
int32_t ClassifyBlack(int x, int y);
int32_t ClassifyWhite(int x, int y);
int32_t IsForbiddenBlack(int x, int y);
