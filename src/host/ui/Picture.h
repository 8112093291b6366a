#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorq {

// A 16x16 (or larger) image as RGBA pixels, so that both toolkits and tests can look at it.
struct Picture {
    int width = 0;
    int height = 0;
    // Where the pixel at (x, y) lies in rgba, and how many there are.
    std::size_t at(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x);
    }
    std::size_t pixels() const { return at(0, height); }
    std::vector<std::uint32_t> rgba;
    std::string source; // file it was loaded from, or "" for a built-in picture
};

} // namespace vorq
