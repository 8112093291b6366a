#pragma once

#include <cstdlib>
#include <vector>

namespace vorq::testing {

// The points (1..total) at which a fault or a kill is tried: all of them when VORQ_EVERY_POINT
// is set (the "long" CTest label), else a sample spread over the run, first and last included.
inline std::vector<int> faultPoints(int total, int sample = 12) {
    std::vector<int> points;
    const bool every = std::getenv("VORQ_EVERY_POINT") != nullptr;
    const int step = every || total <= sample ? 1 : total / sample;
    for (int n = 1; n <= total; n += step)
        points.push_back(n);
    if (!points.empty() && points.back() != total)
        points.push_back(total);
    return points;
}

} // namespace vorq::testing
