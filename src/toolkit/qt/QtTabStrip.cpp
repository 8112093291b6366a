#include "toolkit/qt/QtTabStrip.h"

#include <QEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QSignalBlocker>
#include <utility>

namespace vorq::qt {
namespace {

// Keeps the bar and the panel filling the strip's area when it moves or grows.
class ResizeWatcher : public QObject {
public:
    ResizeWatcher(QObject* parent, std::function<void()> onResize)
        : QObject(parent), onResize_(std::move(onResize)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            onResize_();
        return false;
    }

private:
    std::function<void()> onResize_;
};

} // namespace

QtTabStrip::QtTabStrip(const std::string& name, int tabCount, QWidget* parent)
    : QtControl(name, new QWidget(parent)), bar_(new QTabBar(widget())),
      panel_(new QFrame(widget())) {
    panel_->setFrameShape(QFrame::StyledPanel);
    bar_->setDrawBase(false);
    bar_->setFocusPolicy(Qt::TabFocus);
    for (int i = 0; i < tabCount; ++i)
        bar_->addTab(QString());
    panel_->lower();
    widget()->installEventFilter(new ResizeWatcher(widget(), [this] { layOut(); }));
    // Ctrl+Tab and Ctrl+PgDn go to the next tab wherever the focus is in the window, as in
    // every tabbed dialog; with Shift, or Ctrl+PgUp, to the previous one.
    for (const auto& [keys, step] :
         {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
          std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}}) {
        auto* shortcut = new QShortcut(keys, parent, nullptr, nullptr, Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, [this, step = step] { moveBy(step); });
    }
    QObject::connect(bar_, &QTabBar::currentChanged, [this](int index) {
        const int previous = current_;
        current_ = index;
        if (onClick && index != previous)
            onClick(previous);
    });
}

void QtTabStrip::moveBy(int step) {
    if (!widget()->isEnabled())
        return;
    const int count = bar_->count();
    for (int i = 1; i < count; ++i) {
        const int next = ((current_ + step * i) % count + count) % count;
        if (bar_->isTabEnabled(next)) {
            bar_->setCurrentIndex(next);
            return;
        }
    }
}

void QtTabStrip::layOut() {
    const int barHeight = bar_->sizeHint().height();
    bar_->setGeometry(0, 0, widget()->width(), barHeight);
    panel_->setGeometry(0, barHeight - 1, widget()->width(), widget()->height() - barHeight + 1);
}

void QtTabStrip::check(int index) const {
    if (index < 0 || index >= bar_->count())
        throw Error("Index out of bounds: tab " + std::to_string(index) + " of " + Name(), 35600);
}

int QtTabStrip::TabCount() const {
    return bar_->count();
}

void QtTabStrip::setTabCaption(int index, const std::string& caption) {
    check(index);
    bar_->setTabText(index, QString::fromStdString(caption));
    layOut();
}

std::string QtTabStrip::TabCaption(int index) const {
    check(index);
    return bar_->tabText(index).toStdString();
}

bool QtTabStrip::TabEnabled(int index) const {
    check(index);
    return bar_->isTabEnabled(index);
}

void QtTabStrip::setTabEnabled(int index, bool enabled) {
    check(index);
    const QSignalBlocker quiet(bar_); // Qt moves off a disabled tab by itself; we do not
    bar_->setTabEnabled(index, enabled);
    bar_->setCurrentIndex(current_);
}

int QtTabStrip::Tab() const {
    return current_;
}

void QtTabStrip::setTab(int index) {
    check(index);
    const QSignalBlocker quiet(bar_);
    current_ = index;
    bar_->setCurrentIndex(index);
}

} // namespace vorq::qt
