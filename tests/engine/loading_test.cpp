#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/patterns.h"
#include "platform/data_files.h"

namespace fs = std::filesystem;

namespace {

// The tables the build wrote; the tests load marked copies of them.
const std::vector<char>& BuiltTable(const std::string& name) {
    static std::map<std::string, std::vector<char>> tables;
    std::vector<char>& t = tables[name];
    if (t.empty()) {
        std::ifstream in(fs::path(RENJU_TABLE_DIR) / name, std::ios::binary);
        t.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return t;
}

// The line index of ten cells, offset -5 first: '.' empty, '|' border, 'X' Black, 'O' White.
int32_t Index(const std::string& cells) {
    int32_t index = 0;
    for (const char c : cells)
        index = index * 4 + static_cast<int32_t>(std::string(".|XO").find(c));
    return index;
}

// A weak shape in every half (one stone beside the point) whose value tells copies apart: any
// seed from 1 to 22 keeps it a value the game knows (a weak shape, a three or a four).
const int32_t MARK = Index(".....X....");

// The built table of that file name, marked with `seed` in each half.
std::vector<char> MarkedTable(const std::string& name, int seed) {
    std::vector<char> t = BuiltTable(name);
    for (size_t half = 0; half < t.size(); half += LINE_INDEX_COUNT)
        t[half + MARK] = static_cast<char>(seed);
    return t;
}

// A marked copy cut or padded to `size` bytes.
void WriteTable(const fs::path& path, long size, int seed) {
    std::vector<char> bytes = MarkedTable(path.filename().string(), seed);
    bytes.resize(static_cast<size_t>(size), 1);
    std::ofstream(path, std::ios::binary).write(bytes.data(), size);
}

bool TablesHold(int blackSeed, int whiteSeed) {
    const std::vector<char> black = MarkedTable("black.dat", blackSeed);
    const std::vector<char> white = MarkedTable("white.dat", whiteSeed);
    return black.size() == BLACK_TABLE_BYTES && white.size() == WHITE_TABLE_BYTES &&
           std::memcmp(g_blackTable, black.data(), BLACK_TABLE_BYTES) == 0 &&
           std::memcmp(g_whiteTable, white.data(), WHITE_TABLE_BYTES) == 0;
}

bool TablesAreZero() {
    return std::all_of(g_blackTable, g_blackTable + BLACK_TABLE_BYTES, [](int8_t b) { return b == 0; }) &&
           std::all_of(g_whiteTable, g_whiteTable + WHITE_TABLE_BYTES, [](int8_t b) { return b == 0; });
}

// Runs each test in a fresh working folder `work`, with `exe` standing for the folder of the
// executable in an installed tree and `data` for that tree's data folder.
class TableLoading : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = fs::current_path();
        root_ = fs::canonical(fs::temp_directory_path()) / ("renju-loading-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        work_ = root_ / "work";
        exe_ = root_ / "tree" / RENJU_TEST_BINDIR;
        data_ = root_ / "tree" / RENJU_TEST_DATADIR / "renju";
        for (const fs::path& folder : {work_, exe_, data_})
            fs::create_directories(folder);
        fs::current_path(work_);
    }
    void TearDown() override {
        fs::current_path(saved_);
        fs::remove_all(root_);
    }
    fs::path saved_, root_, work_, exe_, data_;
};

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

}  // namespace

TEST_F(TableLoading, ReadsFromTheWorkingFolder) {
    WriteTable(work_ / "black.dat", BLACK_TABLE_BYTES, 1);
    WriteTable(work_ / "white.dat", WHITE_TABLE_BYTES, 2);
    const TableLoadResult r = LoadPatternTables(exe_);
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(TablesHold(1, 2));
}

TEST_F(TableLoading, FallsBackToTheExecutableFolderFilePerFile) {
    WriteTable(work_ / "black.dat", BLACK_TABLE_BYTES, 3);
    WriteTable(exe_ / "black.dat", BLACK_TABLE_BYTES, 4);  // the working folder's wins
    WriteTable(exe_ / "white.dat", WHITE_TABLE_BYTES, 5);
    const TableLoadResult r = LoadPatternTables(exe_);
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(TablesHold(3, 5));
}

TEST_F(TableLoading, LongerFileIsReadUpToTheTableSize) {
    WriteTable(work_ / "black.dat", BLACK_TABLE_BYTES + 100, 6);
    WriteTable(work_ / "white.dat", WHITE_TABLE_BYTES + 1, 7);
    EXPECT_TRUE(LoadPatternTables(exe_).ok);
    EXPECT_TRUE(TablesHold(6, 7));
}

TEST_F(TableLoading, ErrorsNameTheFileThePlacesAndTheSizes) {
    struct Case {
        const char* name;
        long blackSize, whiteSize;  // -1: no file
        std::vector<std::string> mentions;
    };
    const Case cases[] = {
        {"black missing", -1, WHITE_TABLE_BYTES, {"black.dat", "work", exe_.string(), "2097152"}},
        {"white missing", BLACK_TABLE_BYTES, -1, {"white.dat", "work", exe_.string(), "1048576"}},
        {"black short", 1000, WHITE_TABLE_BYTES, {"work/black.dat", "1000", "2097152"}},
        {"white short", BLACK_TABLE_BYTES, WHITE_TABLE_BYTES - 1, {"work/white.dat", "1048575", "1048576"}},
        {"white empty", BLACK_TABLE_BYTES, 0, {"white.dat", " 0 bytes", "1048576"}},
    };
    for (const Case& c : cases) {
        fs::remove(work_ / "black.dat");
        fs::remove(work_ / "white.dat");
        if (c.blackSize >= 0) WriteTable(work_ / "black.dat", c.blackSize, 8);
        if (c.whiteSize >= 0) WriteTable(work_ / "white.dat", c.whiteSize, 9);
        const TableLoadResult r = LoadPatternTables(exe_);
        EXPECT_FALSE(r.ok) << c.name;
        for (const std::string& m : c.mentions) {
            EXPECT_NE(r.message.find(m), std::string::npos)
                << c.name << ": \"" << m << "\" not in: " << r.message;
        }
        // Never a game with one table loaded and the other empty or cut short.
        EXPECT_TRUE(TablesAreZero()) << c.name;
    }
}

TEST_F(TableLoading, FallsBackToTheInstalledDataFolder) {
    WriteTable(data_ / "black.dat", BLACK_TABLE_BYTES, 10);
    WriteTable(exe_ / "white.dat", WHITE_TABLE_BYTES, 11);  // beside the program comes first
    WriteTable(data_ / "white.dat", WHITE_TABLE_BYTES, 12);
    const TableLoadResult r = LoadPatternTables(exe_);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(TablesHold(10, 11));
    EXPECT_EQ(r.blackFile, (data_ / "black.dat").string());
    EXPECT_EQ(r.whiteFile, (exe_ / "white.dat").string());
}

TEST_F(TableLoading, MissingFileErrorListsEveryPlaceOnce) {
    struct Case {
        const char* name;
        fs::path working;
        std::vector<fs::path> places;  // where black.dat is looked for, in order
    };
    const Case cases[] = {
        {"three folders", work_, {work_, exe_, data_}},
        {"working folder is the program's", exe_, {exe_, data_}},
        {"working folder is the data folder", data_, {data_, exe_}},
    };
    for (const Case& c : cases) {
        fs::current_path(c.working);
        const TableLoadResult r = LoadPatternTables(exe_);
        ASSERT_FALSE(r.ok) << c.name;
        std::string looked;
        for (const fs::path& folder : c.places) {
            const std::string place = (folder / "black.dat").string();
            EXPECT_EQ(Count(r.message, place + ",") + Count(r.message, place + "."), 1u)
                << c.name << ": " << place << " in: " << r.message;
            looked += (looked.empty() ? "" : ", ") + place;
        }
        EXPECT_NE(r.message.find("Looked in: " + looked + "."), std::string::npos)
            << c.name << ": " << r.message;
    }
}

// The order is the working folder, beside the program, the installed data folder; however a folder
// is spelled (a link, "." or "..", a trailing slash), it is listed once. Folders that do not exist
// are distinct unless they are the same path.
TEST_F(TableLoading, DataFilePlacesAreOrderedAndEachListedOnce) {
    fs::create_directory_symlink(exe_, root_ / "link");
    const fs::path missing = root_ / "missing" / "bin";
    const fs::path missingData = root_ / "missing" / RENJU_TEST_DATADIR / "renju";
    struct Case {
        const char* name;
        fs::path working, program;
        std::vector<fs::path> folders;
    };
    const Case cases[] = {
        {"three folders", work_, exe_, {work_, exe_, data_}},
        {"program through a link", exe_, root_ / "link", {exe_, data_}},
        {"program spelled with . and ..",
         work_,
         exe_ / "." / ".." / exe_.filename() / "",
         {work_, exe_, data_}},
        {"run in the data folder", data_, exe_, {data_, exe_}},
        {"program folder that does not exist", work_, missing, {work_, missing, missingData}},
    };
    for (const Case& c : cases) {
        fs::current_path(c.working);
        std::vector<fs::path> expected;
        for (const fs::path& folder : c.folders)
            expected.push_back(folder / "x.dat");
        EXPECT_EQ(DataFilePlaces("x.dat", c.program), expected) << c.name;
    }
}

// A file of the right size whose contents the game cannot play with is refused like a missing
// one: the file and what is wrong with it are named, and both tables stay empty.
TEST_F(TableLoading, DamagedTablesAreRefused) {
    struct Case {
        const char* name;
        const char* file;
        void (*damage)(std::vector<char>& bytes);
        std::vector<std::string> mentions;
    };
    const Case cases[] = {
        {"random bytes",
         "black.dat",
         [](std::vector<char>& b) {
             std::mt19937 random(16);
             for (char& c : b)
                 c = static_cast<char>(random());
         },
         {"work/black.dat", "damaged", "holds the value"}},
        {"all 0x7F",
         "white.dat",
         [](std::vector<char>& b) { std::fill(b.begin(), b.end(), '\x7f'); },
         {"work/white.dat", "damaged", "127 to a line without stones"}},
        {"all 0x80",
         "black.dat",
         [](std::vector<char>& b) { std::fill(b.begin(), b.end(), '\x80'); },
         {"work/black.dat", "unrestricted Black half", "-128"}},
        {"a forbidden mark in White's table",
         "white.dat",
         [](std::vector<char>& b) { b[MARK] = -20; },
         {"work/white.dat", "-20"}},
        {"an overline of restricted Black taken for a five",
         "black.dat",
         [](std::vector<char>& b) { b[LINE_INDEX_COUNT + Index("XXXXX.....")] = 127; },
         {"restricted Black half", "127", "XXXXX[X].....", "forbidden"}},
        {"White's five taken for a weak shape",
         "white.dat",
         [](std::vector<char>& b) { b[Index(".OOOO.....")] = 5; },
         {"work/white.dat", "a five .OOOO[O]....."}},
        {"an open four taken for a four",
         "black.dat",
         [](std::vector<char>& b) { b[Index("..XXX.....")] = 18; },
         {"unrestricted Black half", "open four ..XXX[X]....."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteTable(work_ / "black.dat", BLACK_TABLE_BYTES, 1);
        WriteTable(work_ / "white.dat", WHITE_TABLE_BYTES, 2);
        std::vector<char> bytes = MarkedTable(c.file, 3);
        c.damage(bytes);
        std::ofstream(work_ / c.file, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
        const TableLoadResult r = LoadPatternTables(exe_);
        EXPECT_FALSE(r.ok);
        for (const std::string& m : c.mentions)
            EXPECT_NE(r.message.find(m), std::string::npos) << "\"" << m << "\" not in: " << r.message;
        EXPECT_TRUE(TablesAreZero());
    }
}
