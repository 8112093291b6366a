#pragma once

#include "host/ui/Button.h"
#include "toolkit/headless/HeadlessControl.h"

namespace vorq::headless {

class HeadlessButton : public Button, public HeadlessControl {
public:
    using HeadlessControl::HeadlessControl;
    void setCaption(const std::string& caption) override { caption_ = caption; }
    std::string Caption() const override { return caption_; }
    void setDefault(bool isDefault) override { default_ = isDefault; }
    void setCancel(bool isCancel) override { cancel_ = isCancel; }
    bool isDefault() const { return default_; }
    bool isCancel() const { return cancel_; }

    // A user's click: ignored, as on screen, when the button is disabled or hidden.
    void click() {
        if (usable() && onClick)
            onClick();
    }

private:
    std::string caption_;
    bool default_ = false;
    bool cancel_ = false;
};

} // namespace vorq::headless
