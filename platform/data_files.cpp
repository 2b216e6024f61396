#include "platform/data_files.h"

#include <algorithm>
#include <system_error>

#ifndef RENJU_DATA_FROM_BIN
#define RENJU_DATA_FROM_BIN "../share/renju"
#endif

namespace fs = std::filesystem;

namespace {

// Absolute, without "." and "..", through the links of the part that exists. Two spellings of
// the same existing folder give the same path; paths that do not exist stay apart unless they
// are spelled alike.
fs::path Normal(const fs::path& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    if (ec) absolute = path;
    fs::path resolved = fs::weakly_canonical(absolute, ec);
    if (ec) resolved = absolute;
    return resolved.lexically_normal();
}

}  // namespace

fs::path InstalledDataDir(const fs::path& programDir) {
    return programDir / RENJU_DATA_FROM_BIN;
}

std::vector<fs::path> DataFilePlaces(const std::string& name, const fs::path& programDir) {
    std::error_code ec;
    std::vector<fs::path> folders;
    const fs::path working = fs::current_path(ec);
    if (!ec) folders.push_back(working);
    folders.push_back(programDir);
    folders.push_back(InstalledDataDir(programDir));

    std::vector<fs::path> places;
    for (const fs::path& folder : folders) {
        const fs::path place = Normal(folder / name);
        if (std::find(places.begin(), places.end(), place) == places.end()) places.push_back(place);
    }
    return places;
}

std::string JoinPlaces(const std::vector<fs::path>& places) {
    std::string text;
    for (const fs::path& place : places)
        text += (text.empty() ? "" : ", ") + place.string();
    return text;
}
