// Writes black.dat and white.dat into the folder given on the command line.
#include <cstdio>
#include <filesystem>
#include <vector>

#include "engine/patterns.h"
#include "tools/tablegen/shape_table.h"

static bool WriteFile(const std::filesystem::path& path, const int8_t* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::vector<int8_t> black(BLACK_TABLE_BYTES), white(WHITE_TABLE_BYTES);
    BuildPatternTables(black.data(), white.data());
    if (!WriteFile(out / "black.dat", black.data(), black.size()) ||
        !WriteFile(out / "white.dat", white.data(), white.size())) {
        std::fprintf(stderr, "%s: cannot write the tables into %s\n", argv[0], out.c_str());
        return 1;
    }
    return 0;
}
