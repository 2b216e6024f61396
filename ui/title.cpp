#include "ui/title.h"

#include <QtGlobal>
#include <cstdio>

#include "player/search.h"

namespace {

const char* const kColorNames[2] = {QT_TRANSLATE_NOOP("Renju", "White"), QT_TRANSLATE_NOOP("Renju", "Black")};

template <typename... Args>
std::string Format(const std::string& format, Args... args) {
    char text[256];
    std::snprintf(text, sizeof text, format.c_str(), args...);
    return text;
}

std::string Judgement(int32_t score, const TitleInputs& in, TextTranslator say) {
    if (in.level == 0 || in.moveCount <= 2 || score == SCORE_QUICK)
        return say(QT_TRANSLATE_NOOP("Renju", "Renju - quick response, "));
    const std::string name = say(kColorNames[in.titleColor != 0 ? 1 : 0]);
    if (score >= SCORE_WIN)
        return Format(say(QT_TRANSLATE_NOOP("Renju", "Renju - %swill lose, ")), name.c_str());
    if (score <= SCORE_LOSS)
        return Format(say(QT_TRANSLATE_NOOP("Renju", "Renju - %swill win, ")), name.c_str());
    // "Behined" is the game's own spelling, kept as players know it.
    if (score <= SCORE_EVEN)
        return Format(say(QT_TRANSLATE_NOOP("Renju", "Renju - %sAdvantage %d, ")), name.c_str(),
                      SCORE_EVEN - score);
    return Format(say(QT_TRANSLATE_NOOP("Renju", "Renju - %sBehined %d, ")), name.c_str(),
                  score - SCORE_EVEN);
}

std::string AsWritten(const char* text) {
    return text;
}

}  // namespace

std::string TitleText(int32_t score, const TitleInputs& in, TextTranslator translate) {
    const TextTranslator say = translate ? translate : &AsWritten;
    const std::string move = Format(say(QT_TRANSLATE_NOOP("Renju", "Move %d")), in.moveCount);
    std::string title = in.showInfo == 1
                            ? Judgement(score, in, say) + move + say(QT_TRANSLATE_NOOP("Renju", ", "))
                            : Format(say(QT_TRANSLATE_NOOP("Renju", "Renju - %s, ")), move.c_str());
    const int32_t t = in.moveCount < 2 ? 0 : in.thinkMillis;
    return title + Format(say(QT_TRANSLATE_NOOP("Renju", "Time %d.%02d")), t / 1000, (t % 1000) / 10);
}
