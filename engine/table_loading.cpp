// Reading the pattern tables from disk, and the checks that keep a damaged or foreign table out.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "engine/classes.h"
#include "engine/patterns.h"
#include "engine/table_hashes.h"
#include "platform/data_files.h"

namespace {

// What a table must hold for the game to judge positions with it. A damaged file of the right
// size would otherwise be played: a computer that sees fives everywhere, or a Black that may
// never move. The checks are cheap next to reading the file.
struct TableHalfKind {
    const char* name;
    int8_t own, opponent;
    bool restricted;
};
constexpr TableHalfKind BLACK_UNRESTRICTED{"unrestricted Black half", CELL_BLACK, CELL_WHITE, false};
constexpr TableHalfKind BLACK_RESTRICTED{"restricted Black half", CELL_BLACK, CELL_WHITE, true};
constexpr TableHalfKind WHITE_TABLE{"table", CELL_WHITE, CELL_BLACK, false};

// The values our tables use: weak shapes 0 .. 9 and the threat classes; the forbidden marks
// only where restricted Black is read. A negative weak value could hide a five from the sum
// test, and a weak value between the classes would rank a nothing above a threat.
bool KnownValue(int32_t v, bool restricted) {
    if (v >= 0 && v <= 9) return true;
    const int32_t k = ClassOfValue(v);
    return k == CLASS_FORBIDDEN ? restricted : k != CLASS_NONE;
}

// The index of a line written as its ten cells, offset -5 first: '.' empty, '|' border,
// 'o' the table's own colour, 'x' the opponent's.
int32_t IndexOfCells(const char* cells, const TableHalfKind& kind) {
    int32_t index = 0;
    for (int i = 0; i < 10; ++i) {
        const char c = cells[i];
        int32_t code = CELL_EMPTY;
        if (c == 'o') code = kind.own;
        if (c == 'x') code = kind.opponent;
        if (c == '|') code = CELL_BORDER;
        index = index * 4 + code;
    }
    return index;
}

const char* ClassName(int32_t k) {
    static const char* const names[] = {"none", "three", "four", "open four", "five", "forbidden"};
    return names[k];
}

// The line as a diagram, the point in brackets: "..XXX[X].....".
std::string Diagram(const char* cells, const TableHalfKind& kind) {
    const char own = kind.own == CELL_BLACK ? 'X' : 'O', opponent = own == 'X' ? 'O' : 'X';
    std::string line;
    for (int i = 0; i < 10; ++i) {
        if (i == 5) line += std::string("[") + own + "]";
        line += cells[i] == 'o' ? own : cells[i] == 'x' ? opponent : cells[i];
    }
    return line;
}

// The first fault of one half, or an empty text.
std::string CheckHalf(const int8_t* values, const TableHalfKind& kind) {
    const std::string half = "the " + std::string(kind.name);
    for (int32_t i = 0; i < LINE_INDEX_COUNT; ++i) {
        if (!KnownValue(values[i], kind.restricted))
            return half + " holds the value " + std::to_string(values[i]) + " (line index " +
                   std::to_string(i) + "), which no shape has";
    }
    // Ten cells each empty or border: 2^10 arrangements without a stone, all worth 0.
    for (int32_t bits = 0; bits < (1 << 10); ++bits) {
        int32_t index = 0;
        for (int i = 9; i >= 0; --i)
            index = index * 4 + ((bits >> i) & 1);
        if (values[index] != 0)
            return half + " gives " + std::to_string(values[index]) +
                   " to a line without stones (line index " + std::to_string(index) + "), not 0";
    }
    struct Shape {
        const char* cells;  // the ten cells around the point, offset -5 first
        const char* name;
        int32_t unrestricted, restricted;
    };
    static const Shape shapes[] = {
        {".oooo.....", "a five", CLASS_FIVE, CLASS_FIVE},
        {"...oooo...", "a five", CLASS_FIVE, CLASS_FIVE},
        {"..ooo.....", "an open four", CLASS_OPEN_FOUR, CLASS_OPEN_FOUR},
        {".xooo.....", "a four", CLASS_FOUR, CLASS_FOUR},
        {"...oo.....", "an open three", CLASS_THREE, CLASS_THREE},
        {"ooooo.....", "six in a row", CLASS_FIVE, CLASS_FORBIDDEN},
        {".ooooo....", "six in a row", CLASS_FIVE, CLASS_FORBIDDEN},
    };
    for (const Shape& shape : shapes) {
        const int8_t value = values[IndexOfCells(shape.cells, kind)];
        const int32_t expected = kind.restricted ? shape.restricted : shape.unrestricted;
        if (ClassOfValue(value) != expected)
            return half + " gives " + std::to_string(value) + " (class " + ClassName(ClassOfValue(value)) +
                   ") to " + shape.name + " " + Diagram(shape.cells, kind) + ", expected class " +
                   ClassName(expected);
    }
    return {};
}

std::string CheckBlack(const int8_t* table) {
    const std::string fault = CheckHalf(table, BLACK_UNRESTRICTED);
    return fault.empty() ? CheckHalf(table + LINE_INDEX_COUNT, BLACK_RESTRICTED) : fault;
}

std::string CheckWhite(const int8_t* table) {
    return CheckHalf(table, WHITE_TABLE);
}

// Reads exactly `size` bytes of the regular file `place` into `table`; an error text otherwise.
// Opened without blocking, so that a FIFO of that name cannot hold the program in open().
std::string ReadTableFile(const std::filesystem::path& place, int fd, int8_t* table, long size) {
    const std::string file = "The pattern table " + place.string();
    struct stat info {};
    if (::fstat(fd, &info) != 0) return file + " cannot be read: " + std::strerror(errno) + ".";
    if (S_ISDIR(info.st_mode)) return file + " is a folder, not a file.";
    if (!S_ISREG(info.st_mode)) return file + " is not a regular file.";
    const auto sizes = [&](long long got) {
        return ": " + std::to_string(got) + " bytes, expected " + std::to_string(size) + ".";
    };
    if (info.st_size > size) return file + " is too long" + sizes(info.st_size);
    long got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, table + got, static_cast<size_t>(size - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return file + " cannot be read: " + std::strerror(errno) + ".";
        if (n == 0) break;
        got += n;
    }
    if (got < size) return file + " is too short" + sizes(got);
    return {};
}

// Fills `table` from the first place that has `name`, checks it with `check` and against the
// hash of the table this build made, and sets `readFrom`; an error text otherwise.
std::string LoadOne(const char* name, int8_t* table, long size, uint64_t builtHash,
                    const std::filesystem::path& executableDir, std::string (*check)(const int8_t*),
                    std::string* readFrom) {
    const std::vector<std::filesystem::path> places = DataFilePlaces(name, executableDir);
    for (const auto& place : places) {
        const int fd = ::open(place.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENOENT || errno == ENOTDIR) continue;
            return "The pattern table " + place.string() + " cannot be opened: " + std::strerror(errno) + ".";
        }
        const std::string error = ReadTableFile(place, fd, table, size);
        ::close(fd);
        if (!error.empty()) return error;
        const std::string fault = check(table);
        if (!fault.empty()) return "The pattern table " + place.string() + " is damaged: " + fault + ".";
        // The tables come from our own generator, so anything else, however plausible, is a
        // table of another version or a damaged one.
        if (TableHash(table, static_cast<size_t>(size)) != builtHash)
            return "The pattern table " + place.string() +
                   " does not match this version of the program: it is damaged or comes from another "
                   "version. Reinstall the game.";
        *readFrom = place.string();
        return {};
    }
    return "The pattern table " + std::string(name) + " was not found. Looked in: " + JoinPlaces(places) +
           ". Expected a file of " + std::to_string(size) + " bytes.";
}

}  // namespace

TableLoadResult LoadPatternTables(const std::filesystem::path& executableDir) {
    std::memset(g_blackTable, 0, sizeof g_blackTable);
    std::memset(g_whiteTable, 0, sizeof g_whiteTable);
    TableLoadResult result;
    std::string error = LoadOne("black.dat", g_blackTable, BLACK_TABLE_BYTES, BUILT_BLACK_TABLE_HASH,
                                executableDir, CheckBlack, &result.blackFile);
    if (error.empty())
        error = LoadOne("white.dat", g_whiteTable, WHITE_TABLE_BYTES, BUILT_WHITE_TABLE_HASH, executableDir,
                        CheckWhite, &result.whiteFile);
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
