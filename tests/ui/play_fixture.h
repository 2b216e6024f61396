// Fixture for the play-flow tests: a board window of 400 x 400 pixels and a scripted stand-in
// for the person at the screen.
#pragma once

#include <QDialog>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/board.h"
#include "tests/ui/view_fixture.h"
#include "ui/interaction.h"

struct ShownMessage {
    QString caption;
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
};

// Answers Yes/No boxes from a queue (No when it runs dry), runs each dialog through a scripted
// hand (OK at once unless told otherwise), counts beeps and records pauses without waiting.
class ScriptedInteraction : public Interaction {
public:
    MessageAnswer ShowMessage(QWidget* owner, const QString& caption, const QString& text, MessageIcon icon,
                              MessageButtons buttons) override;
    bool RunDialog(QDialog& dialog) override;
    QString ChooseRecordFile(QWidget*, bool) override { return recordFile; }
    void Beep() override { ++beeps; }
    void Pause(int millis) override { pauses.push_back(millis); }

    std::vector<ShownMessage> messages;
    std::deque<MessageAnswer> answers;
    std::function<void(QDialog&)> hand;  // must end the dialog, with OK or Cancel
    QString recordFile;                  // what the file chooser answers
    int dialogs = 0;
    int beeps = 0;
    std::vector<int> pauses;
};

class PlayTest : public ViewTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A left click on the centre of grid point (x, y).
    void Click(int x, int y);
    void Click(std::pair<int, int> point) { Click(point.first, point.second); }
    // A fresh window and game under the menu's rule and start; the random generator seeded.
    void NewWindow(int rule, int humanFirst, int level, unsigned seed = 1);

    ScriptedInteraction ui;
    std::unique_ptr<CBoardView> view;
};

// The engine board, its stack and the game record describe the same position. Stops the
// pondering thread first, which borrows the engine board.
void ExpectEngineMatchesRecord();

// A seed with which a new game under the international rule, the human having chosen the
// opening, lets the computer take Black (or keep White).
unsigned SeedForSwap(bool computerTakesBlack);

bool IsEmpty(int x, int y);
bool IsEmptyPoint(int point);

// The first empty point of a fixed list along the top and bottom edges, two columns apart:
// stones there never form a three, a four or a five, nor a forbidden shape. `skip` (a point
// index) is passed over.
std::pair<int, int> HarmlessPoint(int skip = -1);

// The eight texts with which a game ends in the computer's or the human's favour.
bool IsComputerWinText(const QString& text);
bool IsHumanWinText(const QString& text);

// Positions as diagrams of rows 5 .. 13 (BAND_TOP on): 'H' the human's stones, 'C' the
// computer's, '*' the human's next move; '+' is a stone of the computer's only when the
// computer plays Black, which then has one stone more.
constexpr int BAND_TOP = 5;
extern const std::vector<std::string> DOUBLE_THREE;   // '*' makes two open threes
extern const std::vector<std::string> DOUBLE_FOUR;    // '*' makes two fours
extern const std::vector<std::string> OVERLINE;       // '*' makes six in a row
extern const std::vector<std::string> HUMAN_FOUR;     // '*' makes exactly five
extern const std::vector<std::string> COMPUTER_FOUR;  // the computer holds an open four; no '*'

// A colouring of the whole board in which no line holds more than two stones of one colour
// in a row: Black holds 181 points, White 180.
bool BlackInFilling(int x, int y);

// Plays the points given, Black and White alternately, Black first.
void PlayAlternately(const std::vector<MoveEntry>& black, const std::vector<MoveEntry>& white);

// Sets up a diagram as a game in progress under the rule (boards reset, game not over), the
// human to move with the colour given; a long game first fills rows 1, 2, 16 and 17 (76 moves).
// Returns the point marked '*', or a harmless point when none is marked.
std::pair<int, int> SetUpPosition(int rule, int humanBlack, std::vector<std::string> rows,
                                  bool longGame = false);
