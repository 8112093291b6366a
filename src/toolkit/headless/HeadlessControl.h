#pragma once

#include "host/Error.h"
#include "host/ui/Control.h"

namespace vorq::headless {

// State shared by every in-memory control. Controls start enabled and visible.
class HeadlessControl : public virtual Control {
public:
    explicit HeadlessControl(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const override { return name_; }
    bool Enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool Visible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }
    void Move(int left, int top, int width, int height) override {
        left_ = left, top_ = top, width_ = width, height_ = height;
    }
    int Left() const override { return left_; }
    int Top() const override { return top_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetFocus() override {
        if (!usable())
            throw Error("Invalid procedure call: " + name_ + " cannot take the focus", 5);
        hasFocus_ = true;
    }
    bool hasFocus() const { return hasFocus_; }

protected:
    // What a user can reach: a control that is both enabled and visible.
    bool usable() const { return enabled_ && visible_; }

private:
    std::string name_;
    bool enabled_ = true;
    bool visible_ = true;
    bool hasFocus_ = false;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

} // namespace vorq::headless
