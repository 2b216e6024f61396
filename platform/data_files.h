// Where the program's data files (the pattern tables, the help file) are looked for.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The installed data folder: a fixed path relative to the program's folder (bin/../share/renju
// for an installed tree), so that a tree unpacked under another root still finds its data.
std::filesystem::path InstalledDataDir(const std::filesystem::path& programDir);

// The places a data file named without a folder is looked for, in order: the working folder,
// the program's folder, the installed data folder. Each is absolute and normalised, with
// symbolic links of existing folders resolved, and listed once: when two folders are the same,
// only the first is kept.
std::vector<std::filesystem::path> DataFilePlaces(const std::string& name,
                                                  const std::filesystem::path& programDir);

// "a, b, c": the places for a message.
std::string JoinPlaces(const std::vector<std::filesystem::path>& places);
