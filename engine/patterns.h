// The pattern tables and the line lookup.
//
// For an empty point and one of its four lines, the ten cells at offsets -5..-1, +1..+5 form
// a 20-bit line index (offset -5 in the top bits). The tables give the signed value of
// placing a stone of that colour on the point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "engine/board.h"

constexpr int32_t LINE_INDEX_COUNT = 1 << 20;
constexpr int32_t BLACK_TABLE_BYTES = 2 * LINE_INDEX_COUNT;  // unrestricted half, restricted half
constexpr int32_t WHITE_TABLE_BYTES = LINE_INDEX_COUNT;

enum LineDirection : int32_t {
    DIR_HORIZONTAL = 0,    // step (1, 0)
    DIR_VERTICAL = 1,      // step (0, 1)
    DIR_ANTIDIAGONAL = 2,  // step (-1, 1): the index starts at the upper-right end
    DIR_DIAGONAL = 3,      // step (1, 1)
};

// Cell index step along each direction on the padded board.
constexpr int32_t LINE_STEP[4] = {1, 29, 28, 30};

extern int8_t g_blackTable[BLACK_TABLE_BYTES];
extern int8_t g_whiteTable[WHITE_TABLE_BYTES];

// Both colours' values of a line index side by side, one half per value of g_restricted, so
// that a lookup costs one memory access instead of two. Built from the two tables whenever
// they are loaded.
struct LinePair {
    int8_t black;
    int8_t white;
};
extern LinePair g_linePairs[2][LINE_INDEX_COUNT];
void BuildLinePairs();

// Line index of the point at padded-board cell `cell` along a line with cell step `step`.
inline int32_t CellLineIndex(int cell, int step) {
    const uint8_t* b = g_board + cell;
    return (b[-5 * step] << 18) | (b[-4 * step] << 16) | (b[-3 * step] << 14) | (b[-2 * step] << 12) |
           (b[-step] << 10) | (b[step] << 8) | (b[2 * step] << 6) | (b[3 * step] << 4) | (b[4 * step] << 2) |
           b[5 * step];
}

// Line index of point (x, y) on direction d, read from g_board.
int32_t LineIndex(int x, int y, int d);

// Each stores Black's value (from the half chosen by g_restricted) and White's value.
void LookupRow(int x, int y, int32_t* black, int32_t* white);
void LookupColumn(int x, int y, int32_t* black, int32_t* white);
void LookupAntiDiagonal(int x, int y, int32_t* black, int32_t* white);
void LookupDiagonal(int x, int y, int32_t* black, int32_t* white);

struct TableLoadResult {
    bool ok = true;
    std::string message;    // what went wrong, for the user; empty when ok
    std::string blackFile;  // where each table was read from, when ok
    std::string whiteFile;
};

// A hash of a table's exact contents, which any change of one byte alters (64-bit FNV-1a).
uint64_t TableHash(const int8_t* bytes, size_t size);

// Reads black.dat and white.dat, each from the first place of DataFilePlaces (the working
// folder, executableDir, the installed data folder) that has it. A missing file is an error
// naming the file and every place tried; a file there that is not a regular file, is not of
// the table's exact size, or whose contents the game cannot play with (named with its first
// fault) or are not those of the table this build made, is an error naming the file. Files
// are opened without blocking. The tables are zeroed first.
TableLoadResult LoadPatternTables(const std::filesystem::path& executableDir);
