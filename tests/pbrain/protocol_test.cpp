// The protocol as exchanges with the real pbrain-renju program, run as a child process.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

namespace {

constexpr int LINE_WAIT_MILLIS = 30000;  // far above any answer; only a hung child reaches it

// The program with pipes on its standard input and output. Every wait is bounded.
class Child {
public:
    Child() {
        signal(SIGPIPE, SIG_IGN);  // a child that died must fail the test, not end it
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        for (const int fd : {in[0], in[1], out[0], out[1]})
            posix_spawn_file_actions_addclose(&actions, fd);
        char* argv[] = {const_cast<char*>(PBRAIN_PATH), nullptr};
        // In a sanitizer build, undefined behaviour ends the child, so the exit status shows it.
        std::vector<char*> env;
        for (char** e = environ; *e; ++e)
            env.push_back(*e);
        char halt[] = "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1";
        env.push_back(halt);
        env.push_back(nullptr);
        if (posix_spawn(&pid_, PBRAIN_PATH, &actions, nullptr, argv, env.data()) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]);
        close(out[1]);
        toChild_ = in[1];
        fromChild_ = out[0];
    }
    ~Child() {
        CloseInput();
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (fromChild_ >= 0) close(fromChild_);
    }
    bool Running() const { return pid_ > 0; }
    void Kill() {
        if (pid_ > 0 && !exited_) kill(pid_, SIGKILL);
    }

    void Write(const std::string& bytes) {
        size_t done = 0;
        while (toChild_ >= 0 && done < bytes.size()) {
            const ssize_t n = write(toChild_, bytes.data() + done, bytes.size() - done);
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
    }
    void CloseInput() {
        if (toChild_ >= 0) close(toChild_);
        toChild_ = -1;
    }
    // The next line, or nothing at the end of output or after the wait.
    std::optional<std::string> ReadLine(int waitMillis = LINE_WAIT_MILLIS) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMillis);
        for (;;) {
            const size_t end = buffer_.find('\n');
            if (end != std::string::npos) {
                std::string line = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || atEnd_) return std::nullopt;
            pollfd p{fromChild_, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
            char chunk[4096];
            const ssize_t n = read(fromChild_, chunk, sizeof chunk);
            if (n <= 0)
                atEnd_ = true;
            else
                buffer_.append(chunk, static_cast<size_t>(n));
        }
    }
    // The exit status, or nothing if the child is still running after the wait.
    std::optional<int> WaitExit(int waitMillis = 10000) {
        for (int waited = 0; waited <= waitMillis; waited += 10) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                exited_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return std::nullopt;
    }

private:
    pid_t pid_ = -1;
    int toChild_ = -1, fromChild_ = -1;
    std::string buffer_;
    bool atEnd_ = false, exited_ = false;
};

// One line sent and the answer lines it must bring. A send of "@EOF" closes the input,
// "@RAW:text" sends text without a line end, "{last}" stands for the engine's last move, "{free}" for an
// empty point. Expected lines: "OK" and other plain text exactly; "MOVE" any empty point on the board;
// "MOVE:a,b|c,d" one of those points; "MOVE!a,b" any but those; "ERROR:words" an ERROR line containing the
// words; "PREFIX:text" a line beginning with text. MESSAGE and DEBUG lines are skipped.
struct Step {
    std::string send;
    std::vector<std::string> expect;
};

struct Exchange {
    const char* name;
    std::vector<Step> steps;
    bool ends = false;  // the exchange ends the program itself (END or end of input)
};

// What the test knows of the board, to check that moves land on empty points.
struct BoardModel {
    int size = 0;
    std::set<std::pair<int, int>> stones;
    std::vector<std::pair<int, int>> boardBlock;
    std::pair<int, int> last{-1, -1};
};

bool ParsePoint(const std::string& s, std::pair<int, int>* p) {
    std::istringstream in(s);
    char comma = 0;
    return (in >> p->first >> comma >> p->second) && comma == ',' && in.peek() == EOF;
}

std::string Substitute(std::string s, const BoardModel& model) {
    std::pair<int, int> p = model.last;
    size_t at = s.find("{last}");
    if (at == std::string::npos) {
        at = s.find("{free}");
        for (int i = 0; i < model.size * model.size && (at == std::string::npos || model.stones.count(p));
             ++i)
            p = {i % model.size, i / model.size};
    }
    if (at != std::string::npos) s.replace(at, 6, std::to_string(p.first) + "," + std::to_string(p.second));
    return s;
}

// Checks one answer line; returns a description of the fault, empty when it matches.
std::string Match(const std::string& want, const std::string& got, BoardModel& model) {
    if (want.rfind("MOVE", 0) == 0) {
        std::pair<int, int> p;
        if (!ParsePoint(got, &p)) return "not a move";
        if (p.first < 0 || p.second < 0 || p.first >= model.size || p.second >= model.size)
            return "off the board";
        if (model.stones.count(p)) return "on an occupied point";
        const bool listed =
            ("|" + want.substr(std::min<size_t>(5, want.size())) + "|").find("|" + got + "|") !=
            std::string::npos;
        if (want.size() > 5 && want[4] == ':' && !listed) return "not one of " + want.substr(5);
        if (want.size() > 5 && want[4] == '!' && listed) return "one of " + want.substr(5);
        model.stones.insert(p);
        model.last = p;
        return "";
    }
    if (want.rfind("ERROR:", 0) == 0)
        return got.rfind("ERROR ", 0) == 0 && got.find(want.substr(6)) != std::string::npos ? ""
                                                                                            : "wrong error";
    if (want.rfind("PREFIX:", 0) == 0) return got.rfind(want.substr(7), 0) == 0 ? "" : "wrong start";
    return got == want ? "" : "differs";
}

// Keeps the model in step with a command the program is expected to accept.
void Apply(const std::string& sent, BoardModel& model) {
    std::istringstream in(sent);
    std::string word, rest;
    in >> word;
    std::getline(in, rest);
    if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
    if (sent == "BOARD") model.boardBlock.clear();
    if (!sent.empty() && std::isdigit(static_cast<unsigned char>(sent[0]))) {  // a line of a BOARD block
        std::istringstream fields(sent);
        int x = 0, y = 0;
        char comma = 0;
        if (fields >> x >> comma >> y) model.boardBlock.push_back({x, y});
        return;
    }
    std::pair<int, int> p;
    if (word == "START") {
        model = BoardModel();
        model.size = std::stoi(rest);
    }
    if (word == "RESTART") model.stones.clear();
    if (word == "TURN" && ParsePoint(rest, &p)) model.stones.insert(p);
    if (word == "TAKEBACK" && ParsePoint(rest, &p)) model.stones.erase(p);
    if (word == "DONE") model.stones.insert(model.boardBlock.begin(), model.boardBlock.end());
}

void RunExchange(const Exchange& e) {
    SCOPED_TRACE(e.name);
    Child child;
    ASSERT_TRUE(child.Running());
    BoardModel model;
    for (const Step& step : e.steps) {
        const std::string sent = Substitute(step.send, model);
        SCOPED_TRACE("after sending " + sent);
        if (sent == "@EOF")
            child.CloseInput();
        else if (sent.rfind("@RAW:", 0) == 0)
            child.Write(sent.substr(5));
        else
            child.Write(sent + "\n");
        // The model learns of TURN and DONE before their move is checked.
        if (step.expect.empty() || step.expect[0].rfind("ERROR", 0) != 0) {
            std::string line = sent.rfind("@RAW:", 0) == 0 ? sent.substr(5) : sent;
            while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
                line.pop_back();
            Apply(line, model);
        }
        for (size_t i = 0; i < step.expect.size(); ++i) {
            std::optional<std::string> got;
            do
                got = child.ReadLine();
            while (got && (got->rfind("MESSAGE", 0) == 0 || got->rfind("DEBUG", 0) == 0));
            ASSERT_TRUE(got) << "no answer, expected " << step.expect[i];
            const std::string fault = Match(step.expect[i], *got, model);
            EXPECT_EQ(fault, "") << "expected " << step.expect[i] << ", got " << *got;
        }
    }
    if (!e.ends) child.CloseInput();
    // Whatever the program says after the last step is an answer nobody asked for.
    for (std::optional<std::string> extra; (extra = child.ReadLine(10000));) {
        if (extra->rfind("MESSAGE", 0) != 0 && extra->rfind("DEBUG", 0) != 0)
            ADD_FAILURE() << "unexpected line " << *extra;
    }
    const std::optional<int> status = child.WaitExit();
    ASSERT_TRUE(status) << "the program did not end";
    EXPECT_EQ(*status, 0);
}

const std::string LONG_LINE(5000, 'A');

// Games the engine plays; INFO timeout_turn keeps each answer short.
const std::vector<Exchange> PLAY = {
    {"about, then a game from BEGIN",
     {{"ABOUT", {"PREFIX:name=\"pbrain-renju\", version=\""}},
      {"START 15", {"OK"}},
      {"INFO timeout_turn 500", {}},
      {"BEGIN", {"7,7"}},
      {"TURN 8,8", {"MOVE"}},
      {"TURN 9,9", {"MOVE"}},
      {"TURN 6,6", {"MOVE"}},
      {"END", {}}},
     true},
    {"completes its own five rather than block",
     {{"START 15", {"OK"}},
      {"INFO timeout_turn 1000", {}},
      {"BOARD", {}},
      {"5,5,1", {}},
      {"6,5,1", {}},
      {"7,5,1", {}},
      {"8,5,1", {}},
      {"5,7,2", {}},
      {"6,7,2", {}},
      {"7,7,2", {}},
      {"8,7,2", {}},
      {"DONE", {"MOVE:4,5|9,5"}}}},
    {"blocks the opponent's four, also after taking moves back",
     {{"START 15", {"OK"}},
      {"INFO timeout_turn 1000", {}},
      {"BOARD", {}},
      {"4,5,1", {}},
      {"0,0,1", {}},
      {"14,0,1", {}},
      {"0,14,1", {}},
      {"5,5,2", {}},
      {"6,5,2", {}},
      {"7,5,2", {}},
      {"8,5,2", {}},
      {"DONE", {"9,5"}},
      {"TAKEBACK 9,5", {"OK"}},
      {"TAKEBACK 8,5", {"OK"}},
      {"TURN 8,5", {"9,5"}}}},
    {"a small board ends in border cells",
     {{"START 7", {"OK"}},
      {"INFO timeout_turn 1000", {}},
      {"BOARD", {}},
      {"3,3,1", {}},
      {"4,3,1", {}},
      {"5,3,1", {}},
      {"6,3,1", {}},
      {"0,0,2", {}},
      {"0,6,2", {}},
      {"2,6,2", {}},
      {"4,6,2", {}},
      {"DONE", {"2,3"}},  // on 19 lines 7,3 would be a five too
      {"START 6", {"OK"}},
      {"INFO timeout_turn 300", {}},
      {"TURN 0,0", {"MOVE"}},
      {"TURN 5,5", {"MOVE"}},
      {"TURN 0,5", {"MOVE"}},
      {"TURN 5,0", {"MOVE"}},
      {"TURN {free}", {"MOVE"}},
      {"START 5", {"OK"}},
      {"BEGIN", {"2,2"}}}},
    {"the renju rule keeps Black off an overline",
     {{"START 15", {"OK"}},
      {"INFO rule 4", {}},
      {"INFO timeout_turn 1000", {}},
      {"INFO rule 1", {"ERROR:exactly five"}},  // refused: the renju rule stays
      {"BOARD", {}},
      {"1,5,1", {}},
      {"2,5,1", {}},
      {"3,5,1", {}},
      {"4,5,1", {}},
      {"6,5,1", {}},
      {"0,5,2", {}},
      {"10,10,2", {}},
      {"10,12,2", {}},
      {"12,10,2", {}},
      {"12,12,2", {}},
      {"DONE", {"MOVE!5,5"}},
      // Without restrictions the overline is a five.
      {"INFO rule 0", {}},
      {"TAKEBACK {last}", {"OK"}},
      {"TAKEBACK 12,12", {"OK"}},
      {"TURN 12,12", {"5,5"}}}},
    {"CR, LF and CR LF line ends, with the input kept open",
     {{"@RAW:START 15\r", {"OK"}},
      {"@RAW:INFO timeout_turn 300\r\n", {}},
      {"@RAW:BEGIN\r", {"7,7"}},
      {"@RAW:TURN 8,8\r", {"MOVE"}},
      {"@RAW:TURN 9,9\r\n", {"MOVE"}},
      {"@RAW:ABOUT\r", {"PREFIX:name=\"pbrain-renju\""}}}},
    {"time left and level settings still give moves",
     {{"INFO timeout_match 100000", {}},
      {"INFO time_left 1000", {}},
      {"INFO renju_level 0", {}},
      {"INFO max_memory 83886080", {}},
      {"INFO game_type 1", {}},
      {"INFO folder /tmp", {}},
      {"INFO some_key_of_another_engine 5", {}},
      {"START 19", {"OK"}},
      {"TURN 9,9", {"MOVE"}},
      {"INFO renju_level 7", {}},
      {"INFO timeout_turn 0", {}},
      {"TURN 3,3", {"MOVE"}},
      {"INFO renju_level 1", {}},
      {"INFO timeout_match 0", {}},
      {"INFO timeout_turn 2147483647", {}},
      {"TURN 12,12", {"MOVE"}},
      {"TURN 13,13", {"MOVE"}},
      // The tournament player, with a small hash table, at once and within a turn.
      {"INFO renju_level 8", {}},
      {"INFO max_memory 100000", {}},
      {"INFO timeout_turn 0", {}},
      {"TURN {free}", {"MOVE"}},
      {"INFO timeout_turn 300", {}},
      {"TURN {free}", {"MOVE"}},
      {"INFO max_memory 0", {}},
      {"TURN {free}", {"MOVE"}},
      // A node limit beside the time.
      {"INFO renju_nodes 20000", {}},
      {"TURN {free}", {"MOVE"}},
      {"INFO renju_nodes 0", {}},
      {"TURN {free}", {"MOVE"}}}},
};

// Every kind of bad input: one ERROR line each, and the game goes on as before.
const std::vector<Exchange> BAD = {
    {"commands before START",
     {{"TURN 1,1", {"ERROR:START"}},
      {"BEGIN", {"ERROR:START"}},
      {"RESTART", {"ERROR:START"}},
      {"TAKEBACK 1,1", {"ERROR:START"}},
      {"BOARD", {}},
      {"1,1,1", {}},
      {"DONE", {"ERROR:before START"}}}},
    {"unknown commands and malformed lines",
     {{"START 15", {"OK"}},
      {"INFO timeout_turn 300", {}},
      {"UNKNOWN", {"PREFIX:UNKNOWN "}},
      {"RECTSTART 10,12", {"PREFIX:UNKNOWN command 'RECTSTART'"}},
      {"", {}},
      {"START", {"ERROR:board size"}},
      {"START x", {"ERROR:board size"}},
      {"START 4", {"ERROR:not supported"}},
      {"START 20", {"ERROR:not supported"}},
      {"TURN", {"ERROR:TURN needs x,y"}},
      {"TURN 7", {"ERROR:TURN needs x,y"}},
      {"TURN 7,x", {"ERROR:TURN needs x,y"}},
      {"TURN 7,7,7", {"ERROR:TURN needs x,y"}},
      {"TURN 1.5,2", {"ERROR:TURN needs x,y"}},
      {"TURN 99999999999999999999,1", {"ERROR:TURN 99999999999999999999 is too large"}},
      {"START 99999999999999999999", {"ERROR:too large"}},
      {"INFO max_memory 99999999999999999999", {"ERROR:too large"}},
      {"TURN -1,3", {"ERROR:off the board"}},
      {"TURN 15,0", {"ERROR:off the board"}},
      {"TAKEBACK 3", {"ERROR:TAKEBACK needs x,y"}},
      {"DONE", {"ERROR:DONE without BOARD"}},
      {"ABOUT now", {"ERROR:no arguments"}},
      {"INFO", {"ERROR:key"}},
      {"INFO timeout_turn soon", {"ERROR:whole number"}},
      {"INFO timeout_turn -5", {"ERROR:negative"}},
      {"INFO renju_level 9", {"ERROR:0 to 8"}},
      {"INFO renju_level -1", {"ERROR:0 to 8"}},
      {"INFO max_memory -1", {"ERROR:negative"}},
      {"INFO renju_nodes -1", {"ERROR:negative"}},
      {"INFO rule 2", {"ERROR:continuous"}},
      {"INFO rule 8", {"ERROR:caro"}},
      {"INFO rule 3", {"ERROR:exactly five (1), continuous (2)"}},
      {"INFO rule 16", {"ERROR:not a rule"}},
      {LONG_LINE, {"ERROR:longer than"}},
      // Nothing changed: the board is still empty and the game starts normally.
      {"BEGIN", {"7,7"}},
      {"BEGIN", {"ERROR:RESTART"}},
      {"END", {}}},
     true},
    {"moves on occupied points and bad takebacks change nothing",
     {{"START 15", {"OK"}},
      {"INFO timeout_turn 300", {}},
      {"TURN 3,4", {"MOVE"}},
      {"TURN 3,4", {"ERROR:occupied"}},
      {"TURN {last}", {"ERROR:occupied"}},
      {"TAKEBACK 1,1", {"ERROR:no stone"}},
      {"TAKEBACK 3,4", {"ERROR:colour"}},
      {"TAKEBACK 20,1", {"ERROR:off the board"}},
      {"TAKEBACK {last}", {"OK"}},
      {"TAKEBACK 3,4", {"OK"}},
      {"TURN 3,4", {"MOVE"}}}},
    {"bad BOARD blocks leave the board as it was",
     {{"START 15", {"OK"}},
      {"INFO timeout_turn 300", {}},
      {"TURN 7,7", {"MOVE"}},
      {"BOARD", {}},
      {"1,1,3", {}},
      {"DONE", {"ERROR:continuous"}},
      {"BOARD", {}},
      {"1,1,1", {}},
      {"1,1,2", {}},
      {"DONE", {"ERROR:occupied"}},
      {"BOARD", {}},
      {"1,15,1", {}},
      {"DONE", {"ERROR:off the board"}},
      {"BOARD", {}},
      {"1,1", {}},
      {"2,2,5", {}},
      {"DONE", {"ERROR:'1,1'"}},
      {"BOARD", {}},
      {"1,1,1", {}},
      {LONG_LINE, {}},
      {"2,2,2", {}},
      {"DONE", {"ERROR:BOARD line longer than"}},
      {"BOARD", {}},
      {"1,1,1", {}},
      {"2,2,1", {}},
      {"DONE", {"ERROR:not our turn"}},
      {"BOARD", {}},
      {"1,1,1", {}},
      {"ABOUT", {"ERROR:without DONE", "PREFIX:name="}},
      // The stones of the failed blocks are not there; the game before them is.
      {"TURN 1,1", {"MOVE"}},
      {"TURN 7,7", {"ERROR:occupied"}}}},
    {"END inside BOARD",
     {{"START 15", {"OK"}}, {"BOARD", {}}, {"1,1,1", {}}, {"END", {"ERROR:without DONE"}}},
     true},
    {"input ends inside BOARD",
     {{"START 15", {"OK"}}, {"BOARD", {}}, {"1,1,1", {}}, {"@EOF", {"ERROR:without DONE"}}},
     true},
    {"input ends in the middle of a command",
     {{"@RAW:START 15\r\n", {"OK"}}, {"@RAW:TURN 3,", {}}, {"@EOF", {"ERROR:middle of a command"}}},
     true},
    {"input ends after a line end", {{"START 15", {"OK"}}, {"@EOF", {}}}, true},
};

}  // namespace

TEST(PbrainProtocol, Play) {
    for (const Exchange& e : PLAY)
        RunExchange(e);
}

TEST(PbrainProtocol, BadInput) {
    for (const Exchange& e : BAD)
        RunExchange(e);
}

namespace {

// A position that the slowest level, given an hour per move, thinks about for many seconds.
// The tournament player deepens until its time is up in a quiet opening, so with an hour per
// move it is still thinking whenever the test speaks.
const std::string LONG_THINK = "START 15\nINFO timeout_turn 3600000\nBOARD\n7,7,2\n8,8,1\nDONE\n";
constexpr int END_HEARD_MILLIS = 20000;  // the engine ends within milliseconds; only a hang reaches this

}  // namespace

// END or the end of input stops a long search at once, without a move: while the engine
// thinks, and also when it arrives before the engine has begun to think.
TEST(PbrainProtocol, EndWhileThinkingEndsAtOnce) {
    // "@EOF" closes the input.
    struct Case {
        const char* name;
        std::vector<std::string> withPosition, whileThinking;
    };
    const Case cases[] = {
        {"END", {}, {"END\n"}},
        {"end of input", {}, {"@EOF"}},
        {"END after other commands, in any case and spacing",
         {},
         {"ABOUT\nINFO timeout_turn 100\n\t end \r\n"}},
        {"END in pieces", {}, {"EN", "D\n"}},
        {"END sent with the position", {"END\n"}, {}},
        {"input closed after the position", {"@EOF"}, {}},
    };
    const auto send = [](Child& child, const std::vector<std::string>& writes) {
        for (const std::string& w : writes) {
            if (w == "@EOF")
                child.CloseInput();
            else
                child.Write(w);
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Child child;
        ASSERT_TRUE(child.Running());
        child.Write(LONG_THINK);
        send(child, c.withPosition);
        ASSERT_EQ(child.ReadLine(), "OK");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the search runs
        const auto start = std::chrono::steady_clock::now();
        send(child, c.whileThinking);
        const std::optional<int> status = child.WaitExit(END_HEARD_MILLIS);
        ASSERT_TRUE(status) << "still running " << END_HEARD_MILLIS << " ms after the input ended";
        EXPECT_EQ(*status, 0);
        std::cout << "  " << c.name << ": ended after "
                  << std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                           start)
                         .count()
                  << " ms\n";
        for (std::optional<std::string> extra; (extra = child.ReadLine(1000));) {
            if (extra->rfind("DEBUG", 0) != 0) ADD_FAILURE() << "a line after END: " << *extra;
        }
    }
}

// END behind more input than may wait, all sent while the engine thinks: the engine ends at
// once, without a move and without answering what waited.
TEST(PbrainProtocol, EndBehindAFloodEndsAtOnce) {
    Child child;
    ASSERT_TRUE(child.Running());
    child.Write(LONG_THINK);
    ASSERT_EQ(child.ReadLine(), "OK");
    std::string flood;
    while (flood.size() < 3u << 20)
        flood += "ABOUT\n";
    // Written on a thread of its own: an engine that stopped reading would block the write.
    std::thread writer([&child, bytes = flood + "END\n"] { child.Write(bytes); });
    const std::optional<int> status = child.WaitExit(20000);
    if (!status) child.Kill();
    writer.join();
    ASSERT_TRUE(status) << "still running 20 s after END";
    EXPECT_EQ(*status, 0);
    for (std::optional<std::string> extra; (extra = child.ReadLine(1000));) {
        if (extra->rfind("DEBUG", 0) != 0) ADD_FAILURE() << "a line after END: " << *extra;
    }
}

// Commands that come while the engine thinks wait for its move and are answered in order.
TEST(PbrainProtocol, CommandsSentWhileThinkingFollowTheMove) {
    Child child;
    ASSERT_TRUE(child.Running());
    child.Write(
        "START 15\nINFO timeout_turn 2000\n"  // the tournament player thinks a second or more
        "BOARD\n7,7,2\n8,8,1\nDONE\n");
    ASSERT_EQ(child.ReadLine(), "OK");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    // Handled during the search, RESTART would clear the board it searches.
    child.Write("ABOUT\nRESTART\nINFO timeout_turn 0\nBEGIN\nTURN 0,0\n");
    std::vector<std::string> lines;
    while (lines.size() < 5) {
        const std::optional<std::string> line = child.ReadLine();
        ASSERT_TRUE(line) << "answers so far: " << lines.size();
        if (line->rfind("DEBUG", 0) != 0 && line->rfind("MESSAGE", 0) != 0) lines.push_back(*line);
    }
    std::pair<int, int> move;
    EXPECT_TRUE(ParsePoint(lines[0], &move)) << lines[0];
    EXPECT_EQ(lines[1].rfind("name=", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2], "OK");
    EXPECT_EQ(lines[3], "7,7");
    EXPECT_TRUE(ParsePoint(lines[4], &move) && move != std::make_pair(7, 7) && move != std::make_pair(0, 0))
        << lines[4];
    child.Write("END\n");
    EXPECT_EQ(child.WaitExit(), 0);
}

// A move or a BOARD that leaves the engine no point to answer on is refused and changes nothing.
TEST(PbrainProtocol, NoAnswerOnAFullBoardChangesNothing) {
    // Row by row on 5 x 5 lines, the opponent's stones on even points: `count` stones.
    const auto board = [](int count) {
        std::vector<Step> steps{{"BOARD", {}}};
        for (int p = 0; p < count; ++p)
            steps.push_back(
                {std::to_string(p % 5) + "," + std::to_string(p / 5) + "," + (p % 2 ? "1" : "2"), {}});
        return steps;
    };
    Exchange e{"full board", {{"START 5", {"OK"}}, {"INFO timeout_turn 0", {}}}};
    for (const Step& s : board(23))
        e.steps.push_back(s);
    e.steps.push_back({"DONE", {"MOVE"}});  // one empty point left
    e.steps.push_back({"TURN {free}", {"ERROR:no point to answer; board unchanged"}});
    e.steps.push_back({"TURN {free}", {"ERROR:no point to answer"}});  // the point is still empty
    for (const Step& s : board(25))
        e.steps.push_back(s);
    e.steps.push_back({"DONE", {"ERROR:no point to answer; board unchanged"}});
    e.steps.push_back({"TAKEBACK {last}", {"OK"}});  // the engine's stone is still the last move
    e.steps.push_back({"TURN {free}", {"MOVE"}});    // and it takes the last point itself
    RunExchange(e);
}
