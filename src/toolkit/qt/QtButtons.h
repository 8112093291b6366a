#pragma once

#include "host/ui/Button.h"
#include "host/ui/OptionButton.h"
#include "toolkit/qt/QtControl.h"

#include <QPushButton>
#include <QRadioButton>

namespace vorq::qt {

class QtButton : public QtControl<Button, QPushButton> {
public:
    QtButton(const std::string& name, QWidget* parent);
    void setCaption(const std::string& caption) override;
    std::string Caption() const override;
    void setDefault(bool isDefault) override;
    void setCancel(bool isCancel) override { cancel_ = isCancel; }
    bool isCancel() const { return cancel_; }

private:
    bool cancel_ = false;
};

// The option buttons of one window are one group: Qt makes radio buttons of one parent
// exclusive.
class QtOptionButton : public QtControl<OptionButton, QRadioButton> {
public:
    QtOptionButton(const std::string& name, QWidget* parent);
    void setCaption(const std::string& caption) override;
    std::string Caption() const override;
    bool Value() const override;
    void setValue(bool selected) override;
};

} // namespace vorq::qt
