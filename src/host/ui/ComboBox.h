#pragma once

#include "host/ui/Control.h"

#include <cstdint>
#include <string>

namespace vorq {

// A drop-down list whose entries carry a 32-bit item datum (the host stores table ids there).
class ComboBox : public virtual Control {
public:
    // Appends an entry and returns its list index.
    virtual int AddItem(const std::string& text) = 0;
    virtual void Clear() = 0;
    virtual int ListCount() const = 0;
    // Index of the selected entry, -1 when none.
    virtual int ListIndex() const = 0;
    // Selects the entry at index (-1 selects none); out of range raises vorq::Error.
    virtual void setListIndex(int index) = 0;
    virtual std::int32_t ItemData(int index) const = 0;
    virtual void setItemData(int index, std::int32_t data) = 0;
    virtual std::string List(int index) const = 0;
    // Text of the selected entry, "" when none.
    virtual std::string Text() const = 0;
};

} // namespace vorq
