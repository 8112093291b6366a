#pragma once

#include "host/ui/ImageCombo.h"
#include "toolkit/qt/QtControl.h"

#include <QComboBox>
#include <memory>
#include <vector>

namespace vorq::qt {

class QtComboItem : public ComboItem {
public:
    QtComboItem(std::string key, std::string text, std::string image, int indentation, int index)
        : key_(std::move(key)), text_(std::move(text)), image_(std::move(image)),
          indentation_(indentation), index_(index) {}
    const std::string& Key() const override { return key_; }
    const std::string& Text() const override { return text_; }
    const std::string& Image() const override { return image_; }
    int Indentation() const override { return indentation_; }
    const std::string& Tag() const override { return tag_; }
    void setTag(const std::string& tag) override { tag_ = tag; }
    int Index() const override { return index_; }

private:
    std::string key_, text_, image_, tag_;
    int indentation_, index_;
};

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
    std::vector<std::unique_ptr<QtComboItem>> items_;
    ImageList* images_ = nullptr;
};

} // namespace vorq::qt
