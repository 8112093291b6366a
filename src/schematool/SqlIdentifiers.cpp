#include "schematool/SqlIdentifiers.h"

#include "host/Error.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace vorq::schematool {
namespace {

bool isIdentifierChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

} // namespace

std::string sqlIdentifier(std::string_view name, int limit) {
    std::string result;
    result.reserve(name.size() + 2);
    for (const char c : name)
        result.push_back(isIdentifierChar(c) ? c : '_');
    if (!result.empty() && std::isdigit(static_cast<unsigned char>(result.front())))
        result.insert(result.begin(), 'N');
    if (isReservedWord(result))
        result.push_back('_');
    return fitIdentifier(result, limit);
}

std::string fitIdentifier(const std::string& name, int limit) {
    const auto room = static_cast<std::size_t>(limit);
    if (name.size() <= room)
        return name;
    const auto cut = name.rfind('_');
    if (cut == std::string::npos || cut == 0 || name.size() - cut > room / 2)
        return name.substr(0, room);
    const std::string last = name.substr(cut);
    std::string stem = name.substr(0, room - last.size());
    while (!stem.empty() && stem.back() == '_') // no "__" where the cut fell on a separator
        stem.pop_back();
    return stem + last;
}

std::string childIdentifier(const std::string& parent, std::string_view item, int limit) {
    const std::string whole = sqlIdentifier(parent + "_" + std::string(item), INT_MAX);
    const auto room = static_cast<std::size_t>(limit);
    const std::string own = whole.substr(std::min(parent.size() + 1, whole.size()));
    // The parent's first letters stay, to say whose table it is.
    constexpr std::size_t kParentLetters = 4;
    if (whole.size() <= room || own.empty() || own.size() + 1 + kParentLetters > room)
        return fitIdentifier(whole, limit);
    std::string stem = whole.substr(0, room - own.size() - 1);
    while (!stem.empty() && stem.back() == '_')
        stem.pop_back();
    return stem + "_" + own;
}

std::string uniqueIdentifier(const std::string& name, int limit,
                             const std::function<bool(const std::string&)>& isTaken) {
    if (!isTaken(name))
        return name;
    for (int n = 2;; ++n) {
        const std::string suffix = "_" + std::to_string(n);
        if (static_cast<int>(suffix.size()) >= limit)
            throw Error("No free name for " + name + " within " + std::to_string(limit) +
                        " characters");
        const std::string candidate =
            fitIdentifier(name, limit - static_cast<int>(suffix.size())) + suffix;
        if (!isTaken(candidate))
            return candidate;
    }
}

} // namespace vorq::schematool
