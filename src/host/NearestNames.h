#pragma once

#include <string>
#include <vector>

namespace vorq {

// The names nearest to a name that is not there, by edit distance in any letter case, closest
// first and at most most of them: what a "no such ..." message offers instead.
std::vector<std::string> nearestNames(const std::string& name,
                                      const std::vector<std::string>& names, std::size_t most = 5);

// "; did you mean A, B or C?", or "" when there is none.
std::string didYouMean(const std::vector<std::string>& nearest);

} // namespace vorq
