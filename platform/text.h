// Small helpers for the text protocols of the command-line programs.
#pragma once

#include <cctype>
#include <string_view>

// `s` without the white space at either end.
inline std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}
