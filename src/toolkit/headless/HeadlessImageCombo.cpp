#include "toolkit/headless/HeadlessImageCombo.h"

#include <algorithm>

namespace vorq::headless {
namespace {
constexpr int kPageUp = 33, kPageDown = 34, kUp = 38, kDown = 40;
}

ComboItem& HeadlessImageCombo::Add(const std::string& key, const std::string& text,
                                   const std::string& image, int indentation) {
    if (!key.empty() && !keys_.insert(key).second)
        throw Error("Key is not unique in collection: " + key, 35602);
    items_.push_back(std::make_unique<ComboEntry>(key, text, image, indentation, Count() + 1));
    return *items_.back();
}

void HeadlessImageCombo::Clear() {
    items_.clear();
    keys_.clear();
    selected_ = nullptr;
}

ComboItem& HeadlessImageCombo::Item(int index) {
    if (index < 1 || index > Count())
        throw Error("Index out of bounds: entry " + std::to_string(index) + " of " + Name(), 35600);
    return *items_[static_cast<std::size_t>(index - 1)];
}

void HeadlessImageCombo::choose(int index) {
    if (!usable())
        return;
    selected_ = &Item(index);
    if (onClick)
        onClick();
}

void HeadlessImageCombo::pressKey(int keyCode, int shift) {
    if (!usable())
        return;
    if (onKeyDown)
        onKeyDown(keyCode, shift);
    // Any key moves the selection of a real combo (letters jump to a matching entry); the
    // arrows and page keys move it by one entry here, a letter to the next entry with it.
    if (Count() > 0) {
        const int current = selected_ ? selected_->Index() : 0;
        int next = current;
        if (keyCode == kDown || keyCode == kPageDown)
            next = std::min(current + 1, Count());
        else if (keyCode == kUp || keyCode == kPageUp)
            next = std::max(current - 1, 1);
        else if (keyCode >= 'A' && keyCode <= 'Z')
            next = current % Count() + 1;
        if (next != current) {
            selected_ = &Item(next);
            if (onClick)
                onClick();
        }
    }
    if (onKeyUp)
        onKeyUp(keyCode, shift);
}

void HeadlessImageCombo::focus() {
    if (usable() && onGotFocus)
        onGotFocus();
}

} // namespace vorq::headless
