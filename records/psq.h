// Game records in the .psq text format that game viewers replay: a header with the board size,
// one "x,y,ms" line per move (1-based, the milliseconds the move took), then "Key: value" lines.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace records {

// A move in the protocol's 0-based coordinates and the time its engine took.
struct TimedMove {
    int x = 0, y = 0;
    int64_t millis = 0;
    bool operator==(const TimedMove&) const = default;
};

struct GameRecord {
    int size = 19;
    std::vector<TimedMove> moves;
    // After the moves, in this order; viewers stop reading at the first line that is not a move.
    std::vector<std::pair<std::string, std::string>> fields;

    // The value of a field, empty when absent.
    std::string Field(const std::string& key) const;
};

void WritePsq(std::ostream& out, const GameRecord& record);
// Reads what WritePsq writes; error tells the first fault when nothing is returned.
std::optional<GameRecord> ReadPsq(std::istream& in, std::string* error);

}  // namespace records
