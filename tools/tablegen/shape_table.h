// Builds the pattern tables: the value of placing a stone on a point, for every arrangement
// of the ten cells around it on one line.
#pragma once

#include <cstdint>

enum class Shape : uint8_t {
    Nothing,       // no stone near the point: must stay 0, the point may never be looked up
    Dead,          // no five through the point is possible on this line any more
    Lone,          // no own stone to build with, but room for five
    ClosedTwo,     // one more stone makes a closed three
    SplitTwo,      // one more stone makes an open three; the own stones are not adjacent
    OpenTwo,       // one more stone makes an open three
    ClosedThree,   // one more stone makes a four
    OpenThree,     // one more stone makes an open four
    Four,          // one point completes a five
    OpenFour,      // two points complete a five (restricted Black: both ends of one straight four)
    Five,          // a five (restricted Black: exactly five)
    Overline,      // restricted Black: six or more
    TwoFoursLine,  // restricted Black: two separate fours on one line
    Count,
};

struct ShapeRow {
    Shape shape;
    int8_t value;
    const char* name;
};

// The value of every shape, in Shape order. Decisive shapes must stay inside their class
// ranges (five 127, open four 30..47, four 16..22, open three 10..15, forbidden -128 or -20);
// weak shapes stay in 0..9 and rank stronger shapes higher.
extern const ShapeRow SHAPE_VALUES[static_cast<int>(Shape::Count)];

// Shape of one table entry. `own` is CELL_BLACK or CELL_WHITE; `restricted` gives the exact
// five of Black under restrictions and reads the two outermost cells, otherwise only the
// inner eight are read. `memo` holds the shapes of all larger indices (filled high to low).
Shape ClassifyLine(uint32_t index, int own, bool restricted, const Shape* memo);

// black: 2 x 2^20 bytes (unrestricted half, restricted half); white: 2^20 bytes.
void BuildPatternTables(int8_t* black, int8_t* white);
