#include "toolkit/headless/HeadlessComboBox.h"

namespace vorq::headless {

int HeadlessComboBox::AddItem(const std::string& text) {
    entries_.push_back({text, 0});
    return ListCount() - 1;
}

void HeadlessComboBox::Clear() {
    entries_.clear();
    listIndex_ = -1;
}

void HeadlessComboBox::setListIndex(int index) {
    listIndex_ = index < 0 ? -1 : checked(index);
}

int HeadlessComboBox::checked(int index) const {
    if (index < 0 || index >= ListCount())
        throw Error("Invalid property value: list index " + std::to_string(index) + " of " + Name(),
                    380);
    return index;
}

} // namespace vorq::headless
