#pragma once

#include "host/ui/ImageList.h"

#include <utility>
#include <vector>

namespace vorq {

// The images of a list, kept as pictures: each toolkit draws them its own way.
class ImageCollection : public ImageList {
public:
    void Add(const std::string& key, std::shared_ptr<const Picture> picture) override;
    void Clear() override { images_.clear(); }
    int Count() const override { return static_cast<int>(images_.size()); }
    std::shared_ptr<const Picture> Item(int index) const override;
    std::shared_ptr<const Picture> Item(const std::string& key) const override;
    bool Contains(const std::string& key) const override;
    // Key of the image at a 1-based index.
    const std::string& Key(int index) const {
        return images_.at(static_cast<std::size_t>(index - 1)).first;
    }

private:
    std::vector<std::pair<std::string, std::shared_ptr<const Picture>>> images_;
};

} // namespace vorq
