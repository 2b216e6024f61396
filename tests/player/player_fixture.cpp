#include "tests/player/player_fixture.h"

#include "platform/random.h"
#include "player/game_state.h"
#include "player/levels.h"
#include "player/search.h"

void PlayerTest::SetUp() {
    EngineTest::SetUp();
    ResetGameState();
    g_stopSearch = 0;
    g_ponderRunning = 0;
    g_extensionCount = 0;
    g_searchWidth = g_searchDepth = g_extensionLimit = 0;
    for (int k = 0; k < 3; ++k)
        g_varietyMargin[k] = VARIETY_BASE[k];
    g_display = nullptr;
    SeedRandom(1);
}

void PlayerTest::TearDown() {
    g_display = nullptr;
}
