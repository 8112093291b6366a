#include "load/LayoutDigests.h"

#include "host/Error.h"
#include "load/ProjectLineage.h"

namespace vorq::load {

std::string LayoutDigests::of(const std::string& sourceReference) {
    const auto reference = parseReference(sourceReference);
    if (!reference)
        return "";
    auto [at, added] = sources_.try_emplace(reference->sourceKey);
    if (added) {
        try {
            at->second =
                std::make_unique<SourceItems>(SourceItems::open(workbench_, reference->sourceKey));
        } catch (const Error&) {
            // A source verified by an older vorq: the load refuses it anyway.
        }
    }
    const SourceItem* item = at->second ? at->second->item(reference->itemId) : nullptr;
    return item ? at->second->layoutDigest(at->second->record(*item)) : "";
}

} // namespace vorq::load
