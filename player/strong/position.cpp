#include "player/strong/position.h"

namespace strong {

uint64_t g_hash = 0;

namespace {

struct Keys {
    uint64_t key[POINT_COUNT][2];
    Keys() {
        uint64_t s = 0x9E3779B97F4A7C15ull;
        for (auto& k : key) {
            for (uint64_t& v : k) {
                // splitmix64: fixed keys, so hashes are the same from run to run
                s += 0x9E3779B97F4A7C15ull;
                uint64_t z = s;
                z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
                z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
                v = z ^ (z >> 31);
            }
        }
    }
};
const Keys s_keys;

}  // namespace

uint64_t StoneKey(int p, uint8_t colour) {
    return s_keys.key[p][colour == CELL_WHITE ? 1 : 0];
}

bool NearStone(int p, int distance) {
    const int x0 = p % BOARD_SIZE, y0 = p / BOARD_SIZE;
    for (int y = y0 - distance; y <= y0 + distance; ++y) {
        for (int x = x0 - distance; x <= x0 + distance; ++x) {
            if (!OnBoard(x, y)) continue;
            const uint8_t c = g_board[CellIndex(x, y)];
            if (c == CELL_BLACK || c == CELL_WHITE) return true;
        }
    }
    return false;
}

void RebuildHash() {
    uint64_t h = 0;
    for (int p = 0; p < POINT_COUNT; ++p) {
        const uint8_t c = g_board[CellIndex(p % BOARD_SIZE, p / BOARD_SIZE)];
        if (c == CELL_BLACK || c == CELL_WHITE) h ^= StoneKey(p, c);
    }
    g_hash = h;
}

}  // namespace strong
