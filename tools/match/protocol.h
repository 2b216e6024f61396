// The manager's side of the tournament protocol: what it sends and how it reads the answers.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "records/judge.h"
#include "records/psq.h"

namespace match {

// The referee and the record format are shared with the window's game records.
using records::Colour;
using records::ColourName;
using records::GameRecord;
using records::Judge;
using records::Judgement;
using records::Other;
using records::ReadPsq;
using records::RULE_FREE;
using records::RULE_RENJU;
using records::TimedMove;
using records::Verdict;
using records::WritePsq;

using Clock = std::chrono::steady_clock;

// A line-based connection to an engine; the process one, or a scripted one in tests.
class EngineLink {
public:
    enum class Status {
        Line,         // a line arrived (without its line end)
        Timeout,      // nothing before the deadline
        Closed,       // the engine's output ended
        Interrupted,  // the user asked the match to stop
    };
    struct Reply {
        Status status;
        std::string line;
    };

    virtual ~EngineLink() = default;
    // Sends one line; false when the engine takes no more input.
    virtual bool Send(const std::string& line) = 0;
    virtual Reply ReadLine(Clock::time_point deadline) = 0;
    // Why the engine stopped talking, e.g. "exited with status 1"; asked after a failure.
    virtual std::string EndDescription() = 0;
};

enum class AnswerKind {
    Move,       // "x,y"
    Chatter,    // MESSAGE, DEBUG, or an empty line: not an answer
    Complaint,  // ERROR or UNKNOWN: not an answer, but worth reporting
    Ok,         // OK: the answer to START
    Other,      // anything else
};

struct Answer {
    AnswerKind kind = AnswerKind::Other;
    int x = -1, y = -1;  // for Move; may lie off the board
};

Answer ParseAnswer(std::string_view line);

// BOARD, the stones so far in the order played (1 own, 2 the opponent's), DONE.
std::vector<std::string> BoardBlock(const std::vector<TimedMove>& moves, Colour own);

// A line from an engine for a message: printable and short.
std::string Quote(std::string_view text);

}  // namespace match
