// Root searches on recorded positions: each record holds a position, the search settings and
// the exact root results the search gave, one text line each. Replaying a record with a faster
// search must give the same results to the last entry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/board.h"
#include "player/search.h"

struct SearchRecord {
    // The question: the game so far (the computer is the side to move) and the settings.
    int rule = 0;  // 0 basic, 1 Japanese, 2 international
    int width = 0;
    int extensionLimit = 0;
    int depth = 0;
    int margin = 0;  // variety margin of the root's random choice
    uint32_t seed = 0;
    std::vector<MoveEntry> moves;
    // The answer.
    int32_t x = -1, y = -1, score = 0;
    RootResults results{};
};

// One line: rule width extensions depth margin seed moves | x y score count (x y score)...
// The moves are letter pairs, 'a' + x then 'a' + y.
std::string FormatRecord(const SearchRecord& r);
bool ParseRecord(const std::string& line, SearchRecord* r);

// Sets the record's position and settings up and searches it, filling in the answer.
// The pattern tables must be loaded. Returns the nodes searched.
int64_t SearchRecordPosition(SearchRecord* r);

// The answers of two records are the same: move, score and every root result in order.
bool SameAnswer(const SearchRecord& a, const SearchRecord& b);

// Plays games of the computer against itself under each rule and records root searches of
// positions met in them at depths 4 to 10, and 12 where the search is short. Deterministic.
std::vector<SearchRecord> GenerateRecords();
