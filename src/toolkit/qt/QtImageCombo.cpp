#include "toolkit/qt/QtImageCombo.h"

#include "host/ui/ImageList.h"
#include "toolkit/qt/KeyCodes.h"
#include "toolkit/qt/PictureImage.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <utility>

namespace vorq::qt {
namespace {

constexpr int kIndentationRole = Qt::UserRole + 1;

// Draws list entries moved right by their indentation, as a port under its program.
class IndentingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem moved = option;
        moved.rect.setLeft(option.rect.left() + 16 * index.data(kIndentationRole).toInt());
        QStyledItemDelegate::paint(painter, moved, index);
    }
};

// The combo's key and focus events, as the dialog's handlers take them. The open list is
// watched too: a choice made there stands like a click, so the combo is entered again once it
// is applied, and the release of the key that made it cannot put the old entry back.
class ComboEvents : public QObject {
public:
    ComboEvents(QComboBox& box, ImageCombo& combo)
        : QObject(&box), list_(box.view()->parentWidget()), combo_(combo) {
        box.installEventFilter(this);
        list_->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == list_) {
            if (event->type() == QEvent::Show)
                listOpened_ = true;
            return false;
        }
        if (event->type() == QEvent::KeyPress)
            listOpened_ = false;
        if (event->type() == QEvent::KeyPress && combo_.onKeyDown) {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            combo_.onKeyDown(keyCode(key), shiftState(key));
        } else if (event->type() == QEvent::KeyRelease && combo_.onKeyUp) {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            if (!key.isAutoRepeat())
                combo_.onKeyUp(keyCode(key), shiftState(key));
        } else if (event->type() == QEvent::FocusIn && combo_.onGotFocus) {
            combo_.onGotFocus();
        }
        return false;
    }

    // Called after a choice raised its click.
    void chosen() {
        if (std::exchange(listOpened_, false) && combo_.onGotFocus)
            combo_.onGotFocus();
    }

private:
    QWidget* list_;
    ImageCombo& combo_;
    bool listOpened_ = false;
};

} // namespace

QtImageCombo::QtImageCombo(const std::string& name, QWidget* parent)
    : QtControl(name, new QComboBox(parent)) {
    widget()->setItemDelegate(new IndentingDelegate(widget()));
    auto* events = new ComboEvents(*widget(), *this);
    // A choice by mouse or keyboard is the user's; a choice made in code raises nothing.
    QObject::connect(widget(), &QComboBox::activated, [this, events] {
        if (onClick)
            onClick();
        events->chosen();
    });
}

ComboItem& QtImageCombo::Add(const std::string& key, const std::string& text,
                             const std::string& image, int indentation) {
    for (const auto& item : items_)
        if (!key.empty() && item->Key() == key)
            throw Error("Key is not unique in collection: " + key, 35602);
    const QSignalBlocker quiet(widget()); // Qt selects the first entry added; we do not
    const int previous = widget()->currentIndex();
    const QIcon icon = images_ && images_->Contains(image) ? toIcon(images_->Item(image)) : QIcon();
    widget()->addItem(icon, QString::fromStdString(text));
    widget()->setItemData(widget()->count() - 1, indentation, kIndentationRole);
    widget()->setCurrentIndex(previous);
    items_.push_back(std::make_unique<ComboEntry>(key, text, image, indentation,
                                                  static_cast<int>(items_.size()) + 1));
    return *items_.back();
}

void QtImageCombo::Clear() {
    const QSignalBlocker quiet(widget());
    widget()->clear();
    items_.clear();
}

int QtImageCombo::Count() const {
    return static_cast<int>(items_.size());
}

ComboItem& QtImageCombo::Item(int index) {
    if (index < 1 || index > Count())
        throw Error("Index out of bounds: entry " + std::to_string(index) + " of " + Name(), 35600);
    return *items_[static_cast<std::size_t>(index - 1)];
}

ComboItem* QtImageCombo::SelectedItem() {
    const int current = widget()->currentIndex();
    return current < 0 ? nullptr : items_[static_cast<std::size_t>(current)].get();
}

void QtImageCombo::setSelectedItem(ComboItem* item) {
    const QSignalBlocker quiet(widget());
    widget()->setCurrentIndex(item ? item->Index() - 1 : -1);
}

} // namespace vorq::qt
