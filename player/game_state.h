// Settings and play-flow state shared by the computer player and the window. Written on the
// user-interface thread; a search worker reads them only while the window waits for it. The
// pondering thread runs while the human may change settings: what it reads of them is atomic.
#pragma once

#include <atomic>
#include <cstdint>

// Settings (menu), with their start-of-run defaults. The menu rule g_rule is in engine/board.h.
extern int32_t g_level;                    // 0 Naive .. 7 Quite slow 3, 8 Tournament; default 1
extern int32_t g_alternate;                // 1: each new game changes who starts; default 0
extern int32_t g_timeLimit;                // seconds per computer move; default 20
extern std::atomic<int32_t> g_searchMode;  // thinking display: 0 off, 1 root moves, 2 also deeper
extern std::atomic<int32_t> g_variety;     // 0 .. 2: margin of the root's random choice; default 1
extern int32_t g_showInfo;                 // 1: the title shows the computer's judgement; default 0

// Play flow.
extern int32_t g_humanBlack;      // 1 when the human plays Black in this game
extern int32_t g_titleColor;      // colour named in the title: the human's (1 Black, 0 White)
extern int32_t g_gameOver;        // 1 once the game has ended
extern int32_t g_humanWins;       // since start-up
extern int32_t g_computerWins;    // since start-up
extern uint32_t g_moveStartTick;  // tick at which the computer's turn began
extern int32_t g_thinkMillis;     // the computer's time for its last move
extern int32_t g_fifthA;          // international rule: the two fifth-move proposals
extern int32_t g_fifthB;          // (point indices)
extern int32_t g_fifthAPlaced;    // 1 once the first proposal is on the board

// Puts every setting and play-flow value back to its start-of-run default.
void ResetGameState();
