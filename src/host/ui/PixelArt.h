#pragma once

#include "host/ui/Picture.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace vorq {

// The colours of a 16x16 drawing: '#' outline, '+' fill, '-' accent, anything else clear.
struct PixelPalette {
    std::uint32_t outline = 0x303030ff;
    std::uint32_t fill = 0xffffffff;
    std::uint32_t accent = 0x2060c0ff;
};

using PixelRows = std::array<std::string_view, 16>;

// A 16x16 RGBA picture drawn from 16 rows of 16 characters.
inline Picture pixelArt(const PixelRows& rows, const PixelPalette& palette) {
    Picture picture;
    picture.width = picture.height = 16;
    picture.rgba.reserve(256);
    for (std::string_view row : rows)
        for (std::size_t x = 0; x < 16; ++x) {
            const char c = x < row.size() ? row[x] : ' ';
            picture.rgba.push_back(c == '#'   ? palette.outline
                                   : c == '+' ? palette.fill
                                   : c == '-' ? palette.accent
                                              : 0u);
        }
    return picture;
}

} // namespace vorq
