#pragma once

#include "host/ui/OptionButton.h"
#include "toolkit/headless/HeadlessControl.h"

#include <functional>

namespace vorq::headless {

class HeadlessOptionButton : public OptionButton, public HeadlessControl {
public:
    // deselectOthers clears the value of the other buttons of the window's group.
    HeadlessOptionButton(std::string name,
                         std::function<void(HeadlessOptionButton&)> deselectOthers)
        : HeadlessControl(std::move(name)), deselectOthers_(std::move(deselectOthers)) {}

    void setCaption(const std::string& caption) override { caption_ = caption; }
    std::string Caption() const override { return caption_; }
    bool Value() const override { return value_; }
    void setValue(bool selected) override {
        if (selected)
            deselectOthers_(*this);
        value_ = selected;
    }
    void clearValue() { value_ = false; }

    // A user's click: selects the button and raises onClick, when the button is usable.
    void click() {
        if (!usable())
            return;
        setValue(true);
        if (onClick)
            onClick();
    }

private:
    std::string caption_;
    bool value_ = false;
    std::function<void(HeadlessOptionButton&)> deselectOthers_;
};

} // namespace vorq::headless
