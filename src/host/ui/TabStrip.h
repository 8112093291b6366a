#pragma once

#include "host/ui/Control.h"

#include <functional>

namespace vorq {

// A strip of tabs, indexed from 0.
class TabStrip : public virtual Control {
public:
    virtual int TabCount() const = 0;
    virtual void setTabCaption(int index, const std::string& caption) = 0;
    virtual std::string TabCaption(int index) const = 0;
    virtual bool TabEnabled(int index) const = 0;
    // A disabled tab stays visible and cannot be chosen.
    virtual void setTabEnabled(int index, bool enabled) = 0;
    // The current tab.
    virtual int Tab() const = 0;
    // Makes a tab current without raising onClick.
    virtual void setTab(int index) = 0;
    // Handler run after the user made another tab current; gets the previous tab.
    std::function<void(int previousTab)> onClick;
};

} // namespace vorq
