// The status line shown in the title bar: move number, the computer's thinking time and, when
// the information toggle is on, its judgement of the position from the human's side.
#pragma once

#include <cstdint>
#include <string>

struct TitleInputs {
    int32_t moveCount;
    int32_t level;        // 0 is Naive, which never searches
    int32_t titleColor;   // the human's colour: 1 Black, 0 White
    int32_t showInfo;     // 1: include the judgement
    int32_t thinkMillis;  // ignored while fewer than 2 moves are on the board
};

// Gives a text marked for translation in the language in force.
using TextTranslator = std::string (*)(const char* text);

// `score` is the computer's own score for its last move: the higher, the better for it. The
// texts are as written unless a translator is given.
std::string TitleText(int32_t score, const TitleInputs& in, TextTranslator translate = nullptr);
