#include "tools/match/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <thread>

namespace match {

namespace {

volatile sig_atomic_t g_stop = 0;

void OnStopSignal(int) {
    g_stop = 1;
}

constexpr int WRITE_WAIT_MILLIS = 5000;  // a pipe full for this long: the engine reads no more

int MillisUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<int64_t>(left, 0, 1 << 30));
}

}  // namespace

std::optional<std::vector<std::string>> SplitSimpleCommand(const std::string& command) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (c == ' ' || c == '\t') {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\'') {
            const size_t end = command.find('\'', i + 1);
            if (end == std::string::npos) return std::nullopt;
            word += command.substr(i + 1, end - i - 1);
            i = end;
        } else if (c == '"') {
            for (++i;; ++i) {
                if (i >= command.size() || command[i] == '$' || command[i] == '`') return std::nullopt;
                if (command[i] == '"') break;
                if (command[i] == '\\' && i + 1 < command.size() &&
                    std::string_view("\"\\$`").find(command[i + 1]) != std::string_view::npos)
                    ++i;
                word += command[i];
            }
        } else if (c == '\\') {
            if (i + 1 >= command.size() || command[i + 1] == '\n') return std::nullopt;
            word += command[++i];
        } else if (std::string_view("|&;<>()$`*?[]{}#~!\n\r").find(c) != std::string_view::npos) {
            return std::nullopt;
        } else if (c == '=' && words.empty()) {
            return std::nullopt;  // an assignment before the command
        } else {
            word += c;
        }
    }
    if (inWord) words.push_back(word);
    if (words.empty()) return std::nullopt;
    return words;
}

void InstallSignalHandlers() {
    signal(SIGPIPE, SIG_IGN);
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0;  // no SA_RESTART: a poll in progress returns at once
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
}

bool StopRequested() {
    return g_stop != 0;
}

EngineProcess::EngineProcess(const std::string& command) {
    // Run directly where possible: a shell in between would keep the engine's output open after
    // the engine closed it, and report a crash as an exit status.
    const std::optional<std::vector<std::string>> words = SplitSimpleCommand(command);
    std::vector<char*> argv;
    if (words) {
        for (const std::string& w : *words)
            argv.push_back(const_cast<char*>(w.c_str()));
    } else {
        for (const char* w : {"sh", "-c", command.c_str()})
            argv.push_back(const_cast<char*>(w));
    }
    argv.push_back(nullptr);
    signal(SIGPIPE, SIG_IGN);  // also for callers that did not install the handlers: writing to a dead engine
    int in[2], out[2];
    // Close-on-exec, so that neither engine inherits the other's pipes and hides its end of output.
    if (pipe2(in, O_CLOEXEC) != 0) {
        error_ = std::string("pipe: ") + std::strerror(errno);
        return;
    }
    if (pipe2(out, O_CLOEXEC) != 0) {
        error_ = std::string("pipe: ") + std::strerror(errno);
        close(in[0]);
        close(in[1]);
        return;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        signal(SIGPIPE, SIG_DFL);  // an ignored signal would stay ignored across exec
        signal(SIGINT, SIG_DFL);
        signal(SIGTERM, SIG_DFL);
        if (dup2(in[0], STDIN_FILENO) < 0 || dup2(out[1], STDOUT_FILENO) < 0) _exit(127);
        if (words)
            execvp(argv[0], argv.data());
        else
            execv("/bin/sh", argv.data());
        const std::string message =
            std::string("renju-match: cannot run ") + argv[0] + ": " + std::strerror(errno) + "\n";
        if (write(STDERR_FILENO, message.data(), message.size()) < 0) _exit(127);
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    if (pid < 0) {
        error_ = std::string("fork: ") + std::strerror(errno);
        close(in[1]);
        close(out[0]);
        return;
    }
    setpgid(pid, pid);  // also here: the group must exist before any kill of it
    pid_ = pid;
    toChild_ = in[1];
    fromChild_ = out[0];
    fcntl(toChild_, F_SETFL, fcntl(toChild_, F_GETFL) | O_NONBLOCK);
}

EngineProcess::~EngineProcess() {
    Stop(0);
}

bool EngineProcess::Send(const std::string& line) {
    if (toChild_ < 0 || inputRefused_) return false;
    const std::string bytes = line + "\n";
    const auto deadline = Clock::now() + std::chrono::milliseconds(WRITE_WAIT_MILLIS);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(toChild_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd p{toChild_, POLLOUT, 0};
            const int wait = MillisUntil(deadline);
            if (wait > 0 && poll(&p, 1, wait) >= 0) continue;
            if (errno == EINTR && !StopRequested()) continue;
        }
        inputRefused_ = true;
        return false;
    }
    return true;
}

EngineLink::Reply EngineProcess::ReadLine(Clock::time_point deadline) {
    for (;;) {
        const size_t end = buffer_.find('\n');
        if (end != std::string::npos) {
            std::string line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (discarding_) {  // the rest of a cut line
                discarding_ = false;
                continue;
            }
            return {Status::Line, line};
        }
        if (buffer_.size() > MAX_LINE && !discarding_) {
            std::string line = buffer_.substr(0, MAX_LINE);
            buffer_.clear();
            discarding_ = true;
            return {Status::Line, line};
        }
        if (discarding_) buffer_.clear();
        if (outputClosed_) {
            // A last line without its line end still counts.
            if (!buffer_.empty() && !discarding_) {
                std::string line;
                line.swap(buffer_);
                return {Status::Line, line};
            }
            return {Status::Closed, {}};
        }
        if (StopRequested()) return {Status::Interrupted, {}};
        const int wait = MillisUntil(deadline);
        if (wait <= 0) return {Status::Timeout, {}};
        pollfd p{fromChild_, POLLIN, 0};
        const int ready = poll(&p, 1, wait);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;  // the deadline is checked again above
        char chunk[4096];
        const ssize_t n = read(fromChild_, chunk, sizeof chunk);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0)
            outputClosed_ = true;
        else
            buffer_.append(chunk, static_cast<size_t>(n));
    }
}

bool EngineProcess::Reap(int waitMillis) {
    if (reaped_) return true;
    if (pid_ <= 0) return false;
    const auto deadline = Clock::now() + std::chrono::milliseconds(waitMillis);
    for (;;) {
        siginfo_t info{};
        // Not reaped yet: while the leader is a zombie its number cannot name another group.
        if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            info.si_pid == pid_) {
            kill(-pid_, SIGKILL);  // whatever the engine left running in its group
            while (waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
            }
            reaped_ = true;
            return true;
        }
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::string EngineProcess::EndDescription() {
    if (pid_ <= 0) return "was not started: " + error_;
    if (Reap(500)) {
        if (WIFEXITED(status_)) return "exited with status " + std::to_string(WEXITSTATUS(status_));
        if (WIFSIGNALED(status_)) {
            const int s = WTERMSIG(status_);
            const char* name = strsignal(s);
            return "killed by signal " + std::to_string(s) + (name ? std::string(" (") + name + ")" : "");
        }
        return "ended";
    }
    if (outputClosed_) return "closed its output";
    if (inputRefused_) return "stopped reading its input";
    return "stopped answering";
}

void EngineProcess::Stop(int graceMillis) {
    if (pid_ <= 0) return;
    if (!reaped_) {
        Send("END");
        if (toChild_ >= 0) close(toChild_);
        toChild_ = -1;
        if (!Reap(graceMillis)) {
            kill(-pid_, SIGKILL);
            kill(pid_, SIGKILL);
            while (waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
            }
            reaped_ = true;
        }
    }
    if (toChild_ >= 0) close(toChild_);
    if (fromChild_ >= 0) close(fromChild_);
    toChild_ = fromChild_ = -1;
    pid_ = -1;
}

}  // namespace match
