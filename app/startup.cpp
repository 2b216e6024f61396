#include "app/startup.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "engine/patterns.h"
#include "ui/board_view.h"
#include "ui/help.h"
#include "ui/interaction.h"
#include "ui/language.h"

void MessageBoxReporter::Critical(const QString& caption, const QString& text) {
    MakeMessageBox(nullptr, caption, text, MessageIcon::STOP, MessageButtons::OK)->exec();
}

void StderrReporter::Critical(const QString& caption, const QString& text) {
    std::fprintf(stderr, "%s: %s\n", caption.toLocal8Bit().constData(), text.toLocal8Bit().constData());
}

std::optional<std::vector<MoveEntry>> ParseMoves(const QString& text) {
    std::vector<MoveEntry> moves;
    bool taken[POINT_COUNT] = {};
    for (const QString& item : text.split(' ', Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(',');
        if (parts.size() != 2) return std::nullopt;
        bool okX = false, okY = false;
        const int x = parts[0].toInt(&okX), y = parts[1].toInt(&okY);
        if (!okX || !okY || !OnBoard(x, y) || taken[PointIndex(x, y)]) return std::nullopt;
        taken[PointIndex(x, y)] = true;
        moves.push_back({x, y});
    }
    return moves;
}

std::unique_ptr<CMainFrame> StartUp(const std::filesystem::path& exeDir, MessageReporter& reporter,
                                    const std::vector<MoveEntry>& moves, TableLoadResult* loaded) {
    auto frame = std::make_unique<CMainFrame>();
    const TableLoadResult tables = LoadPatternTables(exeDir);
    if (loaded) *loaded = tables;
    if (!tables.ok) {
        // Playing with empty tables would look like a working game that plays nonsense.
        reporter.Critical(Tr(QT_TRANSLATE_NOOP("Renju", "Renju")), QString::fromStdString(tables.message));
        return nullptr;
    }
    for (const MoveEntry& m : moves) {
        RecordPush(m.x, m.y);
        EnginePush(m.x, m.y);
    }
    frame->ShowAtStartSize();
    return frame;
}

namespace {

// Where start-up found the data files; false when the help file is missing.
bool PrintDataFiles(const TableLoadResult& tables, MessageReporter& reporter) {
    std::printf("black.dat: %s\nwhite.dat: %s\n", tables.blackFile.c_str(), tables.whiteFile.c_str());
    const QStringList places = HelpFileCandidates(HELP_FILE);
    for (const QString& place : places) {
        if (!QFileInfo(place).isFile()) continue;
        std::printf("%s: %s\n", HELP_FILE, QFile::encodeName(place).constData());
        return true;
    }
    reporter.Critical(Tr(QT_TRANSLATE_NOOP("Renju", "Renju")),
                      Tr(QT_TRANSLATE_NOOP("Renju", "The help file %1 was not found. Looked in: %2."))
                          .arg(HELP_FILE, places.join(", ")));
    return false;
}

}  // namespace

int RunGame(const std::filesystem::path& exeDir, MessageReporter& reporter, const StartOptions& options) {
    const std::unique_ptr<CMainFrame> frame = StartUp(exeDir, reporter, options.moves);
    if (!frame) return EXIT_FAILURE;
    if (!options.screenshotPath.isEmpty()) {
        QTimer::singleShot(0, frame.get(), [&frame, &options] {
            // grab() paints the window itself, so the picture does not depend on the screen.
            const bool saved = frame->grab().save(options.screenshotPath, "PNG");
            std::printf("%s\n", frame->windowTitle().toStdString().c_str());
            std::fflush(stdout);
            QCoreApplication::exit(saved ? EXIT_SUCCESS : EXIT_FAILURE);
        });
    }
    return QApplication::exec();
}

int CheckDataFiles(const std::filesystem::path& exeDir, MessageReporter& reporter) {
    const TableLoadResult tables = LoadPatternTables(exeDir);
    if (!tables.ok) {
        reporter.Critical(Tr(QT_TRANSLATE_NOOP("Renju", "Renju")), QString::fromStdString(tables.message));
        return EXIT_FAILURE;
    }
    return PrintDataFiles(tables, reporter) ? EXIT_SUCCESS : EXIT_FAILURE;
}
