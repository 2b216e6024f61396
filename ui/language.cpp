#include "ui/language.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>
#include <memory>

#include "platform/data_files.h"

namespace {

constexpr char SETTINGS_KEY[] = "language";

// The translators in force; none while the texts are as written.
std::unique_ptr<QTranslator> s_game;
std::unique_ptr<QTranslator> s_qt;
Language s_current = Language::AS_WRITTEN;

const char* SettingsName(Language language) {
    switch (language) {
        case Language::ENGLISH:
            return "english";
        case Language::CHINESE:
            return "chinese";
        case Language::AS_WRITTEN:
            break;
    }
    return "as-written";
}

void Remove(std::unique_ptr<QTranslator>& translator) {
    if (!translator) return;
    QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

// The settings of the game: one file per user, ~/.config/renju/renju.conf on Linux.
QSettings Settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "renju", "renju");
}

}  // namespace

QString Tr(const char* text) {
    return QCoreApplication::translate(TR_CONTEXT, text);
}

Language LanguageForLocale(const QString& locale) {
    const QString name = locale.section('.', 0, 0).section('@', 0, 0);
    if (name.isEmpty() || name == "C" || name == "POSIX") return Language::AS_WRITTEN;
    if (name == "zh" || name.startsWith("zh_")) return Language::CHINESE;
    return Language::ENGLISH;
}

QString MessageLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty()) return value;
    }
    return "C";
}

QString TranslationFile(Language language) {
    switch (language) {
        case Language::ENGLISH:
            return "renju_en.qm";
        case Language::CHINESE:
            return "renju_zh_TW.qm";
        case Language::AS_WRITTEN:
            break;
    }
    return {};
}

bool SetLanguage(Language language) {
    Remove(s_game);
    Remove(s_qt);
    s_current = Language::AS_WRITTEN;
    if (language == Language::AS_WRITTEN) return true;

    const std::string name = QFile::encodeName(TranslationFile(language)).toStdString();
    const std::string programDir = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    auto game = std::make_unique<QTranslator>();
    bool loaded = false;
    for (const std::filesystem::path& place : DataFilePlaces(name, programDir)) {
        const QString path = QFile::decodeName(place.c_str());
        if (QFileInfo(path).isFile() && game->load(path)) {
            loaded = true;
            break;
        }
    }
    if (!loaded) return false;
    if (language == Language::CHINESE) {
        // Qt's own texts: the Yes, No and OK of message boxes.
        auto qt = std::make_unique<QTranslator>();
        if (qt->load("qtbase_zh_TW", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt.get());
            s_qt = std::move(qt);
        }
    }
    QCoreApplication::installTranslator(game.get());
    s_game = std::move(game);
    s_current = language;
    return true;
}

Language CurrentLanguage() {
    return s_current;
}

Language SavedLanguage() {
    const QString saved = Settings().value(SETTINGS_KEY).toString();
    for (const Language language : {Language::AS_WRITTEN, Language::ENGLISH, Language::CHINESE}) {
        if (saved == SettingsName(language)) return language;
    }
    return LanguageForLocale(MessageLocale());
}

void SaveLanguage(Language language) {
    QSettings settings = Settings();
    settings.setValue(SETTINGS_KEY, SettingsName(language));
    settings.sync();  // kept at once: a later crash or kill loses nothing
}
