#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorq {

// A 16x16 (or larger) image as RGBA pixels, so that both toolkits and tests can look at it.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgba;
    std::string source; // file it was loaded from, or "" for a built-in picture
};

} // namespace vorq
