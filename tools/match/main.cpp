// renju-match: plays and referees games between two tournament-protocol engines.
#include <iostream>

#include "engine/patterns.h"
#include "platform/exe_dir.h"
#include "tools/match/match.h"
#include "tools/match/process.h"

int main(int argc, char** argv) {
    match::MatchOptions options;
    bool help = false;
    const std::string error =
        match::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), &options, &help);
    if (help) {
        std::cout << match::UsageText();
        return 0;
    }
    if (!error.empty()) {
        std::cerr << "renju-match: " << error << "\n\n" << match::UsageText();
        return 2;
    }
    // The referee judges forbidden moves with the engine's own pattern tables.
    const TableLoadResult tables = LoadPatternTables(ExecutableDir(argv[0]));
    if (!tables.ok) {
        std::cerr << "renju-match: " << tables.message << "\n";
        return 1;
    }
    match::InstallSignalHandlers();
    return match::RunMatch(options, std::cout, std::cerr);
}
