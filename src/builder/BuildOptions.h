#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorq::builder {

// The naming and spreading rules that the import options give a table build.
struct BuildOptions {
    std::vector<std::string> Prefixes; // stripped from names; empty unless Strip is set
    std::vector<std::string> Patterns; // names of key columns; empty unless AutoKey is set
    std::int32_t Threshold = 0;        // OCCURS above it make child tables; 0 never

    // Name without the first configured prefix that it begins with (plus a hyphen), compared
    // without regard to case.
    std::string StripPrefix(const std::string& Name) const;
    // The name matches one of the key patterns (?, *, #, [list], [!list]; case-sensitive).
    bool MatchesKeyPatterns(const std::string& Name) const;
};

} // namespace vorq::builder
