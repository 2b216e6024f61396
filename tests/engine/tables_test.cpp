// Every valid index of the three pattern tables against a plain classifier written here:
// place the stone, then read the runs along the line.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "engine/classes.h"
#include "engine/patterns.h"

namespace {

constexpr uint8_t CODE_EMPTY = 0, CODE_BORDER = 1, CODE_BLACK = 2, CODE_WHITE = 3;

// Slot i of a line holds offset i - 5, so the placed stone is in slot 5.
constexpr int CENTER = 5;
using Line = std::array<uint8_t, 11>;

// Offset -5 sits in bits 19-18, offset +5 in bits 1-0.
int ShiftOfSlot(int slot) {
    const int position = slot < CENTER ? slot : slot - 1;
    return 18 - 2 * position;
}

Line Decode(int32_t index, uint8_t own) {
    Line c{};
    for (int s = 0; s < 11; ++s) {
        c[s] = s == CENTER ? own : static_cast<uint8_t>((index >> ShiftOfSlot(s)) & 3);
    }
    return c;
}

int32_t Encode(const Line& c) {
    int32_t index = 0;
    for (int s = 0; s < 11; ++s) {
        if (s != CENTER) index |= static_cast<int32_t>(c[s]) << ShiftOfSlot(s);
    }
    return index;
}

// Border cells can only be one unbroken run from each end of the line.
bool IsValid(const Line& c) {
    int fromLeft = 0, fromRight = 0, borders = 0;
    while (fromLeft < CENTER && c[fromLeft] == CODE_BORDER)
        ++fromLeft;
    while (fromRight < CENTER && c[10 - fromRight] == CODE_BORDER)
        ++fromRight;
    for (uint8_t code : c)
        borders += code == CODE_BORDER;
    return borders == fromLeft + fromRight;
}

std::string Describe(const Line& c) {
    static const char symbol[4] = {'.', '|', 'X', 'O'};
    std::string s;
    for (int i = 0; i < 11; ++i) {
        if (i == CENTER)
            s += std::string("[") + symbol[c[i]] + "]";
        else
            s += symbol[c[i]];
    }
    return s;
}

// Inverse of Describe: five cells, the placed stone in brackets, five cells.
bool Parse(const std::string& text, Line* c) {
    if (text.size() != 13 || text[5] != '[' || text[7] != ']') return false;
    for (int i = 0; i < 11; ++i) {
        const char ch = text[i < CENTER ? i : i == CENTER ? 6 : i + 2];
        switch (ch) {
            case '.':
                (*c)[i] = CODE_EMPTY;
                break;
            case '|':
                (*c)[i] = CODE_BORDER;
                break;
            case 'X':
                (*c)[i] = CODE_BLACK;
                break;
            case 'O':
                (*c)[i] = CODE_WHITE;
                break;
            default:
                return false;
        }
    }
    return (*c)[CENTER] == CODE_BLACK || (*c)[CENTER] == CODE_WHITE;
}

// How one table half reads a line: its colour, whether Renju restrictions apply, and the
// slots it looks at (offsets -4..+4 without restrictions, all eleven with them).
struct Reading {
    uint8_t own;
    bool restricted;
    int lo, hi;
};
constexpr Reading UNRESTRICTED_BLACK{CODE_BLACK, false, 1, 9};
constexpr Reading RESTRICTED_BLACK{CODE_BLACK, true, 0, 10};
constexpr Reading WHITE{CODE_WHITE, false, 1, 9};

int RunThroughCenter(const Line& c, const Reading& r) {
    int left = CENTER, right = CENTER;
    while (left - 1 >= r.lo && c[left - 1] == r.own)
        --left;
    while (right + 1 <= r.hi && c[right + 1] == r.own)
        ++right;
    return right - left + 1;
}

bool IsFiveRun(int run, const Reading& r) {
    return r.restricted ? run == 5 : run >= 5;
}

// The class from fives and fours alone; CLASS_NONE when the line has neither.
int32_t FourClass(Line& c, const Reading& r) {
    const int run = RunThroughCenter(c, r);
    if (r.restricted && run >= 6) return CLASS_FORBIDDEN;
    if (IsFiveRun(run, r)) return CLASS_FIVE;
    int points[11], count = 0;
    for (int e = r.lo; e <= r.hi; ++e) {
        if (c[e] != CODE_EMPTY) continue;
        c[e] = r.own;
        if (IsFiveRun(RunThroughCenter(c, r), r)) points[count++] = e;
        c[e] = CODE_EMPTY;
    }
    if (count == 0) return CLASS_NONE;
    if (count == 1) return CLASS_FOUR;
    if (!r.restricted) return CLASS_OPEN_FOUR;
    // Under restrictions only a straight four may have two completing points.
    bool straight = count == 2 && points[1] - points[0] == 5;
    for (int s = points[0] + 1; straight && s < points[1]; ++s)
        straight = c[s] == r.own;
    return straight ? CLASS_OPEN_FOUR : CLASS_FORBIDDEN;
}

int32_t Classify(Line c, const Reading& r) {
    const int32_t k = FourClass(c, r);
    if (k != CLASS_NONE) return k;
    for (int e = r.lo; e <= r.hi; ++e) {
        if (c[e] != CODE_EMPTY) continue;
        c[e] = r.own;
        const bool makesOpenFour = FourClass(c, r) == CLASS_OPEN_FOUR;
        c[e] = CODE_EMPTY;
        if (makesOpenFour) return CLASS_THREE;
    }
    return CLASS_NONE;
}

// Some five cells within -4..+4 that include the point hold neither opponent nor border.
bool HasRoom(const Line& c, uint8_t own) {
    for (int start = 1; start <= CENTER; ++start) {
        bool free = true;
        for (int s = start; s < start + 5; ++s)
            free = free && (c[s] == CODE_EMPTY || c[s] == own);
        if (free) return true;
    }
    return false;
}

bool HasStoneAround(const Line& c, const Reading& r) {
    for (int s = r.lo; s <= r.hi; ++s) {
        if (s != CENTER && (c[s] == CODE_BLACK || c[s] == CODE_WHITE)) return true;
    }
    return false;
}

struct TableHalf {
    const char* name;
    const int8_t* values;
    Reading reading;
};

std::array<TableHalf, 3> TableHalves() {
    return {{{"unrestricted Black", g_blackTable, UNRESTRICTED_BLACK},
             {"restricted Black", g_blackTable + LINE_INDEX_COUNT, RESTRICTED_BLACK},
             {"White", g_whiteTable, WHITE}}};
}

// Counts failures of one kind and keeps the first few, readable, for the report.
class Failures {
public:
    explicit Failures(std::string what) : what_(std::move(what)) {}
    void Add(int32_t index, const Line& c, const std::string& detail) {
        if (++count_ > 6) return;
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%05x", static_cast<unsigned>(index));
        examples_ += std::string("\n  ") + hex + "  " + Describe(c) + "  " + detail;
    }
    int count() const { return count_; }
    std::string Report() const {
        return std::to_string(count_) + " indices: " + what_ + ", e.g." + examples_;
    }

private:
    std::string what_, examples_;
    int count_ = 0;
};

// The loading tests put other contents into the tables, so every suite reloads them.
class PatternTableTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_load = LoadPatternTables(RENJU_TABLE_DIR); }
    void SetUp() override {
        ASSERT_TRUE(s_load.ok) << "tables not loaded from " RENJU_TABLE_DIR ": " << s_load.message;
    }
    static TableLoadResult s_load;
};
TableLoadResult PatternTableTest::s_load;

TEST_F(PatternTableTest, EveryValidIndexMatchesTheClassifier) {
    for (const TableHalf& half : TableHalves()) {
        SCOPED_TRACE(half.name);
        Failures wrongClass("class differs from the classifier");
        Failures crampedNotZero("class 0 without room for a five, yet the value is not 0");
        Failures emptyNotZero("class 0 with no stone in the cells read, yet the value is not 0");
        Failures weakOutOfRange("class 0 with a value outside 0..9");
        int checked = 0;
        for (int32_t index = 0; index < LINE_INDEX_COUNT; ++index) {
            const Line c = Decode(index, half.reading.own);
            if (!IsValid(c)) continue;
            ++checked;
            const int32_t value = half.values[index];
            const int32_t expected = Classify(c, half.reading);
            const int32_t actual = ClassOfValue(value);
            const std::string detail = "value " + std::to_string(value) + " (class " +
                                       std::to_string(actual) + "), expected class " +
                                       std::to_string(expected);
            if (actual != expected) wrongClass.Add(index, c, detail);
            if (expected != CLASS_NONE) continue;
            if (!HasRoom(c, half.reading.own)) {
                if (value != 0) crampedNotZero.Add(index, c, detail);
            } else if (!HasStoneAround(c, half.reading)) {
                if (value != 0) emptyNotZero.Add(index, c, detail);
            } else if (value < 0 || value > 9) {
                weakOutOfRange.Add(index, c, detail);
            }
        }
        // 0..5 border cells from each end, each other cell empty, black or white: 364 squared.
        EXPECT_EQ(checked, 364 * 364);
        for (const Failures* f : {&wrongClass, &crampedNotZero, &emptyNotZero, &weakOutOfRange}) {
            EXPECT_EQ(f->count(), 0) << f->Report();
        }
    }
}

TEST_F(PatternTableTest, UnrestrictedValuesIgnoreTheOuterCells) {
    constexpr int32_t OUTER_BITS = (3 << 18) | 3;
    for (const TableHalf& half : TableHalves()) {
        if (half.reading.restricted) continue;
        SCOPED_TRACE(half.name);
        Failures differ("value changes with the cells at -5/+5");
        for (int32_t inner = 0; inner < LINE_INDEX_COUNT; inner += 4) {
            if (inner & OUTER_BITS) continue;
            int32_t first = -1;
            for (int32_t outer = 0; outer < 16; ++outer) {
                const int32_t index = inner | ((outer >> 2) << 18) | (outer & 3);
                const Line c = Decode(index, half.reading.own);
                if (!IsValid(c)) continue;
                if (first < 0) {
                    first = index;
                } else if (half.values[index] != half.values[first]) {
                    differ.Add(index, c,
                               "value " + std::to_string(half.values[index]) + ", but " +
                                   std::to_string(half.values[first]) + " at " +
                                   Describe(Decode(first, half.reading.own)));
                }
            }
        }
        EXPECT_EQ(differ.count(), 0) << differ.Report();
    }
}

// Known lines, checked both in the tables and in the classifier above, so that a fault in
// the classifier cannot hide behind the exhaustive comparison.
TEST_F(PatternTableTest, HandWrittenLines) {
    constexpr int32_t NOT_USED = -1;  // White has no restricted table
    struct Case {
        const char* line;
        int32_t unrestricted, restricted;
    };
    const Case cases[] = {
        // Overlines: a five when unrestricted; -5 counts only under restrictions.
        {"..XXX[X]XX...", CLASS_FIVE, CLASS_FORBIDDEN},
        {"XXXXX[X].....", CLASS_FIVE, CLASS_FORBIDDEN},
        {"XXXX.[X].....", CLASS_FOUR, CLASS_NONE},
        {"OXXXX[X].....", CLASS_FIVE, CLASS_FIVE},
        // Two fours on one line versus a straight four.
        {"..X.X[X]X.X..", CLASS_OPEN_FOUR, CLASS_FORBIDDEN},
        {"...XX[X]X....", CLASS_OPEN_FOUR, CLASS_OPEN_FOUR},
        {".X.XX[X]X....", CLASS_OPEN_FOUR, CLASS_FOUR},
        // Fours blocked by the opponent or the edge.
        {".OXXX[X].....", CLASS_FOUR, CLASS_FOUR},
        {"|||||[X]XXX..", CLASS_FOUR, CLASS_FOUR},
        // Threes: split, one point from the edge, against the edge, and one whose only
        // straight four would need an overline point under restrictions.
        {"....X[X].X...", CLASS_THREE, CLASS_THREE},
        {"||||.[X]XX...", CLASS_THREE, CLASS_THREE},
        {"|||||[X]XX...", CLASS_NONE, CLASS_NONE},
        {".X..X[X]X.O..", CLASS_THREE, CLASS_NONE},
        {"...OX[X]XO...", CLASS_NONE, CLASS_NONE},
        // White is never restricted.
        {"..OOO[O]OO...", CLASS_FIVE, NOT_USED},
        {"..O.O[O]O.O..", CLASS_OPEN_FOUR, NOT_USED},
        {"XOOO.[O]X....", CLASS_FOUR, NOT_USED},
        {"||||.[O]OO...", CLASS_THREE, NOT_USED},
        {"....X[O]OO.X.", CLASS_NONE, NOT_USED},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.line);
        Line c{};
        ASSERT_TRUE(Parse(k.line, &c));
        ASSERT_TRUE(IsValid(c));
        ASSERT_EQ(Describe(Decode(Encode(c), c[CENTER])), k.line);
        const int32_t index = Encode(c);
        const bool black = c[CENTER] == CODE_BLACK;
        const TableHalf halves[2] = {black ? TableHalf{"unrestricted", g_blackTable, UNRESTRICTED_BLACK}
                                           : TableHalf{"white", g_whiteTable, WHITE},
                                     {"restricted", g_blackTable + LINE_INDEX_COUNT, RESTRICTED_BLACK}};
        const int32_t expected[2] = {k.unrestricted, k.restricted};
        for (int h = 0; h < (black ? 2 : 1); ++h) {
            EXPECT_EQ(Classify(c, halves[h].reading), expected[h]) << halves[h].name << " classifier";
            EXPECT_EQ(ClassOfValue(halves[h].values[index]), expected[h])
                << halves[h].name << " table value " << int{halves[h].values[index]};
        }
    }
}

}  // namespace
