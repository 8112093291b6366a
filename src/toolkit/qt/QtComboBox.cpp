#include "toolkit/qt/QtComboBox.h"

namespace vorq::qt {

QtComboBox::QtComboBox(const std::string& name, QWidget* parent)
    : QtControl(name, new QComboBox(parent)) {}

void QtComboBox::check(int index) const {
    if (index < 0 || index >= widget()->count())
        throw Error("Invalid property value: " + Name() + " has no entry " + std::to_string(index),
                    380);
}

int QtComboBox::AddItem(const std::string& text) {
    widget()->addItem(QString::fromStdString(text), 0);
    return widget()->count() - 1;
}

void QtComboBox::Clear() {
    widget()->clear();
}

int QtComboBox::ListCount() const {
    return widget()->count();
}

int QtComboBox::ListIndex() const {
    return widget()->currentIndex();
}

void QtComboBox::setListIndex(int index) {
    if (index != -1)
        check(index);
    widget()->setCurrentIndex(index);
}

std::int32_t QtComboBox::ItemData(int index) const {
    check(index);
    return widget()->itemData(index).toInt();
}

void QtComboBox::setItemData(int index, std::int32_t data) {
    check(index);
    widget()->setItemData(index, data);
}

std::string QtComboBox::List(int index) const {
    check(index);
    return widget()->itemText(index).toStdString();
}

std::string QtComboBox::Text() const {
    return widget()->currentIndex() < 0 ? "" : widget()->currentText().toStdString();
}

} // namespace vorq::qt
