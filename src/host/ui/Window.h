#pragma once

#include <functional>
#include <memory>
#include <string>

namespace vorq {

class Button;
class ComboBox;
class ImageCombo;
class ImageList;
class OptionButton;
class TabStrip;
class TreeView;

// Mouse pointer shapes of a window.
enum MousePointer : int {
    kPointerDefault = 0,
    kPointerHourglass = 11,
    kPointerArrowHourglass = 13
};

// A dialog window; it creates and owns its controls. Control names are unique per window.
class Window {
public:
    virtual ~Window() = default;

    virtual TabStrip& CreateTabStrip(const std::string& name, int tabCount) = 0;
    virtual ImageCombo& CreateImageCombo(const std::string& name) = 0;
    virtual ImageList& CreateImageList(const std::string& name) = 0;
    virtual TreeView& CreateTreeView(const std::string& name) = 0;
    // Option buttons of one window form one group.
    virtual OptionButton& CreateOptionButton(const std::string& name) = 0;
    virtual ComboBox& CreateComboBox(const std::string& name) = 0;
    virtual Button& CreateButton(const std::string& name) = 0;

    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string Caption() const = 0;
    // Size of the client area in twips.
    virtual void setClientSize(int width, int height) = 0;
    virtual void setMousePointer(int pointer) = 0;
    virtual int MousePointer() const = 0;

    // Shows the window modally; returns once Hide has been called.
    virtual void ShowModal() = 0;
    // Hides the window and ends its modal show.
    virtual void Hide() = 0;
    virtual bool IsShown() const = 0;

    // Handler for the window's close box; the window stays open unless the handler hides it.
    std::function<void()> onCloseBox;
};

} // namespace vorq
