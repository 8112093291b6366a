#pragma once

#include "host/Error.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <map>

namespace vorq::load {

// Made-up keys numbered by a load that has its tables to itself: after the largest that a
// table holds when its first key is asked for, one after another.
class LocalKeys {
public:
    std::int64_t reserve(int table, std::int64_t count,
                         const std::function<std::int64_t()>& largest) {
        auto [next, first] = next_.try_emplace(table, 0);
        if (first)
            next->second = largest() + 1;
        const std::int64_t reserved = next->second;
        if (reserved > std::numeric_limits<std::int64_t>::max() - count)
            throw Error("The made-up keys of the table have come to the largest number a key "
                        "column holds");
        next->second += count;
        return reserved;
    }

private:
    std::map<int, std::int64_t> next_; // of each table asked for
};

} // namespace vorq::load
