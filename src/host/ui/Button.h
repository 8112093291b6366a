#pragma once

#include "host/ui/Control.h"

#include <functional>

namespace vorq {

// A push button.
class Button : public virtual Control {
public:
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string Caption() const = 0;
    // Handler run when the user clicks the enabled button.
    std::function<void()> onClick;
};

} // namespace vorq
