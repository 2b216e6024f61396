// Start-up of the application: tables, the first showing of the frame, the exit status.
#include "app/startup.h"

#include <unistd.h>

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/patterns.h"
#include "player/game_state.h"
#include "tests/ui/view_fixture.h"

namespace fs = std::filesystem;

namespace {

class RecordingReporter : public MessageReporter {
public:
    void Critical(const QString& caption, const QString& text) override {
        captions.push_back(caption);
        texts.push_back(text);
    }
    std::vector<QString> captions;
    std::vector<QString> texts;
};

// Runs in an empty working folder, so that only the folder given as the executable's is searched.
class StartUpTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        saved_ = fs::current_path();
        root_ = fs::temp_directory_path() / ("renju-startup-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "exe");
        fs::current_path(root_);
    }
    void TearDown() override {
        fs::current_path(saved_);
        fs::remove_all(root_);
        LoadPatternTables(RENJU_TABLE_DIR);
    }
    fs::path saved_, root_;
};

TEST_F(StartUpTest, FrameHasTheTitleAndTheMenus) {
    CMainFrame frame;
    EXPECT_EQ(frame.windowTitle(), "Renju");
    EXPECT_EQ(frame.centralWidget(), frame.View());
    std::vector<QString> captions;
    for (QAction* action : frame.menuBar()->actions())
        captions.push_back(action->text());
    EXPECT_EQ(captions,
              (std::vector<QString>{"File(&F)", "Edit(&E)", "Instructions(&I)", "Setup(&S)", "Help(&H)"}));
}

// The game commands: new game (F2) and undo (U), from the menu and the keys.
TEST_F(StartUpTest, InstructionsMenuStartsAGameAndTakesMovesBack) {
    CMainFrame frame;
    frame.View()->SetHumanFirst(0);
    QMenu* game = frame.menuBar()->actions()[2]->menu();
    ASSERT_NE(game, nullptr);
    const QList<QAction*> items = game->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), "Start new game(F2)");
    EXPECT_EQ(items[1]->text(), "Undo(&U)");
    items[0]->trigger();
    EXPECT_EQ(g_moveCount, 1);
    items[1]->trigger();
    EXPECT_EQ(g_moveCount, 0);

    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_F2);
    EXPECT_EQ(g_moveCount, 1);
    QTest::keyClick(&frame, Qt::Key_U, Qt::ShiftModifier);  // not undo
    EXPECT_EQ(g_moveCount, 1);
    QTest::keyClick(&frame, Qt::Key_U);
    EXPECT_EQ(g_moveCount, 0);
}

TEST_F(StartUpTest, MissingTablesAreReportedAndTheProgramFails) {
    RecordingReporter reporter;
    EXPECT_EQ(StartUp(root_ / "exe", reporter), nullptr);
    ASSERT_EQ(reporter.texts.size(), 1u);
    EXPECT_EQ(reporter.captions[0], "Renju");
    EXPECT_TRUE(reporter.texts[0].contains("black.dat")) << reporter.texts[0].toStdString();
    EXPECT_TRUE(reporter.texts[0].contains(QString::fromStdString((root_ / "exe").string())));
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible());

    // A short white.dat beside a good black.dat is named too.
    fs::copy_file(fs::path(RENJU_TABLE_DIR) / "black.dat", root_ / "exe" / "black.dat");
    QFile white(QString::fromStdString((root_ / "exe" / "white.dat").string()));
    ASSERT_TRUE(white.open(QIODevice::WriteOnly));
    white.write(QByteArray(1000, '\0'));
    white.close();
    RecordingReporter second;
    EXPECT_EQ(RunGame(root_ / "exe", second, {}), EXIT_FAILURE);
    ASSERT_EQ(second.texts.size(), 1u);
    EXPECT_TRUE(second.texts[0].contains("white.dat")) << second.texts[0].toStdString();
}

TEST_F(StartUpTest, WithTablesTheFrameShowsTheBoard) {
    RecordingReporter reporter;
    const std::vector<MoveEntry> moves = {{9, 9}, {10, 10}, {9, 10}};
    const auto frame = StartUp(RENJU_TABLE_DIR, reporter, moves);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(reporter.texts.empty());
    EXPECT_TRUE(std::any_of(g_blackTable, g_blackTable + BLACK_TABLE_BYTES, [](int8_t b) { return b != 0; }));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    QCoreApplication::processEvents();

    EXPECT_EQ(frame->frameGeometry().size(), QSize(380, 410));
    CBoardView* view = frame->View();
    EXPECT_EQ(view->width(), frame->width());
    EXPECT_EQ(view->height(), frame->height() - frame->menuBar()->height());
    EXPECT_TRUE(view->BoardShown());
    EXPECT_EQ(view->Image().size(), view->size());
    EXPECT_EQ(PixelAt(*view, Centre(*view, 4, 4) + QPoint(3, 3)), kBoardRgb);
    EXPECT_EQ(PixelAt(*view, Centre(*view, 10, 10)), kWhiteRgb);
    EXPECT_EQ(PixelAt(*view, Centre(*view, 9, 10)), kWhiteRgb);  // the last move's cross
    EXPECT_EQ(g_stackCount, 3);
    EXPECT_EQ(frame->windowTitle(), "Renju - Move 3, Time 0.00");
    EXPECT_EQ(g_display, view);
}

TEST_F(StartUpTest, ScreenshotOptionSavesThePaintedWindowAndExits) {
    RecordingReporter reporter;
    StartOptions options;
    options.moves = {{9, 9}};
    options.screenshotPath = QString::fromStdString((root_ / "shot.png").string());
    ASSERT_EQ(RunGame(RENJU_TABLE_DIR, reporter, options), EXIT_SUCCESS);
    QImage shot(options.screenshotPath);
    ASSERT_FALSE(shot.isNull());
    // The inside of the 380 x 410 window, mostly board.
    EXPECT_LE(shot.width(), 380);
    EXPECT_GE(shot.width(), 360);
    EXPECT_LE(shot.height(), 410);
    EXPECT_GE(shot.height(), 380);
    int board = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            board += (shot.pixel(x, y) & 0xffffff) == kBoardRgb;
    EXPECT_GT(board, shot.width() * shot.height() / 2);
}

TEST(ParseMoves, AcceptsDistinctPointsOnTheBoard) {
    struct Case {
        const char* text;
        std::optional<std::vector<std::pair<int, int>>> moves;
    };
    const std::vector<Case> cases = {
        {"9,9 10,10 9,10", std::vector<std::pair<int, int>>{{9, 9}, {10, 10}, {9, 10}}},
        {"  0,0   18,18 ", std::vector<std::pair<int, int>>{{0, 0}, {18, 18}}},
        {"", std::vector<std::pair<int, int>>{}},
        {"9,19", std::nullopt},
        {"-1,3", std::nullopt},
        {"9,9 9,9", std::nullopt},
        {"9;9", std::nullopt},
        {"9,9,9", std::nullopt},
        {"a,b", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseMoves(c.text);
        ASSERT_EQ(parsed.has_value(), c.moves.has_value()) << c.text;
        if (!parsed) continue;
        std::vector<std::pair<int, int>> got;
        for (const MoveEntry& m : *parsed)
            got.push_back({m.x, m.y});
        EXPECT_EQ(got, *c.moves) << c.text;
    }
}

}  // namespace
