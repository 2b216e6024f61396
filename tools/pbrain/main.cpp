// pbrain-renju: the engine for tournament managers, over standard input and output.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "engine/patterns.h"
#include "platform/random.h"
#include "platform/tick.h"
#include "tools/pbrain/session.h"

namespace {

std::filesystem::path ExecutableDir(const char* argv0) {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.parent_path();
    return std::filesystem::path(argv0 ? argv0 : "").parent_path();
}

}  // namespace

int main(int, char** argv) {
    SeedRandom(TickCount());
    const TableLoadResult tables = LoadPatternTables(ExecutableDir(argv[0]));
    pbrain::Session session(
        [](const std::string& line) {
            std::fwrite(line.data(), 1, line.size(), stdout);
            std::fputc('\n', stdout);
            std::fflush(stdout);  // the manager waits for each answer
        },
        tables.ok ? std::string() : tables.message);
    char buffer[4096];
    while (!session.Finished()) {
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            session.EndOfInput();
            break;
        }
        session.Feed(std::string_view(buffer, static_cast<size_t>(n)));
    }
    return 0;
}
