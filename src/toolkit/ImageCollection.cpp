#include "toolkit/ImageCollection.h"

#include "host/Error.h"

#include <algorithm>

namespace vorq {

void ImageCollection::Add(const std::string& key, std::shared_ptr<const Picture> picture) {
    if (!key.empty() && Contains(key))
        throw Error("Key is not unique in collection: " + key, 35602);
    if (!picture)
        throw Error("Invalid picture", 481);
    images_.emplace_back(key, std::move(picture));
}

std::shared_ptr<const Picture> ImageCollection::Item(int index) const {
    if (index < 1 || index > Count())
        throw Error("Index out of bounds: image " + std::to_string(index), 35600);
    return images_[static_cast<std::size_t>(index - 1)].second;
}

std::shared_ptr<const Picture> ImageCollection::Item(const std::string& key) const {
    const auto it = std::find_if(images_.begin(), images_.end(),
                                 [&](const auto& entry) { return entry.first == key; });
    if (key.empty() || it == images_.end())
        throw Error("Element not found: image " + key, 35601);
    return it->second;
}

bool ImageCollection::Contains(const std::string& key) const {
    return std::any_of(images_.begin(), images_.end(),
                       [&](const auto& entry) { return entry.first == key; });
}

} // namespace vorq
