#include "builder/KeyPattern.h"

#include <cctype>

namespace vorq {
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

bool match(std::string_view name, std::size_t n, std::string_view pattern, std::size_t p) {
    while (p < pattern.size()) {
        const char c = pattern[p];
        if (c == '*') {
            while (p < pattern.size() && pattern[p] == '*')
                ++p;
            if (p == pattern.size())
                return true;
            for (std::size_t at = n; at <= name.size(); ++at)
                if (match(name, at, pattern, p))
                    return true;
            return false;
        }
        if (n >= name.size())
            return false;
        if (c == '?') {
            ++n, ++p;
        } else if (c == '#') {
            if (!std::isdigit(static_cast<unsigned char>(name[n])))
                return false;
            ++n, ++p;
        } else if (c == '[') {
            std::size_t end = 0;
            bool valid = true;
            const bool hit = inList(pattern, p + 1, name[n], end, valid);
            if (!valid) { // an unclosed bracket stands for itself
                if (name[n] != '[')
                    return false;
                ++n, ++p;
                continue;
            }
            if (!hit)
                return false;
            ++n;
            p = end;
        } else {
            if (name[n] != c)
                return false;
            ++n, ++p;
        }
    }
    return n == name.size();
}

} // namespace

bool matchesPattern(std::string_view name, std::string_view pattern) {
    return match(name, 0, pattern, 0);
}

} // namespace vorq
