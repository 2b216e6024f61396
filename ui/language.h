// The language of the game's texts. "As written" shows them as the game has always had them,
// English and Traditional Chinese mixed; "English" and "中文" (Traditional Chinese) show every
// text in one language, from the translation files made at build time.
#pragma once

#include <QString>
#include <QtGlobal>

enum class Language { AS_WRITTEN, ENGLISH, CHINESE };

// Every text marked for translation is in this one context: QT_TRANSLATE_NOOP("Renju", ...).
inline constexpr char TR_CONTEXT[] = "Renju";

// A marked text in the language in force.
QString Tr(const char* text);

// The language a locale name asks for: Chinese for any Chinese locale (zh_TW, zh_HK, ...), the
// texts as written for the C and POSIX locales, English for any other.
Language LanguageForLocale(const QString& locale);
// The desktop's locale for messages: LC_ALL, else LC_MESSAGES, else LANG; "C" when none is set.
QString MessageLocale();

// The game's translation file of a language ("renju_en.qm", "renju_zh_TW.qm"); empty for the
// texts as written. It is looked for where the help file is.
QString TranslationFile(Language language);

// Puts a language in force: its translations of the game's texts and of Qt's own (the buttons
// of message boxes). False when the game's translation file was not found; the texts are then
// as written.
bool SetLanguage(Language language);
Language CurrentLanguage();

// The language kept with the settings, or the locale's when none was chosen yet; and keeping
// the one chosen.
Language SavedLanguage();
void SaveLanguage(Language language);
