#include "engine/patterns.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/data_files.h"

int8_t g_blackTable[BLACK_TABLE_BYTES];
int8_t g_whiteTable[WHITE_TABLE_BYTES];
LinePair g_linePairs[2][LINE_INDEX_COUNT];

void BuildLinePairs() {
    for (int half = 0; half < 2; ++half) {
        for (int32_t i = 0; i < LINE_INDEX_COUNT; ++i) {
            g_linePairs[half][i] = {g_blackTable[half * LINE_INDEX_COUNT + i], g_whiteTable[i]};
        }
    }
}

namespace {

inline void LookupLine(int x, int y, int step, int32_t* black, int32_t* white) {
    const int32_t index = CellLineIndex(CellIndex(x, y), step);
    const LinePair pair = g_linePairs[g_restricted][index];
    *black = pair.black;
    *white = pair.white;
}

}  // namespace

int32_t LineIndex(int x, int y, int d) {
    return CellLineIndex(CellIndex(x, y), LINE_STEP[d]);
}

void LookupRow(int x, int y, int32_t* black, int32_t* white) {
    LookupLine(x, y, LINE_STEP[DIR_HORIZONTAL], black, white);
}
void LookupColumn(int x, int y, int32_t* black, int32_t* white) {
    LookupLine(x, y, LINE_STEP[DIR_VERTICAL], black, white);
}
void LookupAntiDiagonal(int x, int y, int32_t* black, int32_t* white) {
    LookupLine(x, y, LINE_STEP[DIR_ANTIDIAGONAL], black, white);
}
void LookupDiagonal(int x, int y, int32_t* black, int32_t* white) {
    LookupLine(x, y, LINE_STEP[DIR_DIAGONAL], black, white);
}

namespace {

// Fills `table` from the first place that has `name` and sets `readFrom`; an error text otherwise.
std::string LoadOne(const char* name, int8_t* table, long size, const std::filesystem::path& executableDir,
                    std::string* readFrom) {
    const std::vector<std::filesystem::path> places = DataFilePlaces(name, executableDir);
    for (const auto& place : places) {
        std::FILE* f = std::fopen(place.c_str(), "rb");
        if (!f) continue;
        const size_t got = std::fread(table, 1, static_cast<size_t>(size), f);
        std::fclose(f);
        if (static_cast<long>(got) == size) {
            *readFrom = place.string();
            return {};
        }
        return "The pattern table " + place.string() + " is too short: " + std::to_string(got) +
               " bytes, expected " + std::to_string(size) + ".";
    }
    return "The pattern table " + std::string(name) + " was not found. Looked in: " + JoinPlaces(places) +
           ". Expected a file of " + std::to_string(size) + " bytes.";
}

}  // namespace

TableLoadResult LoadPatternTables(const std::filesystem::path& executableDir) {
    std::memset(g_blackTable, 0, sizeof g_blackTable);
    std::memset(g_whiteTable, 0, sizeof g_whiteTable);
    TableLoadResult result;
    std::string error =
        LoadOne("black.dat", g_blackTable, BLACK_TABLE_BYTES, executableDir, &result.blackFile);
    if (error.empty())
        error = LoadOne("white.dat", g_whiteTable, WHITE_TABLE_BYTES, executableDir, &result.whiteFile);
    if (!error.empty()) {
        // Never leave one table loaded and the other empty.
        std::memset(g_blackTable, 0, sizeof g_blackTable);
        std::memset(g_whiteTable, 0, sizeof g_whiteTable);
        result = TableLoadResult{};
        result.ok = false;
        result.message = error;
    }
    BuildLinePairs();
    return result;
}
