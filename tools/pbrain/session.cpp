#include "tools/pbrain/session.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "engine/values.h"
#include "platform/text.h"
#include "player/game_state.h"
#include "player/levels.h"
#include "player/quick.h"
#include "player/search.h"
#include "player/strong/search.h"
#include "player/threads.h"

namespace pbrain {

namespace {

constexpr int64_t QUICK_BELOW_MILLIS = 300;              // a search's fallback alone may need about this
constexpr int64_t MAX_BUDGET_MILLIS = int64_t{1} << 40;  // about 35 years
constexpr int RULE_EXACT_FIVE = 1, RULE_CONTINUOUS = 2, RULE_RENJU = 4, RULE_CARO = 8;

std::string Upper(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

// A line quoted in an error: short, and printable so that the answer stays one line.
std::string Quote(std::string_view s) {
    std::string q = "'";
    for (size_t i = 0; i < s.size() && i < 40; ++i)
        q += std::isprint(static_cast<unsigned char>(s[i])) ? s[i] : '?';
    if (s.size() > 40) q += "...";
    return q + "'";
}

enum class Number { OK, MALFORMED, TOO_LARGE, TOO_SMALL };

Number ParseInt(std::string_view s, int64_t* value) {
    s = Trim(s);
    if (s.empty()) return Number::MALFORMED;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), *value);
    if (end != s.data() + s.size()) return Number::MALFORMED;
    if (ec == std::errc::result_out_of_range) return s.front() == '-' ? Number::TOO_SMALL : Number::TOO_LARGE;
    return ec == std::errc() ? Number::OK : Number::MALFORMED;
}

// "too large" or "too small" for a whole number beyond 64 bits, so that it is not called malformed.
std::string RangeFault(std::string_view s, Number n) {
    s = Trim(s);
    const std::string shown = s.size() > 40 ? std::string(s.substr(0, 40)) + "..." : std::string(s);
    return shown + (n == Number::TOO_SMALL ? " is too small" : " is too large");
}

// Splits "a,b,c" into exactly n integer fields. `fault`, if given, gets the range fault of a
// field beyond 64 bits, when that is what is wrong.
bool ParseFields(std::string_view s, int n, int64_t* out, std::string* fault = nullptr) {
    for (int i = 0; i < n; ++i) {
        const size_t comma = s.find(',');
        const bool last = i == n - 1;
        if (last != (comma == std::string_view::npos)) return false;
        const std::string_view field = s.substr(0, comma);
        const Number parsed = ParseInt(field, &out[i]);
        if (parsed != Number::OK) {
            if (fault && parsed != Number::MALFORMED) *fault = RangeFault(field, parsed);
            return false;
        }
        if (!last) s.remove_prefix(comma + 1);
    }
    return true;
}

// Blacks and whites alternately, Black first: the order of play the engine's colours follow.
template <typename Stone>
std::vector<Stone> Interleave(const std::vector<Stone>& blacks, const std::vector<Stone>& whites) {
    std::vector<Stone> moves;
    for (size_t i = 0; i < blacks.size(); ++i) {
        moves.push_back(blacks[i]);
        if (i < whites.size()) moves.push_back(whites[i]);
    }
    return moves;
}

}  // namespace

bool IsEndLine(std::string_view line) {
    return Upper(Trim(line)) == "END";
}

MoveEntry ThinkMove(int64_t budgetMillis) {
    g_humanBlack = g_stackCount % 2;  // the engine is the side to move
    g_stopSearch.store(0, std::memory_order_relaxed);
    g_finishPonder.store(0, std::memory_order_relaxed);
    ConfigureSearch(g_moveCount);
    // Deepening may start one more step after 6 percent of the wait, and a timed-out step
    // ends with a short search: the wait keeps room for both. A budget beyond any game is cut
    // to one, so that no product overflows.
    const int64_t wait = std::max<int64_t>(1, std::min<int64_t>(budgetMillis, MAX_BUDGET_MILLIS) * 6 / 10);
    int32_t x = -1, y = -1;
    if (budgetMillis < QUICK_BELOW_MILLIS || g_searchWidth <= 0 || g_searchDepth <= 0) {
        ChooseQuickMove(&x, &y);
    } else {
        g_timeLimitMillis = wait;
        RootResults results{};
        DeepenSearch(&x, &y, g_searchDepth, &results);
        g_timeLimitMillis = 0;
    }
    return {x, y};
}

MoveEntry ThinkStrong(int64_t budgetMillis, int64_t nodeLimit, strong::ThinkResult* detail) {
    g_stopSearch.store(0, std::memory_order_relaxed);
    // Room for the answer to reach the manager, and for the last check of the clock.
    const int64_t budget = std::max<int64_t>(0, budgetMillis);
    const int64_t margin = std::max<int64_t>(50, budget / 10);
    strong::ThinkLimits limits;
    limits.millis = std::max<int64_t>(1, budget - margin);
    limits.nodes = nodeLimit;
    const strong::ThinkResult r = strong::Think(limits);
    if (detail) *detail = r;
    if (r.point < 0) return {-1, -1};
    return {r.point % BOARD_SIZE, r.point / BOARD_SIZE};
}

Session::Session(Output out, std::string tablesError)
    : out_(std::move(out)), tablesError_(std::move(tablesError)), chooser_([this](int64_t budget) {
          return level_ == STRONG_LEVEL ? ThinkStrong(budget, nodeLimit_) : ThinkMove(budget);
      }) {}

void Session::Error(const std::string& text) {
    out_("ERROR " + text);
}

void Session::Feed(std::string_view bytes) {
    input_.Feed(
        bytes, [this](std::string_view line) { HandleLine(line); }, [this] { LineTooLong(); });
}

void Session::LineTooLong() {
    if (finished_) return;
    const std::string fault = "line longer than " + std::to_string(MAX_LINE) + " characters";
    if (!inBoard_)
        Error(fault + " ignored");
    else if (boardError_.empty())
        boardError_ = "BOARD " + fault;  // reported once, at DONE
}

void Session::InputDropped(size_t bound) {
    if (finished_) return;
    input_.Clear();
    const std::string fault = "input dropped: more than " + std::to_string(bound) +
                              " bytes were waiting to be handled; send less while the engine thinks";
    if (!inBoard_)
        Error(fault);
    else if (boardError_.empty())
        boardError_ = "BOARD " + fault;
}

void Session::EndOfInput() {
    if (finished_) return;
    const std::string_view pending = Trim(input_.Pending());
    if (!pending.empty())
        Error("input ended in the middle of a command: " + Quote(pending) + " not executed");
    input_.Clear();
    if (inBoard_) {
        inBoard_ = false;
        Error("input ended inside BOARD without DONE; board unchanged");
    }
    finished_ = true;
}

void Session::HandleLine(std::string_view line) {
    if (finished_) return;
    line = Trim(line);
    if (line.empty()) return;
    if (inBoard_) {
        // Inside BOARD every line is a stone, DONE, or a command that cuts the board short.
        if (!std::isalpha(static_cast<unsigned char>(line.front()))) return BoardLine(line);
        if (Upper(line) == "DONE") return FinishBoard();
        inBoard_ = false;
        Error("BOARD ended without DONE by " + Quote(line) + "; board unchanged");
    }
    const size_t space = line.find_first_of(" \t");
    const std::string_view word = line.substr(0, space);
    const std::string_view rest =
        space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    Command(Upper(word), Trim(rest));
}

void Session::Command(std::string_view word, std::string_view rest) {
    const auto noArguments = [&] {
        if (rest.empty()) return true;
        Error(std::string(word) + " takes no arguments, got " + Quote(rest));
        return false;
    };
    if (word == "START") {
        Start(rest);
    } else if (word == "RESTART") {
        if (!noArguments() || !RequireStarted()) return;
        moves_.clear();
        Rebuild();
        out_("OK");
    } else if (word == "BEGIN") {
        if (noArguments()) Begin();
    } else if (word == "TURN") {
        Turn(rest);
    } else if (word == "BOARD") {
        if (!noArguments()) return;
        inBoard_ = true;
        boardError_ = size_ == 0 ? "BOARD before START" : "";
        boardOwn_.clear();
        boardOpponent_.clear();
    } else if (word == "DONE") {
        Error("DONE without BOARD");
    } else if (word == "TAKEBACK") {
        Takeback(rest);
    } else if (word == "INFO") {
        Info(rest);
    } else if (word == "END") {
        if (noArguments()) finished_ = true;
    } else if (word == "ABOUT") {
        if (noArguments())
            out_("name=\"pbrain-renju\", version=\"1.0\", author=\"Renju project\", country=\"-\"");
    } else {
        out_("UNKNOWN command " + Quote(word));  // what managers expect, unlike a malformed line
    }
}

bool Session::RequireStarted() {
    if (size_ > 0) return true;
    Error("no board yet: send START first");
    return false;
}

void Session::Start(std::string_view rest) {
    int64_t n = 0;
    const Number parsed = ParseInt(rest, &n);
    if (parsed == Number::MALFORMED) return Error("START needs a board size, got " + Quote(rest));
    if (parsed != Number::OK) return Error("board size " + RangeFault(rest, parsed) + ": 5 to 19 only");
    if (n < MIN_SIZE || n > BOARD_SIZE)
        return Error("board size " + std::to_string(n) + " not supported: 5 to 19 only");
    if (!tablesError_.empty()) return Error("pattern tables not loaded: " + tablesError_);
    size_ = static_cast<int>(n);
    moves_.clear();
    Rebuild();
    out_("OK");
}

void Session::Rebuild() {
    ResetBoards();
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            if (x >= size_ || y >= size_) g_board[CellIndex(x, y)] = CELL_BORDER;
        }
    }
    RebuildKeptState();  // the line indices must see the new border
    for (const Stone& s : moves_) {
        RecordPush(s.x, s.y);
        EnginePush(s.x, s.y);
    }
}

bool Session::Empty(int x, int y) const {
    return x >= 0 && y >= 0 && x < size_ && y < size_ && g_board[CellIndex(x, y)] == CELL_EMPTY;
}

void Session::AnswerMove() {
    MoveEntry m{-1, -1};
    if (moves_.empty()) {
        m = {size_ / 2, size_ / 2};
    } else if (static_cast<int>(moves_.size()) < size_ * size_) {
        if (beforeThinking_) beforeThinking_();
        m = chooser_(TurnBudgetMillis());
        if (afterThinking_) afterThinking_();
        if (!Empty(m.x, m.y)) {
            out_("DEBUG no move from the search; the first empty point instead");
            for (int p = 0; p < POINT_COUNT && !Empty(m.x, m.y); ++p)
                m = {p % BOARD_SIZE, p / BOARD_SIZE};
        }
    }
    if (!Empty(m.x, m.y)) return Error("no empty point left to play");
    moves_.push_back({m.x, m.y});
    RecordPush(m.x, m.y);
    EnginePush(m.x, m.y);
    out_(std::to_string(m.x) + "," + std::to_string(m.y));
}

void Session::Begin() {
    if (!RequireStarted()) return;
    if (!moves_.empty()) return Error("BEGIN on a board with stones: send RESTART first");
    AnswerMove();
}

std::optional<Session::Stone> Session::ReadPoint(std::string_view command, std::string_view rest,
                                                 std::string* point) {
    int64_t f[2];
    std::string fault;
    if (!ParseFields(rest, 2, f, &fault)) {
        Error(std::string(command) + (fault.empty() ? " needs x,y, got " + Quote(rest) : " " + fault));
        return std::nullopt;
    }
    *point = std::to_string(f[0]) + "," + std::to_string(f[1]);
    if (f[0] < 0 || f[1] < 0 || f[0] >= size_ || f[1] >= size_) {
        Error(*point + " is off the board");
        return std::nullopt;
    }
    return Stone{static_cast<int32_t>(f[0]), static_cast<int32_t>(f[1])};
}

void Session::Turn(std::string_view rest) {
    if (!RequireStarted()) return;
    std::string point;
    const std::optional<Stone> at = ReadPoint("TURN", rest, &point);
    if (!at) return;
    const int x = at->x, y = at->y;
    if (!Empty(x, y)) return Error(point + " is occupied");
    if (static_cast<int>(moves_.size()) + 1 >= size_ * size_)
        return Error("TURN " + point + " would fill the board and leave no point to answer; board unchanged");
    moves_.push_back({x, y});
    RecordPush(x, y);
    EnginePush(x, y);
    AnswerMove();
}

void Session::Takeback(std::string_view rest) {
    if (!RequireStarted()) return;
    std::string point;
    const std::optional<Stone> stone = ReadPoint("TAKEBACK", rest, &point);
    if (!stone) return;
    const auto at = std::find_if(moves_.begin(), moves_.end(),
                                 [&](const Stone& s) { return s.x == stone->x && s.y == stone->y; });
    if (at == moves_.end()) return Error("no stone at " + point + " to take back");
    const size_t i = static_cast<size_t>(at - moves_.begin());
    if (i % 2 != (moves_.size() - 1) % 2)
        return Error("the stone at " + point + " is not of the colour that moved last");
    if (i + 1 == moves_.size()) {
        moves_.pop_back();
        RecordPop();
        EnginePop();
    } else {
        // An earlier stone of the same colour: the others keep their colours and order.
        std::vector<Stone> blacks, whites;
        for (size_t k = 0; k < moves_.size(); ++k) {
            if (k != i) (k % 2 == 0 ? blacks : whites).push_back(moves_[k]);
        }
        moves_ = Interleave(blacks, whites);
        Rebuild();
    }
    out_("OK");
}

void Session::BoardLine(std::string_view line) {
    if (!boardError_.empty()) return;  // the first fault is the one reported at DONE
    int64_t f[3];
    std::string fault;
    if (!ParseFields(line, 3, f, &fault)) {
        boardError_ = "BOARD line " + Quote(line) + (fault.empty() ? " is not x,y,field" : ": " + fault);
        return;
    }
    const std::string point = std::to_string(f[0]) + "," + std::to_string(f[1]);
    const auto taken = [&](const std::vector<Stone>& list) {
        return std::any_of(list.begin(), list.end(),
                           [&](const Stone& s) { return s.x == f[0] && s.y == f[1]; });
    };
    if (f[0] < 0 || f[1] < 0 || f[0] >= size_ || f[1] >= size_)
        boardError_ = "BOARD point " + point + " is off the board";
    else if (f[2] == 3)
        boardError_ =
            "BOARD field 3 (continuous-game stone) at " + point + ": continuous games are not played";
    else if (f[2] != 1 && f[2] != 2)
        boardError_ = "BOARD field " + std::to_string(f[2]) + " at " + point + ": 1 own, 2 opponent";
    else if (taken(boardOwn_) || taken(boardOpponent_))
        boardError_ = "BOARD point " + point + " is occupied";
    else
        (f[2] == 1 ? boardOwn_ : boardOpponent_)
            .push_back({static_cast<int32_t>(f[0]), static_cast<int32_t>(f[1])});
}

void Session::FinishBoard() {
    inBoard_ = false;
    if (!boardError_.empty()) return Error(boardError_ + "; board unchanged");
    const size_t own = boardOwn_.size(), opponent = boardOpponent_.size();
    if (static_cast<int>(own + opponent) >= size_ * size_)
        return Error("BOARD fills the board and leaves no point to answer; board unchanged");
    // We move next, so equal counts make us Black and one stone fewer makes us White.
    if (own == opponent)
        moves_ = Interleave(boardOwn_, boardOpponent_);
    else if (opponent == own + 1)
        moves_ = Interleave(boardOpponent_, boardOwn_);
    else
        return Error("BOARD with " + std::to_string(own) + " own and " + std::to_string(opponent) +
                     " opponent stones is not our turn; board unchanged");
    Rebuild();
    AnswerMove();
}

void Session::Info(std::string_view rest) {
    const size_t space = rest.find_first_of(" \t");
    const std::string key = Upper(rest.substr(0, space));
    const std::string_view text =
        space == std::string_view::npos ? std::string_view() : Trim(rest.substr(space + 1));
    if (key.empty()) return Error("INFO needs a key and a value");
    if (key == "FOLDER" || key == "EVALUATE") return;  // nothing to keep on disk, nothing to show
    const bool known = key == "TIMEOUT_TURN" || key == "TIMEOUT_MATCH" || key == "TIME_LEFT" ||
                       key == "MAX_MEMORY" || key == "GAME_TYPE" || key == "RULE" || key == "RENJU_LEVEL" ||
                       key == "RENJU_NODES";
    if (!known) {
        out_("DEBUG INFO key " + Quote(key) + " ignored");
        return;
    }
    int64_t v = 0;
    const Number parsed = ParseInt(text, &v);
    if (parsed == Number::MALFORMED)
        return Error("INFO " + key + " needs a whole number, got " + Quote(text));
    if (parsed != Number::OK) return Error("INFO " + key + " " + RangeFault(text, parsed));
    if (key == "TIMEOUT_TURN" || key == "TIMEOUT_MATCH") {
        if (v < 0) return Error("INFO " + key + " must not be negative");
        (key == "TIMEOUT_TURN" ? timeoutTurn_ : timeoutMatch_) = v;
    } else if (key == "TIME_LEFT") {
        timeLeft_ = std::max<int64_t>(0, v);  // overdrawn time counts as none left
    } else if (key == "MAX_MEMORY") {
        if (v < 0) return Error("INFO " + key + " must not be negative");
        // 0 means no limit; the hash table takes half, the rest is for the engine around it.
        strong::SetTableBytes(v == 0 ? strong::DEFAULT_TABLE_MEGABYTES << 20 : static_cast<size_t>(v / 2));
    } else if (key == "GAME_TYPE") {
        if (v < 0) return Error("INFO " + key + " must not be negative");  // any type
    } else if (key == "RENJU_LEVEL") {
        if (v < 0 || v > STRONG_LEVEL)
            return Error("INFO RENJU_LEVEL must be 0 to " + std::to_string(STRONG_LEVEL) + ", got " +
                         std::to_string(v));
        level_ = static_cast<int32_t>(v);
        if (v < STRONG_LEVEL) g_level = level_;
    } else if (key == "RENJU_NODES") {
        if (v < 0) return Error("INFO " + key + " must not be negative");
        nodeLimit_ = v;
    } else {  // RULE
        if (v < 0 || v > 15) return Error("INFO RULE " + std::to_string(v) + " is not a rule");
        std::string unplayed;
        for (const auto& [bit, name] :
             {std::pair{RULE_EXACT_FIVE, "exactly five (1)"}, std::pair{RULE_CONTINUOUS, "continuous (2)"},
              std::pair{RULE_CARO, "caro (8)"}}) {
            if (v & bit) unplayed += (unplayed.empty() ? "" : ", ") + std::string(name);
        }
        if (!unplayed.empty()) return Error("rule not played: " + unplayed + "; rule unchanged");
        g_rule = (v & RULE_RENJU) ? 1 : 0;  // restrictions for Black, no opening rules
        if (size_ > 0) Rebuild();           // the values depend on the rule
    }
}

int64_t Session::TurnBudgetMillis() const {
    int64_t budget = timeoutTurn_;
    // Spread what is left of the match over the moves that may still come.
    if (timeoutMatch_ > 0 && timeLeft_ >= 0) budget = std::min(budget, timeLeft_ / 10);
    return budget;
}

}  // namespace pbrain
