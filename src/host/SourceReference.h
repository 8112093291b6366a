#pragma once

#include <optional>
#include <string>

namespace vorq {

// A repository item as the host's rows and the shown-item reference name it: "xr:" source key
// "?" object id. Built and read only here.
struct ItemReference {
    std::string sourceKey;
    int itemId = 0;
};

std::string sourceReference(const std::string& sourceKey, const std::string& objectId);
// Whether the reference names a repository item (rather than being a user's free text).
bool namesRepositoryItem(const std::string& sourceReference);
// The reference's parts, or nothing when it names no repository item.
std::optional<ItemReference> parseReference(const std::string& sourceReference);

} // namespace vorq
