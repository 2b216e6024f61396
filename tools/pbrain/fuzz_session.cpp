// libFuzzer target: any bytes as protocol input must neither crash nor hang the session.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/patterns.h"
#include "player/game_state.h"
#include "tools/pbrain/session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool loaded = LoadPatternTables(RENJU_TABLE_DIR).ok;
    (void)loaded;
    pbrain::Session session([](const std::string& line) {
        if (line.empty() || line.find('\n') != std::string::npos || line.find('\r') != std::string::npos)
            __builtin_trap();  // every answer must be exactly one line
    });
    // The parser is under test, not the search: the engine's own choice at the quick level.
    session.SetMoveChooser([](int64_t budget) {
        const int32_t level = g_level;
        g_level = 0;
        const MoveEntry m = pbrain::ThinkMove(budget);
        g_level = level;
        return m;
    });
    session.Feed(std::string_view(reinterpret_cast<const char*>(data), size));
    session.EndOfInput();
    return 0;
}
