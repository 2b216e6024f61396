#include "records/psq.h"

#include <charconv>
#include <cstdio>
#include <istream>
#include <ostream>
#include <string_view>

namespace records {

namespace {

// Field text on one line: engine commands and answers may hold anything.
std::string OneLine(const std::string& s) {
    std::string t = s;
    for (char& c : t) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    }
    return t;
}

bool ParseInt(std::string_view s, int64_t* v) {
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), *v);
    return ec == std::errc() && end == s.data() + s.size() && !s.empty();
}

// "a,b,c" with three whole numbers.
bool ParseMoveLine(std::string_view line, int64_t f[3]) {
    for (int i = 0; i < 3; ++i) {
        const size_t comma = line.find(',');
        if ((i == 2) != (comma == std::string_view::npos)) return false;
        if (!ParseInt(line.substr(0, comma), &f[i])) return false;
        if (i < 2) line.remove_prefix(comma + 1);
    }
    return true;
}

}  // namespace

std::string GameRecord::Field(const std::string& key) const {
    for (const auto& [k, v] : fields) {
        if (k == key) return v;
    }
    return {};
}

void WritePsq(std::ostream& out, const GameRecord& record) {
    out << "Piskvorky " << record.size << 'x' << record.size << ", 0:0, 0\n";
    for (const TimedMove& m : record.moves)
        out << m.x + 1 << ',' << m.y + 1 << ',' << m.millis << '\n';
    for (const auto& [key, value] : record.fields)
        out << OneLine(key) << ": " << OneLine(value) << '\n';
}

std::optional<GameRecord> ReadPsq(std::istream& in, std::string* error) {
    std::string line;
    const auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return std::nullopt;
    };
    if (!std::getline(in, line)) return fail("empty record");
    GameRecord record;
    int sizeX = 0, sizeY = 0;
    if (std::sscanf(line.c_str(), "Piskvorky %dx%d,", &sizeX, &sizeY) != 2 || sizeX != sizeY || sizeX < 5 ||
        sizeX > 19)
        return fail("bad header '" + line + "'");
    record.size = sizeX;
    bool inMoves = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        int64_t f[3];
        if (inMoves && ParseMoveLine(line, f)) {
            if (f[0] < 1 || f[1] < 1 || f[0] > record.size || f[1] > record.size || f[2] < 0)
                return fail("move out of range '" + line + "'");
            record.moves.push_back({static_cast<int>(f[0] - 1), static_cast<int>(f[1] - 1), f[2]});
            continue;
        }
        inMoves = false;
        const size_t colon = line.find(": ");
        if (colon == std::string::npos) return fail("line is neither a move nor a field: '" + line + "'");
        record.fields.emplace_back(line.substr(0, colon), line.substr(colon + 2));
    }
    return record;
}

}  // namespace records
