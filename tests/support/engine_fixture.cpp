#include "tests/support/engine_fixture.h"

#include <algorithm>
#include <cstring>

#include "engine/patterns.h"
#include "engine/values.h"

void EngineTest::SetUpTestSuite() {
    static const bool loaded = LoadPatternTables(RENJU_TABLE_DIR).ok;
    ASSERT_TRUE(loaded) << "pattern tables not found in " RENJU_TABLE_DIR;
}

void EngineTest::SetUp() {
    ResetWithRule(0);
}

void EngineTest::ResetWithRule(int rule) {
    g_rule = rule;
    ResetBoards();
}

void SetPosition(const std::vector<std::string>& rows, int left, int top) {
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const char ch = rows[r][c];
            const uint8_t code = ch == 'X' ? CELL_BLACK : ch == 'O' ? CELL_WHITE : CELL_EMPTY;
            const int x = left + static_cast<int>(c), y = top + static_cast<int>(r);
            g_board[CellIndex(x, y)] = code;
            g_gameBoard[CellIndex(x, y)] = code;
        }
    }
    StoreValues(RecomputedValues());
}

void PlayMoves(const std::string& moves) {
    size_t at = 0;
    while (at < moves.size()) {
        const size_t end = std::min(moves.find(' ', at), moves.size());
        const std::string move = moves.substr(at, end - at);
        at = end + 1;
        if (move.empty()) continue;
        const int x = std::stoi(move), y = std::stoi(move.substr(move.find(',') + 1));
        RecordPush(x, y);
        EnginePush(x, y);
    }
}

void PlayDiagram(const std::vector<std::string>& rows, int left, int top) {
    std::vector<MoveEntry> black, white;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const MoveEntry m{left + static_cast<int>(c), top + static_cast<int>(r)};
            if (rows[r][c] == 'X') black.push_back(m);
            if (rows[r][c] == 'O') white.push_back(m);
        }
    }
    ASSERT_TRUE(black.size() == white.size() || black.size() == white.size() + 1)
        << black.size() << " black and " << white.size() << " white stones";
    for (size_t i = 0; i < black.size(); ++i) {
        RecordPush(black[i].x, black[i].y);
        EnginePush(black[i].x, black[i].y);
        if (i < white.size()) {
            RecordPush(white[i].x, white[i].y);
            EnginePush(white[i].x, white[i].y);
        }
    }
}

std::pair<int, int> MarkedPoint(const std::vector<std::string>& rows, int left, int top) {
    for (size_t r = 0; r < rows.size(); ++r) {
        const size_t c = rows[r].find('*');
        if (c != std::string::npos) return {left + static_cast<int>(c), top + static_cast<int>(r)};
    }
    ADD_FAILURE() << "diagram without '*'";
    return {0, 0};
}

ValueSnapshot RecomputedValues() {
    ValueSnapshot v{};
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            if (g_board[CellIndex(x, y)] != CELL_EMPTY) continue;
            const int p = PointIndex(x, y);
            for (int d = 0; d < 4; ++d) {
                const int32_t index = LineIndex(x, y, d);
                v.blackLine[p][d] = g_blackTable[g_restricted * LINE_INDEX_COUNT + index];
                v.whiteLine[p][d] = g_whiteTable[index];
                v.blackValue[p] += v.blackLine[p][d];
                v.whiteValue[p] += v.whiteLine[p][d];
            }
        }
    }
    return v;
}

ValueSnapshot CurrentValues() {
    ValueSnapshot v;
    std::memcpy(v.blackLine, g_blackLine, sizeof v.blackLine);
    std::memcpy(v.whiteLine, g_whiteLine, sizeof v.whiteLine);
    std::memcpy(v.blackValue, g_blackValue, sizeof v.blackValue);
    std::memcpy(v.whiteValue, g_whiteValue, sizeof v.whiteValue);
    return v;
}

void StoreValues(const ValueSnapshot& v) {
    std::memcpy(g_blackLine, v.blackLine, sizeof v.blackLine);
    std::memcpy(g_whiteLine, v.whiteLine, sizeof v.whiteLine);
    std::memcpy(g_blackValue, v.blackValue, sizeof v.blackValue);
    std::memcpy(g_whiteValue, v.whiteValue, sizeof v.whiteValue);
    RebuildKeptState();
}

EngineSnapshot TakeEngineSnapshot() {
    EngineSnapshot s;
    s.board.assign(g_board, g_board + BOARD_CELLS);
    for (int i = 0; i < g_stackCount; ++i) {
        s.stack.push_back(g_stack[i].x);
        s.stack.push_back(g_stack[i].y);
    }
    s.stackCount = g_stackCount;
    s.values = CurrentValues();
    return s;
}
