#pragma once

#include "host/ui/ImageCombo.h"
#include "toolkit/ComboEntry.h"
#include "toolkit/qt/QtControl.h"

#include <QComboBox>
#include <memory>
#include <vector>

namespace vorq::qt {

// A combo whose list shows each entry's image, indented by its indentation.
class QtImageCombo : public QtControl<ImageCombo, QComboBox> {
public:
    QtImageCombo(const std::string& name, QWidget* parent);
    ComboItem& Add(const std::string& key, const std::string& text, const std::string& image,
                   int indentation) override;
    void Clear() override;
    int Count() const override;
    ComboItem& Item(int index) override;
    ComboItem* SelectedItem() override;
    void setSelectedItem(ComboItem* item) override;
    void setImageList(ImageList* images) override { images_ = images; }

private:
    std::vector<std::unique_ptr<ComboEntry>> items_;
    ImageList* images_ = nullptr;
};

} // namespace vorq::qt
