#pragma once

#include <string>
#include <string_view>

namespace vorq {

// Names from COBOL, options and SQL are ASCII where case matters: no locale is asked (the
// lexer asks these for every character of a source).
constexpr char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr bool isAsciiAlnum(char c) {
    const char u = asciiUpper(c);
    return isAsciiDigit(c) || (u >= 'A' && u <= 'Z');
}

constexpr char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string upperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = asciiUpper(c);
    return out;
}

inline std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = asciiLower(c);
    return out;
}

// The value of a run of ASCII digits that the caller has checked, nine at most.
constexpr int digitsValue(std::string_view digits) {
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

// text equals keyword (given in upper case) in any letter case.
constexpr bool equalsKeyword(std::string_view text, std::string_view keyword) {
    if (text.size() != keyword.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (asciiUpper(text[i]) != keyword[i])
            return false;
    return true;
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
inline std::string_view trimmedView(std::string_view text, std::string_view blanks = " ") {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

inline std::string trimmed(std::string_view text, std::string_view blanks = " ") {
    return std::string(trimmedView(text, blanks));
}

} // namespace vorq
