#include "host/NearestNames.h"

#include "host/Text.h"

#include <algorithm>
#include <numeric>

namespace vorq {
namespace {

std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

std::vector<std::string> nearestNames(const std::string& name,
                                      const std::vector<std::string>& names, std::size_t most) {
    const std::string wanted = upperCase(name);
    std::vector<std::pair<std::size_t, std::string>> scored;
    for (const std::string& candidate : names) {
        const std::string u = upperCase(candidate);
        // A name that holds the other, or differs in a third of its letters at most, is near.
        const std::size_t distance =
            u.find(wanted) != std::string::npos || wanted.find(u) != std::string::npos
                ? 0
                : editDistance(wanted, u);
        if (distance <= std::max(wanted.size(), u.size()) / 3)
            scored.emplace_back(distance, candidate);
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> out;
    for (std::size_t i = 0; i < scored.size() && i < most; ++i)
        out.push_back(scored[i].second);
    return out;
}

std::string didYouMean(const std::vector<std::string>& nearest) {
    if (nearest.empty())
        return "";
    std::string text = "; did you mean ";
    for (std::size_t i = 0; i < nearest.size(); ++i)
        text += (i == 0 ? "" : i + 1 == nearest.size() ? " or " : ", ") + nearest[i];
    return text + "?";
}

} // namespace vorq
