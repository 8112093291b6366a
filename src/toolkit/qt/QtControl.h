#pragma once

#include "host/Error.h"
#include "host/ui/Control.h"
#include "toolkit/qt/Twips.h"

#include <QWidget>
#include <string>

namespace vorq::qt {

// What every control does over its widget: name, state and geometry in twips. The widget
// belongs to the window, which outlives the control object.
template <class Interface, class Widget> class QtControl : public Interface {
public:
    QtControl(std::string name, Widget* widget) : name_(std::move(name)), widget_(widget) {
        widget_->setObjectName(QString::fromStdString(name_));
    }

    const std::string& Name() const override { return name_; }
    bool Enabled() const override { return widget_->isEnabled(); }
    void setEnabled(bool enabled) override { widget_->setEnabled(enabled); }
    // Whether the control itself is shown, whatever its window is.
    bool Visible() const override { return !widget_->isHidden(); }
    void setVisible(bool visible) override { widget_->setVisible(visible); }
    void Move(int left, int top, int width, int height) override {
        left_ = left, top_ = top, width_ = width, height_ = height;
        widget_->setGeometry(twipsToPixels(*widget_, left, top, width, height));
    }
    int Left() const override { return left_; }
    int Top() const override { return top_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetFocus() override {
        if (!widget_->isEnabled() || widget_->isHidden())
            throw Error("Invalid procedure call: " + name_ + " cannot take the focus", 5);
        widget_->setFocus(Qt::OtherFocusReason);
    }

    Widget* widget() const { return widget_; }

private:
    std::string name_;
    Widget* widget_;
    // The twips the dialog asked for, kept exactly: pixels would round them.
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

} // namespace vorq::qt
