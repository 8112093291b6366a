#pragma once

#include "host/ui/Control.h"

#include <functional>
#include <string>

namespace vorq {

class ImageList;

// One entry of an image combo.
class ComboItem {
public:
    virtual ~ComboItem() = default;
    virtual const std::string& Key() const = 0;
    virtual const std::string& Text() const = 0;
    virtual const std::string& Image() const = 0;
    virtual int Indentation() const = 0;
    virtual const std::string& Tag() const = 0;
    virtual void setTag(const std::string& tag) = 0;
    // 1-based position in the combo.
    virtual int Index() const = 0;
};

// A combo whose entries carry key, text, image, indentation and tag.
class ImageCombo : public virtual Control {
public:
    // Appends an entry; a key already present in this combo raises vorq::Error.
    virtual ComboItem& Add(const std::string& key, const std::string& text,
                           const std::string& image, int indentation) = 0;
    virtual void Clear() = 0;
    virtual int Count() const = 0;
    // The entry at a 1-based index; out of range raises vorq::Error.
    virtual ComboItem& Item(int index) = 0;
    // The selected entry, or nullptr.
    virtual ComboItem* SelectedItem() = 0;
    // Selects an entry of this combo (nullptr selects none) without raising onClick.
    virtual void setSelectedItem(ComboItem* item) = 0;
    // The images the entries' Image keys refer to.
    virtual void setImageList(ImageList* images) = 0;

    // Handlers: selection changed by the user; key down/up (key code, shift state); focus in.
    std::function<void()> onClick;
    std::function<void(int keyCode, int shift)> onKeyDown;
    std::function<void(int keyCode, int shift)> onKeyUp;
    std::function<void()> onGotFocus;
};

} // namespace vorq
