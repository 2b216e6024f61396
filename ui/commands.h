// Command ids of the menu items and keys. The frame offers each command to the board window
// first, then handles what is left itself or passes it to the application.
#pragma once

namespace cmd {

// Board window.
constexpr int NEW_GAME = 32771;
constexpr int UNDO = 32772;
constexpr int LEVEL_BASIC = 32773;
constexpr int LEVEL_NORMAL = 32774;
constexpr int LEVEL_ADVANCED = 32775;
constexpr int LEVEL_MASTER = 32776;
constexpr int COMPUTER_START = 32777;
constexpr int HUMAN_START = 32778;
constexpr int LEVEL_NAIVE = 32779;
constexpr int LEVEL_SLOW1 = 32780;
constexpr int SEARCH_MODE = 32781;  // Ctrl+M
constexpr int VARIETY = 32782;      // no menu item, no key
constexpr int RULE_BASIC = 32783;
constexpr int RULE_JAPAN = 32784;
constexpr int RULE_INTERNATIONAL = 32785;
constexpr int TIME_LIMIT = 32786;
constexpr int SHOW_INFO = 32788;  // Ctrl+I
constexpr int LEVEL_SLOW2 = 32789;
constexpr int LEVEL_SLOW3 = 32790;
constexpr int ALTERNATE = 32791;
constexpr int SCORE = 32792;
constexpr int LEVEL_TOURNAMENT = 32793;
constexpr int HELP = 57670;
constexpr int SAVE_GAME = 32797;       // Ctrl+S
constexpr int OPEN_GAME = 32798;       // Ctrl+O
constexpr int COPY_GAME = 32799;       // no key: Ctrl+C stays the editing key that does nothing
constexpr int PASTE_GAME = 32800;      // no key, as Copy game
constexpr int REVIEW_BACK = 32801;     // Left
constexpr int REVIEW_FORWARD = 32802;  // Right
constexpr int REVIEW_START = 32803;    // Home
constexpr int REVIEW_END = 32804;      // End

// Application.
constexpr int ABOUT = 57664;
constexpr int EXIT = 57665;
constexpr int LANGUAGE_AS_WRITTEN = 32794;
constexpr int LANGUAGE_ENGLISH = 32795;
constexpr int LANGUAGE_CHINESE = 32796;

// Standard editing and pane commands: keys send them, nothing handles them.
constexpr int COPY = 57634;
constexpr int CUT = 57635;
constexpr int PASTE = 57637;
constexpr int EDIT_UNDO = 57643;
constexpr int CONTEXT_HELP = 57669;
constexpr int NEXT_PANE = 57680;
constexpr int PREV_PANE = 57681;

// The level commands in menu order; the index is the level.
constexpr int LEVELS[8] = {LEVEL_NAIVE,  LEVEL_BASIC, LEVEL_NORMAL, LEVEL_ADVANCED,
                           LEVEL_MASTER, LEVEL_SLOW1, LEVEL_SLOW2,  LEVEL_SLOW3};

}  // namespace cmd
