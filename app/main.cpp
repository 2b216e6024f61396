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
    // For installation checks: start up without a window to use, say where the data was found.
    QCommandLineOption checkOption("check-data",
                                   "Start up, print where the data files were found, and quit.");
    movesOption.setFlags(QCommandLineOption::HiddenFromHelp);
    screenshotOption.setFlags(QCommandLineOption::HiddenFromHelp);
    checkOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(movesOption);
    parser.addOption(screenshotOption);
    parser.addOption(checkOption);
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
    options.checkData = parser.isSet(checkOption);

    InstallWaitHook();
    MessageBoxReporter boxReporter;
    StderrReporter stderrReporter;
    MessageReporter& reporter =
        options.checkData ? static_cast<MessageReporter&>(stderrReporter) : boxReporter;
    return RunGame(QCoreApplication::applicationDirPath().toStdString(), reporter, options);
}
