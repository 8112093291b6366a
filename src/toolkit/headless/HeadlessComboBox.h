#pragma once

#include "host/ui/ComboBox.h"
#include "toolkit/headless/HeadlessControl.h"

#include <vector>

namespace vorq::headless {

class HeadlessComboBox : public ComboBox, public HeadlessControl {
public:
    using HeadlessControl::HeadlessControl;

    int AddItem(const std::string& text) override;
    void Clear() override;
    int ListCount() const override { return static_cast<int>(entries_.size()); }
    int ListIndex() const override { return listIndex_; }
    void setListIndex(int index) override;
    std::int32_t ItemData(int index) const override { return entry(index).data; }
    void setItemData(int index, std::int32_t data) override {
        entries_.at(checked(index)).data = data;
    }
    std::string List(int index) const override { return entry(index).text; }
    std::string Text() const override { return listIndex_ < 0 ? "" : entries_[listIndex_].text; }

private:
    struct Entry {
        std::string text;
        std::int32_t data = 0;
    };
    int checked(int index) const;
    const Entry& entry(int index) const { return entries_[checked(index)]; }

    std::vector<Entry> entries_;
    int listIndex_ = -1;
};

} // namespace vorq::headless
