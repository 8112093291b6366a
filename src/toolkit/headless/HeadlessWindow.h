#pragma once

#include "host/ui/Window.h"

#include <map>
#include <memory>
#include <string>

namespace vorq {
class ImageCollection;
}

namespace vorq::headless {

class HeadlessButton;
class HeadlessComboBox;
class HeadlessImageCombo;
class HeadlessOptionButton;
class HeadlessTabStrip;
class HeadlessToolkit;
class HeadlessTreeView;

// An in-memory dialog window. Tests and the scripted user reach its controls by name.
class HeadlessWindow : public Window {
public:
    HeadlessWindow(HeadlessToolkit& toolkit, std::string name);
    ~HeadlessWindow() override;

    TabStrip& CreateTabStrip(const std::string& name, int tabCount) override;
    ImageCombo& CreateImageCombo(const std::string& name) override;
    ImageList& CreateImageList(const std::string& name) override;
    TreeView& CreateTreeView(const std::string& name) override;
    OptionButton& CreateOptionButton(const std::string& name) override;
    ComboBox& CreateComboBox(const std::string& name) override;
    Button& CreateButton(const std::string& name) override;

    void setCaption(const std::string& caption) override { caption_ = caption; }
    std::string Caption() const override { return caption_; }
    void setClientSize(int width, int height) override { width_ = width, height_ = height; }
    void setMousePointer(int pointer) override { mousePointer_ = pointer; }
    int MousePointer() const override { return mousePointer_; }
    void ShowModal() override;
    void Hide() override { shown_ = false; }
    bool IsShown() const override { return shown_; }

    const std::string& name() const { return name_; }
    int clientWidth() const { return width_; }
    int clientHeight() const { return height_; }
    // The window's close box, as a user would click it.
    void clickCloseBox();

    // Controls by name; an unknown name or a control of another kind raises vorq::Error.
    HeadlessButton& button(const std::string& name) const;
    HeadlessOptionButton& optionButton(const std::string& name) const;
    HeadlessComboBox& comboBox(const std::string& name) const;
    HeadlessImageCombo& imageCombo(const std::string& name) const;
    HeadlessTabStrip& tabStrip(const std::string& name) const;
    HeadlessTreeView& treeView(const std::string& name) const;
    ImageCollection& imageList(const std::string& name) const;

private:
    template <class T> T& add(const std::string& name, std::unique_ptr<T> control);
    template <class T> T& find(const std::string& name) const;

    HeadlessToolkit& toolkit_;
    std::string name_;
    std::map<std::string, std::shared_ptr<void>> controls_;
    std::map<std::string, const std::type_info*> kinds_;
    std::string caption_;
    int width_ = 0, height_ = 0;
    int mousePointer_ = kPointerDefault;
    bool shown_ = false;
};

} // namespace vorq::headless
