// renju-match: plays and referees games between two tournament-protocol engines.
#include <filesystem>
#include <iostream>
#include <system_error>

#include "engine/patterns.h"
#include "tools/match/match.h"
#include "tools/match/process.h"

namespace {

std::filesystem::path ExecutableDir(const char* argv0) {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.parent_path();
    return std::filesystem::path(argv0 ? argv0 : "").parent_path();
}

}  // namespace

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
