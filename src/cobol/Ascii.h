#pragma once

#include <string>
#include <string_view>

namespace vorq::cobol {

// Letter case and character classes of COBOL's words, which are ASCII, without the locale's
// function calls: the lexer asks them for every character of a source.
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

} // namespace vorq::cobol
