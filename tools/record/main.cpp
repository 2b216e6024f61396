// Writes the record of root searches, or checks the search against it:
//   renju-record write FILE   plays the self-play games and writes every record to FILE
//   renju-record check FILE   searches every record of FILE again and reports each difference
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "engine/patterns.h"
#include "tools/record/search_record.h"

namespace {

int Write(const char* path) {
    const std::vector<SearchRecord> records = GenerateRecords();
    std::ofstream out(path);
    for (const SearchRecord& r : records)
        out << FormatRecord(r) << '\n';
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return 1;
    }
    std::printf("%zu records written to %s\n", records.size(), path);
    return 0;
}

int Check(const char* path) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return 1;
    }
    int lineNumber = 0, checked = 0, different = 0;
    int64_t nodes = 0;
    std::string line;
    while (std::getline(in, line)) {
        ++lineNumber;
        SearchRecord expected;
        if (!ParseRecord(line, &expected)) {
            std::fprintf(stderr, "%s:%d: not a record\n", path, lineNumber);
            return 1;
        }
        SearchRecord actual = expected;
        nodes += SearchRecordPosition(&actual);
        ++checked;
        if (!SameAnswer(actual, expected)) {
            ++different;
            std::printf("line %d differs:\n  recorded %s\n  searched %s\n", lineNumber, line.c_str(),
                        FormatRecord(actual).c_str());
        }
    }
    std::printf("%d records checked, %d different, %lld nodes\n", checked, different,
                static_cast<long long>(nodes));
    return different == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "write") != 0 && std::strcmp(argv[1], "check") != 0)) {
        std::fprintf(stderr, "usage: renju-record write|check FILE\n");
        return 2;
    }
    const TableLoadResult loaded = LoadPatternTables(RENJU_TABLE_DIR);
    if (!loaded.ok) {
        std::fprintf(stderr, "%s\n", loaded.message.c_str());
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    const int result = std::strcmp(argv[1], "write") == 0 ? Write(argv[2]) : Check(argv[2]);
    std::printf("%.1f s\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return result;
}
