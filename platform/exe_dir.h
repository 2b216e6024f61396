// The folder of the running program, where the build puts the pattern tables beside it.
#pragma once

#include <filesystem>

// From /proc/self/exe, so that a program started through $PATH or a symbolic link still
// finds its folder; failing that, the folder part of argv[0].
std::filesystem::path ExecutableDir(const char* argv0);
