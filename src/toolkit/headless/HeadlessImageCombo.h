#pragma once

#include "host/ui/ImageCombo.h"
#include "toolkit/headless/HeadlessControl.h"

#include <memory>
#include <unordered_set>
#include <vector>

namespace vorq::headless {

class HeadlessComboItem : public ComboItem {
public:
    HeadlessComboItem(std::string key, std::string text, std::string image, int indentation,
                      int index)
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

class HeadlessImageCombo : public ImageCombo, public HeadlessControl {
public:
    using HeadlessControl::HeadlessControl;

    ComboItem& Add(const std::string& key, const std::string& text, const std::string& image,
                   int indentation) override;
    void Clear() override;
    int Count() const override { return static_cast<int>(items_.size()); }
    ComboItem& Item(int index) override;
    ComboItem* SelectedItem() override { return selected_; }
    void setSelectedItem(ComboItem* item) override { selected_ = item; }
    void setImageList(ImageList* images) override { images_ = images; }

    // A user's choice of the entry at a 1-based index: selects it and raises onClick.
    void choose(int index);
    // A key pressed and released while the combo has the focus; the arrow and page keys move
    // the selection as on screen, before onKeyUp runs.
    void pressKey(int keyCode, int shift = 0);
    // The combo receives the focus.
    void focus();

private:
    std::vector<std::unique_ptr<HeadlessComboItem>> items_;
    std::unordered_set<std::string> keys_;
    ComboItem* selected_ = nullptr;
    ImageList* images_ = nullptr;
};

} // namespace vorq::headless
