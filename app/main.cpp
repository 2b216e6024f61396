#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/app_icon.h"
#include "app/startup.h"
#include "ui/language.h"
#include "ui/wait.h"

namespace {

// The options that answer on the terminal: they must work where no display can be opened.
bool AnswersWithoutWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"-h", "-?", "--help", "--help-all", "-v", "--version", "--check-data"}) {
            if (std::strcmp(argv[i], option) == 0) return true;
        }
    }
    return false;
}

struct Options {
    QCommandLineOption moves{"moves", "Moves to put on the board, as \"x,y x,y ...\".", "moves"};
    QCommandLineOption screenshot{"screenshot", "Save a PNG of the window and quit.", "file"};
    QCommandLineOption checkData{"check-data",
                                 "Print where the pattern tables and the help file were found, and quit."};
};

}  // namespace

int main(int argc, char** argv) {
    const bool terminalOnly = AnswersWithoutWindow(argc, argv);
    std::unique_ptr<QCoreApplication> app;
    if (terminalOnly) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        app = std::make_unique<QApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName("Renju");
    QCoreApplication::setApplicationVersion(RENJU_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription("Renju: five in a row on a 19 x 19 board against the computer.");
    parser.addHelpOption();
    parser.addVersionOption();
    Options options;
    // For screenshots: not part of the game's interface.
    options.moves.setFlags(QCommandLineOption::HiddenFromHelp);
    options.screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({options.moves, options.screenshot, options.checkData});
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "renju: %s\n", parser.errorText().toLocal8Bit().constData());
        return EXIT_FAILURE;
    }
    if (parser.isSet("help") || parser.isSet("help-all")) {
        std::printf("%s", parser.helpText().toLocal8Bit().constData());
        return EXIT_SUCCESS;
    }
    if (parser.isSet("version")) {
        std::printf("renju %s\n", RENJU_VERSION);
        return EXIT_SUCCESS;
    }
    const std::filesystem::path exeDir = QCoreApplication::applicationDirPath().toStdString();
    if (parser.isSet(options.checkData)) {
        StderrReporter reporter;
        return CheckDataFiles(exeDir, reporter);
    }
    if (terminalOnly) return EXIT_FAILURE;  // not reached: every such option is answered above

    StartOptions start;
    if (parser.isSet(options.moves)) {
        const auto moves = ParseMoves(parser.value(options.moves));
        if (!moves) {
            std::fprintf(stderr, "renju: --moves wants distinct points \"x,y\" with x and y in 0..18\n");
            return EXIT_FAILURE;
        }
        start.moves = *moves;
    }
    start.screenshotPath = parser.value(options.screenshot);

    QApplication::setWindowIcon(MakeAppIcon());
    // The language chosen in Setup, else the desktop's; as written when its file is missing.
    SetLanguage(SavedLanguage());
    InstallWaitHook();
    MessageBoxReporter reporter;
    return RunGame(exeDir, reporter, start);
}
