#include "host/SourceReference.h"

#include <charconv>

namespace vorq {
namespace {

constexpr std::string_view kPrefix = "xr:";

} // namespace

std::string sourceReference(const std::string& sourceKey, const std::string& objectId) {
    return std::string(kPrefix) + sourceKey + "?" + objectId;
}

bool namesRepositoryItem(const std::string& sourceReference) {
    return sourceReference.starts_with(kPrefix);
}

std::optional<ItemReference> parseReference(const std::string& sourceReference) {
    if (!namesRepositoryItem(sourceReference))
        return std::nullopt;
    const std::size_t question = sourceReference.rfind('?');
    if (question == std::string::npos || question < kPrefix.size())
        return std::nullopt;
    ItemReference reference{sourceReference.substr(kPrefix.size(), question - kPrefix.size()), 0};
    const char* first = sourceReference.data() + question + 1;
    const char* last = sourceReference.data() + sourceReference.size();
    const auto [end, error] = std::from_chars(first, last, reference.itemId);
    if (error != std::errc() || end != last || reference.itemId <= 0 || reference.sourceKey.empty())
        return std::nullopt;
    return reference;
}

} // namespace vorq
