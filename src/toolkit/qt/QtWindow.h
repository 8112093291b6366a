#pragma once

#include "host/Error.h"
#include "host/ui/Control.h"
#include "host/ui/Window.h"

#include <QDialog>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vorq::qt {

class QtButton;

// The dialog window: controls placed in twips at the screen's logical resolution. When the
// user resizes it, the tree takes the growth; the controls below the tree move down with the
// bottom edge, and buttons move right with the right edge.
class QtWindow : public QDialog, public Window {
public:
    QtWindow(const std::string& name, QWidget* parent);
    ~QtWindow() override;

    TabStrip& CreateTabStrip(const std::string& name, int tabCount) override;
    ImageCombo& CreateImageCombo(const std::string& name) override;
    ImageList& CreateImageList(const std::string& name) override;
    TreeView& CreateTreeView(const std::string& name) override;
    OptionButton& CreateOptionButton(const std::string& name) override;
    ComboBox& CreateComboBox(const std::string& name) override;
    Button& CreateButton(const std::string& name) override;

    void setCaption(const std::string& caption) override;
    std::string Caption() const override;
    void setClientSize(int width, int height) override;
    void setMousePointer(int pointer) override;
    int MousePointer() const override { return pointer_; }
    void ShowModal() override;
    void Hide() override;
    bool IsShown() const override { return isVisible(); }

    // The control of that name, as its toolkit type; tests reach controls this way. An unknown
    // name or a control of another kind raises vorq::Error.
    template <class T> T& control(const std::string& name) const {
        const auto found = controls_.find(name);
        auto* typed = found == controls_.end() ? nullptr : dynamic_cast<T*>(found->second.part);
        if (!typed)
            throw Error("No control " + name + " of that kind in " + objectName().toStdString());
        return *typed;
    }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Placed {
        Control* part;
        QWidget* widget;
    };
    template <class T> T& add(const std::string& name, std::unique_ptr<T> control);
    void layOut();
    void checkName(const std::string& name) const;

    std::vector<std::shared_ptr<void>> owned_;
    std::map<std::string, Placed> controls_;
    std::vector<QWidget*> created_; // the controls in the order they were made
    std::map<std::string, ImageList*> imageLists_;
    QSize designed_; // the client size the dialog asked for, in pixels
    int pointer_ = kPointerDefault;
};

} // namespace vorq::qt
