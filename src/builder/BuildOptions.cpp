#include "builder/BuildOptions.h"

#include "builder/KeyPattern.h"
#include "host/Text.h"

#include <algorithm>

namespace vorq::builder {

std::string BuildOptions::StripPrefix(const std::string& Name) const {
    for (const std::string& prefix : Prefixes) {
        std::string wanted = prefix;
        if (!wanted.empty() && wanted.back() != '-')
            wanted += '-';
        const std::size_t n = wanted.size();
        if (upperCase(Name.substr(0, n)) == upperCase(wanted))
            return Name.substr(std::min(n, Name.size()));
    }
    return Name;
}

bool BuildOptions::MatchesKeyPatterns(const std::string& Name) const {
    return std::any_of(Patterns.begin(), Patterns.end(),
                       [&](const std::string& pattern) { return matchesPattern(Name, pattern); });
}

} // namespace vorq::builder
