// Game records in the window: saved games open as they were, copied games paste back, and a
// bad record is refused with a message while the game in play stays.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstring>
#include <vector>

#include "engine/board.h"
#include "player/game_state.h"
#include "player/threads.h"
#include "tests/ui/play_fixture.h"
#include "ui/commands.h"

namespace {

struct Snapshot {
    std::vector<uint8_t> engine, record;
    std::vector<std::pair<int, int>> moves;
    int32_t gameOver, humanBlack, gameRule;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take() {
    StopPondering();
    Snapshot s{{g_board, g_board + BOARD_CELLS},
               {g_gameBoard, g_gameBoard + BOARD_CELLS},
               {},
               g_gameOver,
               g_humanBlack,
               g_gameRule};
    for (int i = 0; i < g_moveCount; ++i)
        s.moves.emplace_back(g_moves[i].x, g_moves[i].y);
    return s;
}

class RecordsTest : public PlayTest {
protected:
    QString PathOf(const char* name) const { return dir.filePath(name); }

    void Write(const char* name, const QByteArray& bytes) {
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray Read(const char* name) {
        QFile file(PathOf(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    void Save(const char* name) {
        ui.recordFile = PathOf(name);
        view->OnCommand(cmd::SAVE_GAME);
    }

    void Open(const char* name) {
        ui.recordFile = PathOf(name);
        view->OnCommand(cmd::OPEN_GAME);
    }

    QTemporaryDir dir;
};

TEST_F(RecordsTest, ASavedGameOpensAsItWasWithTheHumanToMove) {
    NewWindow(1, 1, 1);
    Click(9, 9);
    Click(HarmlessPoint());
    ASSERT_EQ(g_moveCount, 4);
    const Snapshot played = Take();
    Save("game.psq");
    EXPECT_TRUE(Read("game.psq").startsWith("Piskvorky 19x19, 0:0, 0\n"));
    EXPECT_TRUE(Read("game.psq").contains("Rule: 4 renju\n"));
    EXPECT_FALSE(Read("game.psq").contains("Result"));

    NewWindow(0, 0, 1);
    view->OnNewGame();
    Open("game.psq");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Take(), played);
    ExpectEngineMatchesRecord();
    // The human moves on from there and the computer answers.
    Click(HarmlessPoint());
    StopPondering();
    EXPECT_EQ(g_moveCount, 6);
}

TEST_F(RecordsTest, AFinishedGameKeepsItsResult) {
    const std::pair<int, int> forbidden = SetUpPosition(1, 1, DOUBLE_THREE);
    Click(forbidden);
    ASSERT_EQ(g_gameOver, 1);
    const Snapshot lost = Take();
    Save("lost.psq");
    EXPECT_TRUE(Read("lost.psq").endsWith("Result: white wins\n")) << Read("lost.psq").toStdString();

    NewWindow(0, 1, 1);
    Open("lost.psq");
    EXPECT_EQ(ui.messages.size(), 1u) << "only the forbidden move's own message";
    Snapshot opened = Take();
    EXPECT_EQ(opened.gameOver, 1);
    EXPECT_EQ(opened.gameRule, 1);
    EXPECT_EQ(opened.moves, lost.moves);
    EXPECT_EQ(opened.record, lost.record);
    const int beeps = ui.beeps;
    Click(HarmlessPoint());
    EXPECT_EQ(ui.beeps, beeps + 1) << "a finished game takes no more stones";
}

TEST_F(RecordsTest, BadRecordsAreRefusedAndTheGameInPlayStays) {
    const struct {
        const char* name;
        QByteArray bytes;
        const char* named;  // in the message besides the file's name
    } cases[] = {
        {"cut.psq", "Piskvorky 19x19, 0:0, 0\n10,10,0\n1,1,0\nRule: 0 free\nResult: black wins\n",
         "black wins"},
        {"off.psq", "Piskvorky 19x19, 0:0, 0\n10,10,0\n20,1,0\n", "20,1,0"},
        {"stone.psq", "Piskvorky 19x19, 0:0, 0\n10,10,0\n1,1,0\n10,10,0\n", "move 3 (j10) is on a stone"},
        {"size.psq", "Piskvorky 15x15, 0:0, 0\n8,8,0\n", "15x15"},
        {"binary.psq", QByteArray("Piskvorky 19x19\0\x01\xff", 18), "not text"},
        {"missing.psq", {}, "missing.psq"},
    };
    NewWindow(1, 1, 1);
    Click(9, 9);
    const Snapshot before = Take();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::strcmp(c.name, "missing.psq") != 0) Write(c.name, c.bytes);
        ui.messages.clear();
        Open(c.name);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(ui.messages[0].text.contains(c.name)) << ui.messages[0].text.toStdString();
        EXPECT_TRUE(ui.messages[0].text.contains(c.named)) << ui.messages[0].text.toStdString();
        EXPECT_EQ(Take(), before);
        ExpectEngineMatchesRecord();
    }
}

TEST_F(RecordsTest, ACopiedGamePastesBackAndAForbiddenMoveIsNamed) {
    const std::pair<int, int> forbidden = SetUpPosition(1, 1, DOUBLE_THREE);
    view->OnCommand(cmd::COPY_GAME);
    const QString list = QGuiApplication::clipboard()->text();
    ASSERT_FALSE(list.isEmpty());
    const Snapshot position = Take();
    const QString withForbidden =
        list + " " + QChar('a' + forbidden.first) + QString::number(BOARD_SIZE - forbidden.second);

    NewWindow(1, 1, 1);
    Click(9, 9);
    const Snapshot inPlay = Take();
    QGuiApplication::clipboard()->setText(withForbidden);
    ui.messages.clear();
    view->OnCommand(cmd::PASTE_GAME);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.contains("forbidden to Black: double three"))
        << ui.messages[0].text.toStdString();
    EXPECT_EQ(Take(), inPlay);
    // Without the forbidden move the list pastes as the position it was copied from.
    QGuiApplication::clipboard()->setText(list);
    view->OnCommand(cmd::PASTE_GAME);
    EXPECT_EQ(Take().moves, position.moves);
    EXPECT_EQ(Take().record, position.record);
    EXPECT_EQ(g_humanBlack, 1);
    ExpectEngineMatchesRecord();
}

}  // namespace
