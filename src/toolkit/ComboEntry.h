#pragma once

#include "host/ui/ImageCombo.h"

#include <string>

namespace vorq {

// One entry of an image combo as data: each toolkit keeps its entries as these and draws them
// its own way.
class ComboEntry : public ComboItem {
public:
    ComboEntry(std::string key, std::string text, std::string image, int indentation, int index)
        : key_(std::move(key)), text_(std::move(text)), image_(std::move(image)),
          indentation_(indentation), index_(index) {}
    const std::string& Key() const override { return key_; }
    const std::string& Text() const override { return text_; }
    const std::string& Image() const override { return image_; }
    int Indentation() const override { return indentation_; }
    const std::string& Tag() const override { return tag_; }
    void setTag(const std::string& tag) override { tag_ = tag; }
    int Index() const override { return index_; }

private:
    std::string key_, text_, image_, tag_;
    int indentation_;
    int index_;
};

} // namespace vorq
