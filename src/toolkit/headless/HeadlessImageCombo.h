#pragma once

#include "host/ui/ImageCombo.h"
#include "toolkit/ComboEntry.h"
#include "toolkit/headless/HeadlessControl.h"

#include <memory>
#include <unordered_set>
#include <vector>

namespace vorq::headless {

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
    std::vector<std::unique_ptr<ComboEntry>> items_;
    std::unordered_set<std::string> keys_;
    ComboItem* selected_ = nullptr;
    ImageList* images_ = nullptr;
};

} // namespace vorq::headless
