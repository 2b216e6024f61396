// pbrain-renju: the engine for tournament managers, over standard input and output.
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "engine/patterns.h"
#include "platform/exe_dir.h"
#include "platform/random.h"
#include "platform/tick.h"
#include "tools/pbrain/session.h"

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
