#include "toolkit/qt/QtButtons.h"

namespace vorq::qt {

QtButton::QtButton(const std::string& name, QWidget* parent)
    : QtControl(name, new QPushButton(parent)) {
    // A focused button takes Enter; elsewhere in the dialog Enter goes to the default button.
    widget()->setAutoDefault(true);
    QObject::connect(widget(), &QPushButton::clicked, [this] {
        if (onClick)
            onClick();
    });
}

void QtButton::setCaption(const std::string& caption) {
    widget()->setText(QString::fromStdString(caption));
}

std::string QtButton::Caption() const {
    return widget()->text().toStdString();
}

void QtButton::setDefault(bool isDefault) {
    widget()->setDefault(isDefault);
}

QtOptionButton::QtOptionButton(const std::string& name, QWidget* parent)
    : QtControl(name, new QRadioButton(parent)) {
    QObject::connect(widget(), &QRadioButton::clicked, [this] {
        if (onClick)
            onClick();
    });
}

void QtOptionButton::setCaption(const std::string& caption) {
    widget()->setText(QString::fromStdString(caption));
}

std::string QtOptionButton::Caption() const {
    return widget()->text().toStdString();
}

bool QtOptionButton::Value() const {
    return widget()->isChecked();
}

void QtOptionButton::setValue(bool selected) {
    widget()->setChecked(selected);
}

} // namespace vorq::qt
