#pragma once

#include "host/ui/ComboBox.h"
#include "toolkit/qt/QtControl.h"

#include <QComboBox>

namespace vorq::qt {

class QtComboBox : public QtControl<ComboBox, QComboBox> {
public:
    QtComboBox(const std::string& name, QWidget* parent);
    int AddItem(const std::string& text) override;
    void Clear() override;
    int ListCount() const override;
    int ListIndex() const override;
    void setListIndex(int index) override;
    std::int32_t ItemData(int index) const override;
    void setItemData(int index, std::int32_t data) override;
    std::string List(int index) const override;
    std::string Text() const override;

private:
    void check(int index) const;
};

} // namespace vorq::qt
