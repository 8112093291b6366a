#pragma once

#include "host/ui/Control.h"

#include <functional>

namespace vorq {

// A push button.
class Button : public virtual Control {
public:
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string Caption() const = 0;
    // The default button is clicked by Enter, the cancel button by Esc, anywhere in its window.
    virtual void setDefault(bool isDefault) = 0;
    virtual void setCancel(bool isCancel) = 0;
    // Handler run when the user clicks the enabled button.
    std::function<void()> onClick;
};

} // namespace vorq
