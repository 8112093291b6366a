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

// The text without the blanks at either end.
inline std::string trimmed(std::string_view text, std::string_view blanks = " ") {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return "";
    return std::string(text.substr(first, text.find_last_not_of(blanks) - first + 1));
}

} // namespace vorq
