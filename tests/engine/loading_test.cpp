#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
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

// The built table of that file name, cut or padded to `size` bytes.
void WriteTable(const fs::path& path, long size) {
    std::vector<char> bytes = BuiltTable(path.filename().string());
    bytes.resize(static_cast<size_t>(size), 1);
    std::ofstream(path, std::ios::binary).write(bytes.data(), size);
}

bool TablesHoldTheBuiltOnes() {
    const std::vector<char>& black = BuiltTable("black.dat");
    const std::vector<char>& white = BuiltTable("white.dat");
    return black.size() == BLACK_TABLE_BYTES && white.size() == WHITE_TABLE_BYTES &&
           std::memcmp(g_blackTable, black.data(), BLACK_TABLE_BYTES) == 0 &&
           std::memcmp(g_whiteTable, white.data(), WHITE_TABLE_BYTES) == 0;
}

// A place that would be refused if it were read: a table of the wrong size.
void WriteDecoy(const fs::path& path) {
    WriteTable(path, 10);
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
    WriteTable(work_ / "black.dat", BLACK_TABLE_BYTES);
    WriteTable(work_ / "white.dat", WHITE_TABLE_BYTES);
    WriteDecoy(exe_ / "black.dat");
    const TableLoadResult r = LoadPatternTables(exe_);
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.blackFile, (work_ / "black.dat").string());
    EXPECT_EQ(r.whiteFile, (work_ / "white.dat").string());
    EXPECT_TRUE(TablesHoldTheBuiltOnes());
}

TEST_F(TableLoading, FallsBackToTheExecutableFolderFilePerFile) {
    WriteTable(work_ / "black.dat", BLACK_TABLE_BYTES);
    WriteDecoy(exe_ / "black.dat");  // the working folder's wins
    WriteTable(exe_ / "white.dat", WHITE_TABLE_BYTES);
    const TableLoadResult r = LoadPatternTables(exe_);
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.blackFile, (work_ / "black.dat").string());
    EXPECT_EQ(r.whiteFile, (exe_ / "white.dat").string());
    EXPECT_TRUE(TablesHoldTheBuiltOnes());
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
        // Extra bytes are no part of any table this program made.
        {"black long",
         BLACK_TABLE_BYTES + 100,
         WHITE_TABLE_BYTES,
         {"work/black.dat", "too long", "2097252", "2097152"}},
        {"white twice as long",
         BLACK_TABLE_BYTES,
         2 * WHITE_TABLE_BYTES,
         {"work/white.dat", "too long", "2097152 bytes, expected 1048576"}},
    };
    for (const Case& c : cases) {
        fs::remove(work_ / "black.dat");
        fs::remove(work_ / "white.dat");
        if (c.blackSize >= 0) WriteTable(work_ / "black.dat", c.blackSize);
        if (c.whiteSize >= 0) WriteTable(work_ / "white.dat", c.whiteSize);
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
    WriteTable(data_ / "black.dat", BLACK_TABLE_BYTES);
    WriteTable(exe_ / "white.dat", WHITE_TABLE_BYTES);  // beside the program comes first
    WriteDecoy(data_ / "white.dat");
    const TableLoadResult r = LoadPatternTables(exe_);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(TablesHoldTheBuiltOnes());
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
         [](std::vector<char>& b) { b[Index(".....O....")] = -20; },
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
        WriteTable(work_ / "black.dat", BLACK_TABLE_BYTES);
        WriteTable(work_ / "white.dat", WHITE_TABLE_BYTES);
        std::vector<char> bytes = BuiltTable(c.file);
        c.damage(bytes);
        std::ofstream(work_ / c.file, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
        const TableLoadResult r = LoadPatternTables(exe_);
        EXPECT_FALSE(r.ok);
        for (const std::string& m : c.mentions)
            EXPECT_NE(r.message.find(m), std::string::npos) << "\"" << m << "\" not in: " << r.message;
        EXPECT_TRUE(TablesAreZero());
    }
}

// A table that passes every check of its contents but is not the one this build made is refused:
// one byte changed to another value that a shape has, or one bit.
TEST_F(TableLoading, TablesThatDifferFromTheBuiltOnesAreRefused) {
    struct Case {
        const char* file;
        size_t at;
        int8_t was, becomes;
    };
    const Case cases[] = {
        {"black.dat", 1060992, 3, 4},
        {"white.dat", 536633, 3, 4},
        {"white.dat", 524288, BuiltTable("white.dat")[524288],
         static_cast<int8_t>(BuiltTable("white.dat")[524288] ^ 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " byte " + std::to_string(c.at));
        WriteTable(work_ / "black.dat", BLACK_TABLE_BYTES);
        WriteTable(work_ / "white.dat", WHITE_TABLE_BYTES);
        ASSERT_TRUE(LoadPatternTables(exe_).ok);
        std::vector<char> bytes = BuiltTable(c.file);
        ASSERT_EQ(bytes[c.at], c.was);
        bytes[c.at] = c.becomes;
        std::ofstream(work_ / c.file, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
        const TableLoadResult r = LoadPatternTables(exe_);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find((work_ / c.file).string() + " does not match this version of the program"),
                  std::string::npos)
            << r.message;
        EXPECT_TRUE(TablesAreZero());
    }
}

// What is not a regular file is refused at once and named for what it is: a FIFO must not
// hold the program in open() waiting for a writer.
TEST_F(TableLoading, OnlyRegularFilesAreRead) {
    struct Case {
        const char* name;
        const char* file;
        void (*make)(const fs::path& path);
        const char* says;
    };
    const Case cases[] = {
        {"a FIFO as black.dat", "black.dat",
         [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, "is not a regular file"},
        {"a FIFO as white.dat", "white.dat",
         [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, "is not a regular file"},
        {"a folder named black.dat", "black.dat", [](const fs::path& p) { fs::create_directory(p); },
         "is a folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* name : {"black.dat", "white.dat"})
            fs::remove_all(work_ / name);
        WriteTable(work_ / "black.dat", BLACK_TABLE_BYTES);
        WriteTable(work_ / "white.dat", WHITE_TABLE_BYTES);
        WriteTable(exe_ / c.file, c.file == std::string("black.dat") ? BLACK_TABLE_BYTES : WHITE_TABLE_BYTES);
        fs::remove(work_ / c.file);
        c.make(work_ / c.file);
        auto load = std::async(std::launch::async, [&] { return LoadPatternTables(exe_); });
        if (load.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            // Let a reader blocked in open() go, so that the failure is reported and not a hang.
            const int writer = ::open((work_ / c.file).c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) ::close(writer);
            load.wait();
            ADD_FAILURE() << "still loading 20 s later: blocked on " << (work_ / c.file);
            continue;
        }
        const TableLoadResult r = load.get();
        EXPECT_FALSE(r.ok) << "a good table in the next place must not hide this one";
        EXPECT_NE(r.message.find((work_ / c.file).string() + " " + c.says), std::string::npos) << r.message;
        EXPECT_TRUE(TablesAreZero());
    }
}
