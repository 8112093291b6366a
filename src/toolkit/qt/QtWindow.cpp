#include "toolkit/qt/QtWindow.h"

#include "toolkit/ImageCollection.h"
#include "toolkit/qt/QtButtons.h"
#include "toolkit/qt/QtComboBox.h"
#include "toolkit/qt/QtImageCombo.h"
#include "toolkit/qt/QtTabStrip.h"
#include "toolkit/qt/QtTreeView.h"

#include <QCloseEvent>

namespace vorq::qt {

QtWindow::QtWindow(const std::string& name, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::fromStdString(name));
    // The dialog was drawn for Arial; fontconfig gives its metric twin where Arial is missing.
    QFont font("Arial");
    font.setPointSize(8);
    setFont(font);
}

QtWindow::~QtWindow() = default;

void QtWindow::checkName(const std::string& name) const {
    if (controls_.count(name) || imageLists_.count(name))
        throw Error("A control named " + name + " already exists in " + objectName().toStdString());
}

template <class T> T& QtWindow::add(const std::string& name, std::unique_ptr<T> control) {
    checkName(name);
    T& result = *control;
    controls_[name] = {&result, result.widget()};
    created_.push_back(result.widget());
    owned_.push_back(std::shared_ptr<T>(std::move(control)));
    return result;
}

TabStrip& QtWindow::CreateTabStrip(const std::string& name, int tabCount) {
    return add(name, std::make_unique<QtTabStrip>(name, tabCount, this));
}
ImageCombo& QtWindow::CreateImageCombo(const std::string& name) {
    return add(name, std::make_unique<QtImageCombo>(name, this));
}
TreeView& QtWindow::CreateTreeView(const std::string& name) {
    return add(name, std::make_unique<QtTreeView>(name, this));
}
OptionButton& QtWindow::CreateOptionButton(const std::string& name) {
    return add(name, std::make_unique<QtOptionButton>(name, this));
}
ComboBox& QtWindow::CreateComboBox(const std::string& name) {
    return add(name, std::make_unique<QtComboBox>(name, this));
}
Button& QtWindow::CreateButton(const std::string& name) {
    return add(name, std::make_unique<QtButton>(name, this));
}
ImageList& QtWindow::CreateImageList(const std::string& name) {
    checkName(name);
    auto list = std::make_shared<ImageCollection>();
    imageLists_[name] = list.get();
    owned_.push_back(list);
    return *list;
}

void QtWindow::setCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

std::string QtWindow::Caption() const {
    return windowTitle().toStdString();
}

void QtWindow::setClientSize(int width, int height) {
    designed_ = {twipsToPixels(*this, width), twipsToPixels(*this, height)};
    resize(designed_);
    setMinimumSize(designed_); // smaller, it would hide its own buttons
}

void QtWindow::setMousePointer(int pointer) {
    pointer_ = pointer;
    if (pointer == kPointerHourglass)
        setCursor(Qt::WaitCursor);
    else if (pointer == kPointerArrowHourglass)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void QtWindow::ShowModal() {
    layOut();
    // The focus starts in the first control that takes input, not on a tab strip's bar.
    for (QWidget* w : created_)
        if (!w->isHidden() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::OtherFocusReason);
            break;
        }
    exec();
}

void QtWindow::Hide() {
    hide(); // ends exec() too
}

void QtWindow::closeEvent(QCloseEvent* event) {
    // The close box asks the dialog; it stays open unless the dialog hides it.
    event->ignore();
    if (onCloseBox)
        onCloseBox();
}

void QtWindow::reject() {
    // Esc clicks the cancel button where it can be clicked, else acts as the close box.
    for (const auto& [name, placed] : controls_)
        if (auto* button = dynamic_cast<QtButton*>(placed.part); button && button->isCancel() &&
                                                                 button->widget()->isEnabled() &&
                                                                 !button->widget()->isHidden()) {
            button->widget()->click();
            return;
        }
    if (onCloseBox)
        onCloseBox();
}

void QtWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOut();
}

void QtWindow::layOut() {
    if (designed_.isEmpty())
        return;
    const int dx = std::max(0, width() - designed_.width());
    const int dy = std::max(0, height() - designed_.height());
    int treeBottom = -1;
    for (const auto& [name, placed] : controls_)
        if (dynamic_cast<QtTreeView*>(placed.part))
            treeBottom = placed.part->Top() + placed.part->Height();
    for (const auto& [name, placed] : controls_) {
        const Control& c = *placed.part;
        QRect r = twipsToPixels(*this, c.Left(), c.Top(), c.Width(), c.Height());
        const bool below = treeBottom >= 0 && c.Top() >= treeBottom;
        if (dynamic_cast<QtTreeView*>(placed.part) || dynamic_cast<QtTabStrip*>(placed.part))
            r.adjust(0, 0, dx, dy);
        else if (below && dynamic_cast<QtButton*>(placed.part))
            r.translate(dx, dy);
        else if (below)
            r.adjust(0, dy, dx, dy);
        else
            r.adjust(0, 0, dx, 0);
        placed.widget->setGeometry(r);
    }
}

} // namespace vorq::qt
