// pbrain-renju: the engine for tournament managers, over standard input and output.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "engine/patterns.h"
#include "platform/exe_dir.h"
#include "platform/random.h"
#include "platform/tick.h"
#include "tools/pbrain/reader.h"
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
    // Ending the process stops the search threads with it; no destructor may run while they
    // still use the engine's globals.
    pbrain::InputReader input(STDIN_FILENO, [] {
        std::fflush(stdout);
        std::_Exit(EXIT_SUCCESS);
    });
    session.SetThinkingHooks([&input] { input.BeginThinking(); }, [&input] { input.EndThinking(); });
    while (!session.Finished()) {
        const std::optional<pbrain::InputReader::Chunk> chunk = input.Next();
        if (!chunk) {
            session.EndOfInput();
            break;
        }
        if (chunk->dropped)
            session.InputDropped(pbrain::MAX_QUEUED_BYTES);
        else
            session.Feed(chunk->bytes);
    }
    return 0;
}
