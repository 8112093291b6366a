#pragma once

#include <array>
#include <cstddef>

namespace vorq {

// One numbered text of the dialog in its three languages (UTF-8).
struct StringTableEntry {
    int id;
    const char* english;
    const char* japanese;
    const char* korean;
};

constexpr std::size_t kStringTableSize = 23;

// Ids 100-108 (captions) and 500-513 (messages), in ascending order.
const std::array<StringTableEntry, kStringTableSize>& stringTable();

} // namespace vorq
