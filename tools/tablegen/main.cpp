// Writes black.dat and white.dat into the folder given on the command line and, when a second
// argument names one, a C++ source that defines their hashes for the programs.
#include <cinttypes>
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

static bool WriteHashes(const std::filesystem::path& path, uint64_t black, uint64_t white) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    std::fprintf(f,
                 "// Written by renju-tablegen: the hashes of the tables it wrote beside this file.\n"
                 "#include \"engine/table_hashes.h\"\n\n"
                 "const uint64_t BUILT_BLACK_TABLE_HASH = 0x%016" PRIx64
                 "u;\n"
                 "const uint64_t BUILT_WHITE_TABLE_HASH = 0x%016" PRIx64 "u;\n",
                 black, white);
    return std::fclose(f) == 0;
}

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [HASH_SOURCE]\n", argv[0]);
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
    if (argc == 3 &&
        !WriteHashes(argv[2], TableHash(black.data(), black.size()), TableHash(white.data(), white.size()))) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
