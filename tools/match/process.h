// An engine run as a child process in a process group of its own, with pipes on its standard
// input and output. Every wait is bounded.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "tools/match/protocol.h"

namespace match {

// SIGPIPE ignored (a dead engine is a lost game, not the end of the match); SIGINT and SIGTERM
// stop the match after the running wait, so that the engines can still be stopped.
void InstallSignalHandlers();
bool StopRequested();

// The words of a command line that needs no shell: blanks separate words, quotes and backslashes
// work as in the shell. Nothing when the line uses anything else of the shell (pipes, variables,
// patterns, assignments, ~), so that it is run by /bin/sh -c instead.
std::optional<std::vector<std::string>> SplitSimpleCommand(const std::string& command);

class EngineProcess final : public EngineLink {
public:
    static constexpr size_t MAX_LINE = 4096;  // longer lines are cut, so output cannot grow memory

    explicit EngineProcess(const std::string& command);
    ~EngineProcess() override;
    EngineProcess(const EngineProcess&) = delete;
    EngineProcess& operator=(const EngineProcess&) = delete;

    // False when no process could be made (fork or pipe failed); error() tells why.
    bool Started() const { return pid_ > 0; }
    const std::string& Error() const { return error_; }

    bool Send(const std::string& line) override;
    Reply ReadLine(Clock::time_point deadline) override;
    std::string EndDescription() override;

    // Sends END, waits up to graceMillis for the exit, then kills what is left of the group.
    void Stop(int graceMillis);

private:
    // Collects the exit status if the process ends within waitMillis.
    bool Reap(int waitMillis);

    pid_t pid_ = -1;
    int toChild_ = -1, fromChild_ = -1;
    std::string error_;
    std::string buffer_;
    bool discarding_ = false;  // inside a line that was too long
    bool outputClosed_ = false, inputRefused_ = false;
    bool reaped_ = false;
    int status_ = 0;
};

}  // namespace match
