#include "player/game_state.h"

#include "player/display.h"

BoardDisplay* g_display = nullptr;

int32_t g_level = 1;
int32_t g_alternate = 0;
int32_t g_timeLimit = 20;
std::atomic<int32_t> g_searchMode{0};
std::atomic<int32_t> g_variety{1};
int32_t g_showInfo = 0;

int32_t g_humanBlack = 1;
int32_t g_titleColor = 1;
int32_t g_gameOver = 0;
int32_t g_humanWins = 0;
int32_t g_computerWins = 0;
uint32_t g_moveStartTick = 0;
int32_t g_thinkMillis = 0;
int32_t g_fifthA = 0;
int32_t g_fifthB = 0;
int32_t g_fifthAPlaced = 0;

void ResetGameState() {
    g_level = 1;
    g_alternate = 0;
    g_timeLimit = 20;
    g_searchMode = 0;
    g_variety = 1;
    g_showInfo = 0;
    g_humanBlack = 1;
    g_titleColor = 1;
    g_gameOver = 0;
    g_humanWins = 0;
    g_computerWins = 0;
    g_moveStartTick = 0;
    g_thinkMillis = 0;
    g_fifthA = 0;
    g_fifthB = 0;
    g_fifthAPlaced = 0;
}
