#pragma once

#include "host/ui/Control.h"

#include <functional>

namespace vorq {

// A radio button; the buttons of one window form one group.
class OptionButton : public virtual Control {
public:
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string Caption() const = 0;
    // Whether the button is the selected one of its group.
    virtual bool Value() const = 0;
    // Selecting one button deselects the others of the group.
    virtual void setValue(bool selected) = 0;
    // Handler run when the user selects the button.
    std::function<void()> onClick;
};

} // namespace vorq
