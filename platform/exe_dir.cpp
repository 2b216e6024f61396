#include "platform/exe_dir.h"

#include <system_error>

std::filesystem::path ExecutableDir(const char* argv0) {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.parent_path();
    return std::filesystem::path(argv0 ? argv0 : "").parent_path();
}
