// renju-losses [--side A|B] RECORD.psq|FOLDER ...: why one engine of a match lost its games.
// For each lost game: the losing move (the first of the side's moves after which the opponent's
// proven win held to the end), its class, and any earlier win of the side's own that it missed;
// then the count of each class, as Black and as White.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "engine/patterns.h"
#include "player/strong/search.h"
#include "tools/losses/losses.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::string side = "A";
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--side") == 0 && i + 1 < argc) {
            side = argv[++i];
        } else if (fs::is_directory(argv[i])) {
            for (const auto& e : fs::directory_iterator(argv[i]))
                if (e.path().extension() == ".psq") files.push_back(e.path().string());
        } else {
            files.emplace_back(argv[i]);
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: %s [--side A|B] RECORD.psq|FOLDER ...\n", argv[0]);
        return 2;
    }
    std::sort(files.begin(), files.end());
    const TableLoadResult loaded = LoadPatternTables(RENJU_TABLE_DIR);
    if (!loaded.ok) {
        std::fprintf(stderr, "%s\n", loaded.message.c_str());
        return 1;
    }
    strong::SetTableBytes(16 << 20);
    std::map<std::string, int> classes[2];  // by colour: Black, White
    int lost[2] = {0, 0}, games[2] = {0, 0};
    std::vector<int> losingMoves;
    for (const std::string& file : files) {
        std::ifstream in(file);
        std::string error;
        const auto record = records::ReadPsq(in, &error);
        if (!record) {
            std::fprintf(stderr, "%s: %s\n", file.c_str(), error.c_str());
            return 1;
        }
        const losses::LossReport r = losses::AnalyseLoss(*record, side);
        const int c = r.black ? 0 : 1;
        ++games[c];
        if (r.kind == losses::LossClass::NotLost) continue;
        ++lost[c];
        ++classes[c][losses::ClassName(r.kind)];
        if (r.losingMove > 0) losingMoves.push_back(r.losingMove);
        std::printf("%s  %s  %3d moves  %-24s losing move %3d (%s)%s", fs::path(file).filename().c_str(),
                    r.black ? "Black" : "White", r.moves, losses::ClassName(r.kind), r.losingMove,
                    r.losingPoint.empty() ? "-" : r.losingPoint.c_str(),
                    r.losingMove > 0 ? (r.winByFours ? " then VCF" : " then VCT") : "");
        if (r.missedWinMove > 0) std::printf("  own %s at move %d", r.missedWinKind.c_str(), r.missedWinMove);
        if (r.dropMove > 0)
            std::printf("  score fell after move %d: %d to %d", r.dropMove, r.dropFrom, r.dropTo);
        std::printf("\n");
        std::fflush(stdout);
    }
    std::printf("\nSide %s: lost %d of %d as Black, %d of %d as White\n", side.c_str(), lost[0], games[0],
                lost[1], games[1]);
    std::printf("%-26s %6s %6s\n", "class", "Black", "White");
    std::map<std::string, int> all;
    for (const auto& m : classes)
        for (const auto& [name, count] : m)
            all[name] += count;
    for (const auto& [name, count] : all) {
        const auto b = classes[0].find(name), w = classes[1].find(name);
        std::printf("%-26s %6d %6d\n", name.c_str(), b == classes[0].end() ? 0 : b->second,
                    w == classes[1].end() ? 0 : w->second);
    }
    if (!losingMoves.empty()) {
        std::sort(losingMoves.begin(), losingMoves.end());
        std::printf("Losing move: median %d, earliest %d, latest %d\n", losingMoves[losingMoves.size() / 2],
                    losingMoves.front(), losingMoves.back());
    }
    return 0;
}
