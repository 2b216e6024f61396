// The engine side of the tournament protocol: text lines in, text lines out. The session owns
// the engine's global boards while it lives; only one may exist at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/board.h"

namespace strong {
struct ThinkResult;
}

namespace pbrain {

constexpr int MIN_SIZE = 5;
constexpr int MAX_LINE = 4096;  // longer lines are refused, so input cannot grow memory
// INFO renju_level: 0 .. 7 the eight levels of the window, 8 the tournament player (default).
constexpr int STRONG_LEVEL = 8;

// Picks a move for the side to move on the engine board, given the time it may take.
using MoveChooser = std::function<MoveEntry(int64_t budgetMillis)>;

// Cuts a byte stream into lines at CR, LF or CR LF (one line end, even when split between two
// calls). A line longer than MAX_LINE is dropped: `tooLong` is called once, when it passes the
// limit, and the rest of it is skipped up to its line end.
class LineSplitter {
public:
    template <typename OnLine, typename OnTooLong>
    void Feed(std::string_view bytes, OnLine&& onLine, OnTooLong&& tooLong) {
        for (const char c : bytes) {
            const bool lfAfterCr = c == '\n' && afterCr_;
            afterCr_ = c == '\r';
            if (lfAfterCr) continue;
            if (c == '\n' || c == '\r') {
                if (!discarding_) onLine(std::string_view(pending_));
                discarding_ = false;
                pending_.clear();
            } else if (!discarding_) {
                pending_ += c;
                if (pending_.size() > static_cast<size_t>(MAX_LINE)) {
                    discarding_ = true;
                    pending_.clear();
                    tooLong();
                }
            }
        }
    }
    // The start of a line whose end has not come yet.
    std::string_view Pending() const { return pending_; }
    void Clear() {
        pending_.clear();
        discarding_ = false;
    }

private:
    std::string pending_;
    bool discarding_ = false;  // inside a line that was too long
    bool afterCr_ = false;     // the last byte was CR: an LF now ends no further line
};

// Whether a line is the END command, which ends the session wherever it comes.
bool IsEndLine(std::string_view line);

class Session {
public:
    using Output = std::function<void(const std::string&)>;

    // tablesError: why the pattern tables could not be loaded, empty when they were.
    Session(Output out, std::string tablesError = {});

    // Bytes as they arrive; complete lines are handled at once, the rest kept for later.
    void Feed(std::string_view bytes);
    // Input was dropped here because more than `bound` bytes waited: the line it cut is
    // discarded, and the drop is reported once (at DONE inside BOARD).
    void InputDropped(size_t bound);
    // The input has ended: a partial line or an open BOARD is reported, never executed.
    void EndOfInput();
    void HandleLine(std::string_view line);
    bool Finished() const { return finished_; }

    // Replaces the engine's move choice, e.g. by a quick one for fuzzing.
    void SetMoveChooser(MoveChooser chooser) { chooser_ = std::move(chooser); }
    // Called just before and just after the engine thinks about a move (not around fixed
    // answers such as the first move), so that input can be watched meanwhile.
    void SetThinkingHooks(std::function<void()> before, std::function<void()> after) {
        beforeThinking_ = std::move(before);
        afterThinking_ = std::move(after);
    }

    // The time budget for the next move, from timeout_turn, timeout_match and time_left.
    int64_t TurnBudgetMillis() const;

private:
    struct Stone {
        int32_t x, y;
    };

    void Error(const std::string& text);
    void LineTooLong();
    void Command(std::string_view word, std::string_view rest);
    void BoardLine(std::string_view line);
    void CloseBoard(std::string_view reason);
    void Info(std::string_view rest);
    void Start(std::string_view rest);
    void Turn(std::string_view rest);
    void Begin();
    void Takeback(std::string_view rest);
    void FinishBoard();

    bool RequireStarted();
    // "x,y" of a command on the board; nothing, with the error told, when it is malformed or
    // off the board. `point` gets the text used in later messages.
    std::optional<Stone> ReadPoint(std::string_view command, std::string_view rest, std::string* point);
    // Puts the engine boards in line with size_ and moves_.
    void Rebuild();
    bool Empty(int x, int y) const;
    void AnswerMove();

    Output out_;
    std::string tablesError_;
    MoveChooser chooser_;
    std::function<void()> beforeThinking_, afterThinking_;
    LineSplitter input_;
    bool finished_ = false;

    int size_ = 0;              // 0 before START
    std::vector<Stone> moves_;  // in order of play: Black first

    bool inBoard_ = false;
    std::string boardError_;
    std::vector<Stone> boardOwn_, boardOpponent_;

    // Milliseconds as told, up to the largest 64-bit number; the budget is worked out without
    // overflow from any of them.
    int64_t timeoutTurn_ = 30000;
    int64_t timeoutMatch_ = 0;  // 0: no limit for the match
    int64_t timeLeft_ = -1;     // -1: not told
    int32_t level_ = STRONG_LEVEL;
    int64_t nodeLimit_ = 0;  // the tournament player's nodes per move; 0: none
};

// The engine's own choice: the quick choice or the timed search at the current level.
MoveEntry ThinkMove(int64_t budgetMillis);
// The tournament player's choice within the budget and, when not 0, a node limit; `detail`, if
// given, gets the search's own account of the move.
MoveEntry ThinkStrong(int64_t budgetMillis, int64_t nodeLimit = 0, strong::ThinkResult* detail = nullptr);

}  // namespace pbrain
