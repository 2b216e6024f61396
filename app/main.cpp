#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "app/app_icon.h"
#include "app/startup.h"
#include "ui/wait.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Renju");
    QApplication::setWindowIcon(MakeAppIcon());

    // Developer options, for screenshots: not part of the game's interface.
    QCommandLineParser parser;
    QCommandLineOption movesOption("moves", "Moves to put on the board, as \"x,y x,y ...\".", "moves");
    QCommandLineOption screenshotOption("screenshot", "Save a PNG of the window and quit.", "file");
    movesOption.setFlags(QCommandLineOption::HiddenFromHelp);
    screenshotOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(movesOption);
    parser.addOption(screenshotOption);
    parser.process(app);

    StartOptions options;
    if (parser.isSet(movesOption)) {
        const auto moves = ParseMoves(parser.value(movesOption));
        if (!moves) {
            std::fprintf(stderr, "renju: --moves wants distinct points \"x,y\" with x and y in 0..18\n");
            return EXIT_FAILURE;
        }
        options.moves = *moves;
    }
    options.screenshotPath = parser.value(screenshotOption);

    InstallWaitHook();
    MessageBoxReporter reporter;
    return RunGame(QCoreApplication::applicationDirPath().toStdString(), reporter, options);
}
