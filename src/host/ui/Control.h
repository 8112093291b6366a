#pragma once

#include <string>

namespace vorq {

// What every control of the dialog offers. Geometry is in twips (1/1440 inch).
class Control {
public:
    virtual ~Control() = default;
    // The name the dialog gave the control, such as "cmbSource(1)".
    virtual const std::string& Name() const = 0;
    virtual bool Enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool Visible() const = 0;
    virtual void setVisible(bool visible) = 0;
    // Places the control within its window.
    virtual void Move(int left, int top, int width, int height) = 0;
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Gives the control the keyboard focus; raises vorq::Error when it cannot take it.
    virtual void SetFocus() = 0;
};

} // namespace vorq
