#include "builder/KeyPattern.h"

#include <cctype>

namespace vorq::builder {
namespace {

// Whether c is in the list that starts after '[' at p; end is set after the closing ']'.
bool inList(std::string_view pattern, std::size_t p, char c, std::size_t& end, bool& valid) {
    bool negate = false;
    if (p < pattern.size() && pattern[p] == '!') {
        negate = true;
        ++p;
    }
    bool found = false;
    for (bool first = true; p < pattern.size() && (pattern[p] != ']' || first); first = false) {
        const char low = pattern[p];
        if (p + 2 < pattern.size() && pattern[p + 1] == '-' && pattern[p + 2] != ']') {
            found = found || (c >= low && c <= pattern[p + 2]);
            p += 3;
        } else {
            found = found || c == low;
            ++p;
        }
    }
    valid = p < pattern.size();
    end = p + 1;
    return found != negate;
}

// Whether the pattern element at p (not a '*') takes the character c; next is set after it.
bool takes(std::string_view pattern, std::size_t p, char c, std::size_t& next) {
    const char element = pattern[p];
    next = p + 1;
    if (element == '?')
        return true;
    if (element == '#')
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    if (element == '[') {
        std::size_t end = 0;
        bool valid = true;
        const bool hit = inList(pattern, p + 1, c, end, valid);
        if (!valid) // an unclosed bracket stands for itself
            return c == '[';
        next = end;
        return hit;
    }
    return c == element;
}

} // namespace

// The usual two-pointer match: on a mismatch, the last '*' takes one more character and the
// match goes on from there. Each star is returned to at most once per character of the name,
// so the time is bounded by the product of the two lengths, however many stars there are.
bool matchesPattern(std::string_view name, std::string_view pattern) {
    std::size_t n = 0, p = 0;
    std::size_t starPattern = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        std::size_t next = 0;
        if (p < pattern.size() && pattern[p] == '*') {
            while (p < pattern.size() && pattern[p] == '*')
                ++p;
            starPattern = p;
            starName = n;
        } else if (p < pattern.size() && takes(pattern, p, name[n], next)) {
            p = next;
            ++n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace vorq::builder
