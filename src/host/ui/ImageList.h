#pragma once

#include "host/ui/Picture.h"

#include <memory>
#include <string>

namespace vorq {

// A list of 16x16 images, reachable by 1-based index or by key.
class ImageList {
public:
    virtual ~ImageList() = default;
    // Adds an image under key ("" for none); a key already present raises vorq::Error.
    virtual void Add(const std::string& key, std::shared_ptr<const Picture> picture) = 0;
    virtual void Clear() = 0;
    virtual int Count() const = 0;
    // The image at a 1-based index; out of range raises vorq::Error.
    virtual std::shared_ptr<const Picture> Item(int index) const = 0;
    // The image under key; an unknown key raises vorq::Error.
    virtual std::shared_ptr<const Picture> Item(const std::string& key) const = 0;
    virtual bool Contains(const std::string& key) const = 0;
};

} // namespace vorq
