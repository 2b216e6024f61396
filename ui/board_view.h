// The board window: draws the board, the stones of the game record, the last-move cross and
// the fifth-move rings, scaled to its size, and writes the status into the frame's title. It
// also runs the play flow: the human's clicks, the computer's answers, new game and undo.
//
// Drawing goes into a backing image the size of the window (in device pixels, so that the board
// stays sharp on a scaled screen), because the computer player draws between paints (its
// thinking display); a paint event shows that image and redraws it fully only after a resize or
// an Invalidate().
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "engine/board.h"
#include "player/display.h"
#include "records/game_record.h"

struct BoardGeometry {
    int left;        // x pixel of column 0
    int top;         // y pixel of row 0
    int right;       // x pixel of column 18
    int bottom;      // y pixel of row 18
    int cellWidth;   // dx
    int cellHeight;  // dy
};

// The grid line nearest to a pixel along one axis, given the pixel of line 0 and the spacing:
// -1 or 19 (or 20) when the pixel lies half a cell or more beyond the outer lines. Half-way
// between two lines gives the higher one.
int PointFromPixel(int pixel, int origin, int cell);

// The score box's text for the human's wins and losses since start-up.
QString ScoreText(int32_t wins, int32_t losses);

// The help file and the topic that teaches the game.
inline constexpr char HELP_FILE[] = "zelmar.hlp";
constexpr int HELP_TOPIC = 1001;
constexpr int HELP_TOPIC_CHINESE = 2001;  // the same in Traditional Chinese

class CBoardView : public QWidget, public BoardDisplay {
    Q_OBJECT

public:
    static constexpr QRgb BOARD_COLOR = 0xffc08000;  // red 192, green 128, blue 0
    static constexpr int MIN_CLIENT = 200;           // smaller windows show no board

    explicit CBoardView(QWidget* parent = nullptr);
    ~CBoardView() override;

    // BoardDisplay. Safe from any thread: calls from another thread wait in the window's own
    // queue, which the window's thread empties, in order, whenever it waits for the computer,
    // paints or draws; so every call a search made is on the board before the move it chose.
    void DrawStone(int x, int y, int colour) override;
    void ErasePoint(int x, int y) override;
    void DrawLastMoveMark() override;
    void UpdateTitle(int score) override;
    void SetWaitCursor(bool on) override;

    // Applies the drawing calls that other threads left in the queue. Window thread only.
    void ApplyQueuedDrawing();

    // Redraws everything into the backing image: grid, stones, cross, proposal rings, title.
    void OnPaint();
    // Makes the next paint event a full repaint.
    void Invalidate();

    // A left-button press at a pixel of the window: the human's move, a new game on an empty
    // board, or a fifth-move proposal; refusals beep.
    void OnLButtonDown(QPoint pixel);
    // Takes back n moves from the screen, the game record and the engine board.
    void UndoMoves(int n);

    // The window is closing: the computer's search is stopped now and at every wait until the
    // play flow has returned, and no message is shown any more.
    void StopForClose();
    bool Closing() const { return m_closing; }

    // Who starts the next game: 1 the human (as Black), 0 the computer.
    void SetHumanFirst(int humanFirst) { m_humanFirst = humanFirst; }

    const QImage& Image() const { return m_image; }
    BoardGeometry Geometry() const;
    bool BoardShown() const { return m_boardShown != 0; }
    int HumanFirst() const { return m_humanFirst; }
    int LastScore() const { return m_lastScore; }

    // Shows the position after the first k moves of the game, which are kept until a stone is
    // played there (review: Left, Right, Home, End).
    void ReviewTo(int k);
    bool Reviewing() const { return m_reviewing; }
    int ReviewLength() const;

    // A menu or key command (ids in ui/commands.h); false when the board window has no
    // handler for it, so that the frame may take it.
    bool OnCommand(int id);
    // The check mark of a menu item while its popup opens; nothing when the board window
    // has no update rule for it.
    std::optional<bool> OnUpdateCommand(int id) const;

public slots:
    // Starts a game under the rule and start chosen in the menu.
    void OnNewGame();
    // Takes back moves until it is the human's turn again, also after the end of a game.
    void OnUndo();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // A display call made on another thread, kept for the window's thread.
    struct QueuedCall {
        enum Kind { STONE, ERASE, MARK, TITLE, CURSOR } kind;
        int a = 0, b = 0, c = 0;
    };

    void StartPlayState();
    void Enqueue(const QueuedCall& call);
    void Apply(const QueuedCall& call);
    void DrawStoneNow(int x, int y, int colour);
    void ErasePointNow(int x, int y);
    void DrawLastMoveMarkNow();
    void UpdateTitleNow(int score);
    void SetWaitCursorNow(bool on);
    void OnScore();
    // Game records (ui/records.cpp).
    void OnSaveGame();
    void OnOpenGame();
    void OnCopyGame();
    void OnPasteGame();
    // Puts a record's game on the board, the human to move, after checking every move; a bad
    // record is refused with a message naming `source` and the game in play stays.
    bool LoadGame(const records::Game& game, const std::string& result, const QString& source);
    // The game that a save or copy keeps: the whole line while reviewing (ui/review.cpp).
    records::Game WholeGame(int32_t* over) const;
    void EndReview();
    void OnTimeLimit();
    bool OnOwnThread() const;
    QSize DeviceSize() const;  // the window's size in the screen's pixels
    void DrawGrid(QPainter& painter);
    void PaintStone(QPainter& painter, int x, int y, int colour);
    void PaintErase(QPainter& painter, int x, int y);
    void PaintLastMoveMark(QPainter& painter);
    void PaintPoint(int point, int colour, QPainter& painter);

    void NewGame();
    void PlayHumanMove(int x, int y);
    void ChooseFifthMove(int x, int y);
    void KeepComputerProposal(int pressed, int kept);
    void AnswerHumanProposals();

    int m_gridLeft = 0;
    int m_gridTop = 0;
    int m_gridRight = 0;
    int m_gridBottom = 0;
    int m_cellHeight = 0;
    int m_cellWidth = 0;
    int m_boardShown = 0;
    int m_humanFirst = 1;
    int m_lastScore = 0;

    QImage m_image;
    int m_markedPoint = -1;  // the point whose stone carries the cross in the image, or -1
    bool m_needsFullPaint = true;
    bool m_waitCursor = false;
    bool m_busy = false;  // a play-flow action runs: a click, new game or undo that comes now is not taken
    bool m_closing = false;
    bool m_reviewing = false;
    std::vector<MoveEntry> m_line;  // the game's moves while reviewing
    int32_t m_lineOver = 0;         // whether the game had ended at its last move

    const std::thread::id m_ownThread = std::this_thread::get_id();
    std::mutex m_queueMutex;  // guards m_queue, the one thing other threads touch
    std::vector<QueuedCall> m_queue;
};

// Applies the queued drawing of the one board window, if there is one. Window thread only.
void ApplyQueuedDrawing();
// Asks a running search to stop when the board window is closing. Window thread only.
void StopSearchIfClosing();
