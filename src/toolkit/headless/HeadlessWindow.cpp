#include "toolkit/headless/HeadlessWindow.h"

#include "host/Error.h"
#include "toolkit/ImageCollection.h"
#include "toolkit/headless/HeadlessButton.h"
#include "toolkit/headless/HeadlessComboBox.h"
#include "toolkit/headless/HeadlessImageCombo.h"
#include "toolkit/headless/HeadlessOptionButton.h"
#include "toolkit/headless/HeadlessTabStrip.h"
#include "toolkit/headless/HeadlessToolkit.h"
#include "toolkit/headless/HeadlessTreeView.h"

namespace vorq::headless {

HeadlessWindow::HeadlessWindow(HeadlessToolkit& toolkit, std::string name)
    : toolkit_(toolkit), name_(std::move(name)) {}

HeadlessWindow::~HeadlessWindow() = default;

template <class T> T& HeadlessWindow::add(const std::string& name, std::unique_ptr<T> control) {
    if (controls_.count(name))
        throw Error("A control named " + name + " already exists in " + name_);
    T& result = *control;
    controls_[name] = std::shared_ptr<T>(std::move(control));
    kinds_[name] = &typeid(T);
    return result;
}

template <class T> T& HeadlessWindow::find(const std::string& name) const {
    const auto it = controls_.find(name);
    if (it == controls_.end() || *kinds_.at(name) != typeid(T))
        throw Error("No control " + name + " of that kind in " + name_);
    return *static_cast<T*>(it->second.get());
}

TabStrip& HeadlessWindow::CreateTabStrip(const std::string& name, int tabCount) {
    return add(name, std::make_unique<HeadlessTabStrip>(name, tabCount));
}
ImageCombo& HeadlessWindow::CreateImageCombo(const std::string& name) {
    return add(name, std::make_unique<HeadlessImageCombo>(name));
}
ImageList& HeadlessWindow::CreateImageList(const std::string& name) {
    return add(name, std::make_unique<ImageCollection>());
}
TreeView& HeadlessWindow::CreateTreeView(const std::string& name) {
    return add(name, std::make_unique<HeadlessTreeView>(name));
}
ComboBox& HeadlessWindow::CreateComboBox(const std::string& name) {
    return add(name, std::make_unique<HeadlessComboBox>(name));
}
Button& HeadlessWindow::CreateButton(const std::string& name) {
    return add(name, std::make_unique<HeadlessButton>(name));
}
OptionButton& HeadlessWindow::CreateOptionButton(const std::string& name) {
    auto deselectOthers = [this](HeadlessOptionButton& selected) {
        for (const auto& [controlName, kind] : kinds_)
            if (*kind == typeid(HeadlessOptionButton) && controlName != selected.Name())
                find<HeadlessOptionButton>(controlName).clearValue();
    };
    return add(name, std::make_unique<HeadlessOptionButton>(name, deselectOthers));
}

void HeadlessWindow::ShowModal() {
    if (shown_)
        throw Error("Form already displayed; can't show modally", 400);
    shown_ = true;
    toolkit_.runModal(*this);
}

void HeadlessWindow::clickCloseBox() {
    if (onCloseBox)
        onCloseBox();
    else
        Hide();
}

HeadlessButton& HeadlessWindow::button(const std::string& name) const {
    return find<HeadlessButton>(name);
}
HeadlessOptionButton& HeadlessWindow::optionButton(const std::string& name) const {
    return find<HeadlessOptionButton>(name);
}
HeadlessComboBox& HeadlessWindow::comboBox(const std::string& name) const {
    return find<HeadlessComboBox>(name);
}
HeadlessImageCombo& HeadlessWindow::imageCombo(const std::string& name) const {
    return find<HeadlessImageCombo>(name);
}
HeadlessTabStrip& HeadlessWindow::tabStrip(const std::string& name) const {
    return find<HeadlessTabStrip>(name);
}
HeadlessTreeView& HeadlessWindow::treeView(const std::string& name) const {
    return find<HeadlessTreeView>(name);
}
ImageCollection& HeadlessWindow::imageList(const std::string& name) const {
    return find<ImageCollection>(name);
}

} // namespace vorq::headless
