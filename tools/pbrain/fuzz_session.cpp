// libFuzzer target: any bytes as protocol input must neither crash nor hang the session.
//
// The first byte chooses the player: odd, the tournament player at a small node limit, so that
// its search and its time arithmetic meet every time setting the input makes; even, the
// window's quick level, so that runs stay fast where only the parser is of interest.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/patterns.h"
#include "player/game_state.h"
#include "tools/pbrain/session.h"

namespace {

constexpr int64_t FUZZ_NODES = 2000;  // a few milliseconds a move

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool loaded = LoadPatternTables(RENJU_TABLE_DIR).ok;
    (void)loaded;
    pbrain::Session session([](const std::string& line) {
        if (line.empty() || line.find('\n') != std::string::npos || line.find('\r') != std::string::npos)
            __builtin_trap();  // every answer must be exactly one line
    });
    const bool strongPlayer = size > 0 && (data[0] & 1) != 0;
    if (strongPlayer) {
        session.SetMoveChooser([](int64_t budget) { return pbrain::ThinkStrong(budget, FUZZ_NODES); });
    } else {
        session.SetMoveChooser([](int64_t budget) {
            const int32_t level = g_level;
            g_level = 0;
            const MoveEntry m = pbrain::ThinkMove(budget);
            g_level = level;
            return m;
        });
    }
    if (size > 0) {
        ++data;
        --size;
    }
    session.Feed(std::string_view(reinterpret_cast<const char*>(data), size));
    session.EndOfInput();
    return 0;
}
