#pragma once

#include <string>
#include <string_view>

namespace vorq {

// Names from COBOL, options and SQL are ASCII where case matters: no locale is asked.
inline std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Whether two names are the same in any letter case (ASCII letters only).
inline bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i])
            continue;
        const char lower = static_cast<char>(a[i] | 0x20);
        if (lower < 'a' || lower > 'z' || lower != static_cast<char>(b[i] | 0x20))
            return false;
    }
    return true;
}

// The text without the blanks at either end.
inline std::string trimmed(std::string_view text, std::string_view blanks = " ") {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return "";
    return std::string(text.substr(first, text.find_last_not_of(blanks) - first + 1));
}

} // namespace vorq
