#include "ui/title.h"

#include <cstdio>

#include "player/search.h"

namespace {

const char* const kColorNames[2] = {"White", "Black"};

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

std::string Judgement(int32_t score, const TitleInputs& in) {
    if (in.level == 0 || in.moveCount <= 2 || score == SCORE_QUICK) return "Renju - quick response, ";
    const char* name = kColorNames[in.titleColor != 0 ? 1 : 0];
    if (score >= SCORE_WIN) return Format("Renju - %swill lose, ", name);
    if (score <= SCORE_LOSS) return Format("Renju - %swill win, ", name);
    // "Behined" is the game's own spelling, kept as players know it.
    if (score <= SCORE_EVEN) return Format("Renju - %sAdvantage %d, ", name, SCORE_EVEN - score);
    return Format("Renju - %sBehined %d, ", name, score - SCORE_EVEN);
}

}  // namespace

std::string TitleText(int32_t score, const TitleInputs& in) {
    const std::string move = Format("Move %d", in.moveCount);
    std::string title = in.showInfo == 1 ? Judgement(score, in) + move + ", " : "Renju - " + move + ", ";
    const int32_t t = in.moveCount < 2 ? 0 : in.thinkMillis;
    return title + Format("Time %d.%02d", t / 1000, (t % 1000) / 10);
}
