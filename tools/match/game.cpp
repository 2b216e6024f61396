#include "tools/match/game.h"

#include <algorithm>

#include "engine/openings.h"

namespace match {

namespace {

constexpr size_t MAX_COMPLAINTS = 20;  // kept per engine; a chatty engine must not fill memory

int64_t MillisBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(b - a).count();
}

struct Side {
    Player player;
    Colour colour;
    bool hasBoard = false;  // the stones so far were sent as BOARD
    int64_t usedMillis = 0;
};

class Game {
public:
    Game(const GameConfig& config, Player black, Player white)
        : config_(config), judge_(config.rule), sides_{{black, Colour::Black}, {white, Colour::White}} {}

    GameResult Play(int opening);

private:
    bool Start(Side& side);
    bool RequestMove(Side& side);
    void Lose(const Side& side, Reason reason, std::string detail) {
        result_.winner = Other(side.colour);
        result_.reason = reason;
        result_.detail = std::move(detail);
    }
    int TurnMillis(const Side& side) const { return side.player.turnMillis.value_or(config_.turnMillis); }
    void LostLink(Side& side) { Lose(side, Reason::Crash, side.player.link->EndDescription()); }
    // Sends the lines in order; an engine that cannot take them loses.
    bool SendAll(Side& side, const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            if (!side.player.link->Send(line)) {
                LostLink(side);
                return false;
            }
        }
        return true;
    }
    void Complaint(const Side& side, const std::string& line) {
        auto& list = result_.complaints[side.colour == Colour::Black ? 0 : 1];
        if (list.size() < MAX_COMPLAINTS) list.push_back(line);
    }

    const GameConfig& config_;
    Judge judge_;
    Side sides_[2];
    GameResult result_;
};

bool Game::Start(Side& side) {
    EngineLink& link = *side.player.link;
    if (!SendAll(side, {"START " + std::to_string(BOARD_SIZE)})) return false;
    const auto deadline = Clock::now() + std::chrono::milliseconds(config_.startMillis);
    for (;;) {
        const EngineLink::Reply r = link.ReadLine(deadline);
        if (r.status == EngineLink::Status::Interrupted) {
            result_.aborted = true;
            return false;
        }
        if (r.status == EngineLink::Status::Closed) {
            LostLink(side);
            return false;
        }
        if (r.status == EngineLink::Status::Timeout) {
            Lose(side, Reason::Timeout,
                 "no answer to START within " + std::to_string(config_.startMillis) + " ms");
            return false;
        }
        const AnswerKind kind = ParseAnswer(r.line).kind;
        if (kind == AnswerKind::Chatter) continue;
        if (kind == AnswerKind::Ok) break;
        Lose(side, Reason::StartFailed, "answered " + Quote(r.line) + " to START");
        return false;
    }
    std::vector<std::string> infos = {
        "INFO timeout_turn " + std::to_string(TurnMillis(side)),
        "INFO timeout_match " + std::to_string(config_.matchMillis),
        "INFO game_type 1",
        "INFO rule " + std::to_string(config_.rule),
    };
    if (config_.matchMillis > 0) infos.push_back("INFO time_left " + std::to_string(config_.matchMillis));
    if (side.player.level) infos.push_back("INFO renju_level " + std::to_string(*side.player.level));
    return SendAll(side, infos);
}

// Asks the side to move for its move, judges it and records it; false when the game is over.
bool Game::RequestMove(Side& side) {
    EngineLink& link = *side.player.link;
    int64_t allowed = TurnMillis(side);
    if (config_.matchMillis > 0) {
        const int64_t left = std::max<int64_t>(0, config_.matchMillis - side.usedMillis);
        allowed = std::min(allowed, left);
        if (!SendAll(side, {"INFO time_left " + std::to_string(left)})) return false;
    }
    std::vector<std::string> lines;
    if (side.hasBoard) {
        const TimedMove& last = result_.moves.back();
        lines.push_back("TURN " + std::to_string(last.x) + "," + std::to_string(last.y));
    } else {
        lines = BoardBlock(result_.moves, side.colour);
        side.hasBoard = true;
    }
    if (!SendAll(side, lines)) return false;
    const auto sent = Clock::now();
    const auto deadline = sent + std::chrono::milliseconds(allowed + config_.toleranceMillis);
    std::string lastComplaint;
    for (;;) {
        const EngineLink::Reply r = link.ReadLine(deadline);
        const int64_t took = MillisBetween(sent, Clock::now());
        switch (r.status) {
            case EngineLink::Status::Interrupted:
                result_.aborted = true;
                return false;
            case EngineLink::Status::Closed:
                LostLink(side);
                return false;
            case EngineLink::Status::Timeout:
                Lose(side, Reason::Timeout,
                     "no move within " + std::to_string(allowed) + " + " +
                         std::to_string(config_.toleranceMillis) + " ms" +
                         (lastComplaint.empty() ? "" : " after " + Quote(lastComplaint)));
                return false;
            case EngineLink::Status::Line:
                break;
        }
        const Answer a = ParseAnswer(r.line);
        if (a.kind == AnswerKind::Chatter) continue;
        if (a.kind == AnswerKind::Complaint) {
            lastComplaint = r.line;
            Complaint(side, r.line);
            continue;
        }
        if (a.kind != AnswerKind::Move) {
            Lose(side, Reason::Illegal, "answered " + Quote(r.line));
            return false;
        }
        const std::string point = std::to_string(a.x) + "," + std::to_string(a.y);
        const Judgement j = judge_.Play(a.x, a.y);
        if (j.verdict == Verdict::Illegal) {
            Lose(side, Reason::Illegal, point + " " + j.detail);
            return false;
        }
        side.usedMillis += took;
        result_.moves.push_back({a.x, a.y, took});
        switch (j.verdict) {
            case Verdict::Continue:
                return true;
            case Verdict::Win:
                result_.winner = side.colour;
                result_.reason = Reason::Five;
                result_.detail = j.detail + " at " + point;
                return false;
            case Verdict::Forbidden:
                Lose(side, Reason::Forbidden, j.detail + " at " + point);
                return false;
            case Verdict::Draw:
                result_.winner.reset();
                result_.reason = Reason::FullBoard;
                result_.detail = "full board";
                return false;
            case Verdict::Illegal:
                break;
        }
        return false;
    }
}

GameResult Game::Play(int opening) {
    // The opening is on the record even when an engine fails to start.
    for (const MoveEntry& m : g_openings[opening]) {
        judge_.Play(m.x, m.y);
        result_.moves.push_back({m.x, m.y, 0});
    }
    for (Side& side : sides_) {
        if (!Start(side)) return result_;
    }
    while (RequestMove(sides_[judge_.ToMove() == Colour::Black ? 0 : 1])) {
    }
    return result_;
}

}  // namespace

GameSetup ScheduleGame(int index) {
    return {(index / 2) % OPENING_COUNT, index % 2 == 0};
}

const char* ReasonName(Reason r) {
    switch (r) {
        case Reason::Five:
            return "five";
        case Reason::Forbidden:
            return "forbidden";
        case Reason::FullBoard:
            return "full board";
        case Reason::Illegal:
            return "illegal move";
        case Reason::Timeout:
            return "time-out";
        case Reason::Crash:
            return "engine ended";
        case Reason::StartFailed:
            return "start refused";
    }
    return "?";
}

std::string CheckStart(EngineLink& link, int startMillis) {
    const auto ended = [&] { return "it ended before answering START (" + link.EndDescription() + ")"; };
    if (!link.Send("START " + std::to_string(BOARD_SIZE))) return ended();
    const auto deadline = Clock::now() + std::chrono::milliseconds(startMillis);
    for (;;) {
        const EngineLink::Reply r = link.ReadLine(deadline);
        switch (r.status) {
            case EngineLink::Status::Interrupted:
                return "stopped while waiting for its answer to START";
            case EngineLink::Status::Closed:
                return ended();
            case EngineLink::Status::Timeout:
                return "no answer to START within " + std::to_string(startMillis) + " ms";
            case EngineLink::Status::Line:
                break;
        }
        const AnswerKind kind = ParseAnswer(r.line).kind;
        if (kind == AnswerKind::Ok) return {};
        if (kind != AnswerKind::Chatter) return "it answered " + Quote(r.line) + " to START";
    }
}

GameResult PlayGame(const GameConfig& config, int opening, Player black, Player white) {
    return Game(config, black, white).Play(opening);
}

}  // namespace match
