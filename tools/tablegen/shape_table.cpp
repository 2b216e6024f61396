#include "tools/tablegen/shape_table.h"

#include <vector>

#include "engine/board.h"
#include "engine/patterns.h"

const ShapeRow SHAPE_VALUES[static_cast<int>(Shape::Count)] = {
    {Shape::Nothing, 0, "no stone near"},
    {Shape::Dead, 0, "no room for five"},
    {Shape::Lone, 1, "lone stone with room"},
    {Shape::ClosedTwo, 2, "closed two"},
    {Shape::SplitTwo, 3, "split two"},
    {Shape::OpenTwo, 4, "open two"},
    {Shape::ClosedThree, 5, "closed three"},
    // Two threes must reach 26 together, so that a double three is judged as a threat.
    {Shape::OpenThree, 13, "open three"},
    {Shape::Four, 18, "four"},
    {Shape::OpenFour, 36, "open four"},
    {Shape::Five, 127, "five"},
    // Negative: a forbidden point should rank low even before it is tested.
    {Shape::Overline, -128, "overline"},
    {Shape::TwoFoursLine, -20, "two fours on one line"},
};

namespace {

// Bit position of the cell at offset t (-5..-1, +1..+5) in a line index.
constexpr int Shift(int t) {
    return 2 * (9 - (t < 0 ? t + 5 : t + 4));
}
constexpr int CellAt(uint32_t index, int t) {
    return static_cast<int>(index >> Shift(t)) & 3;
}

}  // namespace

Shape ClassifyLine(uint32_t index, int own, bool restricted, const Shape* memo) {
    // Unrestricted tables never read the outermost cells, so their entries cannot depend on
    // them; restricted Black needs them to tell five from six.
    const int reach = restricted ? 5 : 4;

    int left = 0, right = 0;
    while (left < reach && CellAt(index, -(left + 1)) == own)
        ++left;
    while (right < reach && CellAt(index, right + 1) == own)
        ++right;
    const int run = left + right + 1;
    if (restricted) {
        if (run == 5) return Shape::Five;
        if (run > 5) return Shape::Overline;
    } else if (run >= 5) {
        return Shape::Five;
    }

    bool anyStone = false;
    for (int t = -reach; t <= reach; ++t) {
        const int c = t == 0 ? CELL_EMPTY : CellAt(index, t);
        if (c == CELL_BLACK || c == CELL_WHITE) anyStone = true;
    }
    if (!anyStone) return Shape::Nothing;

    bool room = false;
    for (int start = -4; start <= 0 && !room; ++start) {
        bool free = true;
        for (int t = start; t < start + 5; ++t) {
            const int c = t == 0 ? own : CellAt(index, t);
            if (c != CELL_EMPTY && c != own) free = false;
        }
        room = free;
    }
    if (!room) return Shape::Dead;

    // Every shape below is judged by what one more own stone at an empty point e makes;
    // that arrangement has a larger index, so its shape is already in memo.
    int completing = 0, firstCompleting = 0, lastCompleting = 0;
    bool toOpenFour = false, toFour = false, toOpenThree = false, toClosedThree = false;
    for (int e = -4; e <= 4; ++e) {
        if (e == 0 || CellAt(index, e) != CELL_EMPTY) continue;
        const Shape next = memo[index | (static_cast<uint32_t>(own) << Shift(e))];
        if (next == Shape::Five) {
            if (completing++ == 0) firstCompleting = e;
            lastCompleting = e;
        }
        toOpenFour |= next == Shape::OpenFour;
        toFour |= next == Shape::Four;
        toOpenThree |= next == Shape::OpenThree;
        toClosedThree |= next == Shape::ClosedThree;
    }
    if (completing == 1) return Shape::Four;
    if (completing > 1) {
        if (!restricted) return Shape::OpenFour;
        // Only the two ends of one straight four make an open four; with run 4 between them
        // the ends are five apart.
        if (completing == 2 && run == 4 && lastCompleting - firstCompleting == 5) return Shape::OpenFour;
        return Shape::TwoFoursLine;
    }
    if (toOpenFour) return Shape::OpenThree;
    if (toFour) return Shape::ClosedThree;
    if (toOpenThree) {
        const bool adjacent = CellAt(index, -1) == own || CellAt(index, 1) == own;
        return adjacent ? Shape::OpenTwo : Shape::SplitTwo;
    }
    if (toClosedThree) return Shape::ClosedTwo;
    return Shape::Lone;
}

namespace {

void BuildOne(int8_t* table, int own, bool restricted, std::vector<Shape>& memo) {
    // Adding a stone turns an empty cell (0) into a stone (2 or 3) and so raises the index:
    // going from the top down, every arrangement one stone richer is already known.
    for (int32_t i = LINE_INDEX_COUNT - 1; i >= 0; --i) {
        const Shape s = ClassifyLine(static_cast<uint32_t>(i), own, restricted, memo.data());
        memo[i] = s;
        table[i] = SHAPE_VALUES[static_cast<int>(s)].value;
    }
}

}  // namespace

void BuildPatternTables(int8_t* black, int8_t* white) {
    std::vector<Shape> memo(LINE_INDEX_COUNT);
    BuildOne(black, CELL_BLACK, false, memo);
    BuildOne(black + LINE_INDEX_COUNT, CELL_BLACK, true, memo);
    BuildOne(white, CELL_WHITE, false, memo);
}
