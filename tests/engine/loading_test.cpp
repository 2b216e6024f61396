#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/patterns.h"
#include "platform/data_files.h"

namespace fs = std::filesystem;

namespace {

// Byte i of a test table file; differs per file so that a mix-up shows.
int8_t PatternByte(long i, int seed) {
    return static_cast<int8_t>((i * 7 + seed) & 0xff);
}

void WriteTable(const fs::path& path, long size, int seed) {
    std::vector<char> bytes(static_cast<size_t>(size));
    for (long i = 0; i < size; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>(PatternByte(i, seed));
    std::ofstream(path, std::ios::binary).write(bytes.data(), size);
}

bool TablesHold(int blackSeed, int whiteSeed) {
    for (long i = 0; i < BLACK_TABLE_BYTES; i += 4099) {
        if (g_blackTable[i] != PatternByte(i, blackSeed)) return false;
    }
    for (long i = 0; i < WHITE_TABLE_BYTES; i += 4099) {
        if (g_whiteTable[i] != PatternByte(i, whiteSeed)) return false;
    }
    return g_blackTable[BLACK_TABLE_BYTES - 1] == PatternByte(BLACK_TABLE_BYTES - 1, blackSeed) &&
           g_whiteTable[WHITE_TABLE_BYTES - 1] == PatternByte(WHITE_TABLE_BYTES - 1, whiteSeed);
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
