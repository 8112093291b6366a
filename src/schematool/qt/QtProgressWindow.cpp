#include "schematool/qt/QtProgressWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace vorq::schematool {
namespace {
constexpr int kInset = 16; // pixels kept free on either side of the owner
}

QtProgressWindow::QtProgressWindow(QWidget* parent)
    : QDialog(parent), caption_(new QLabel(this)), bar_(new QProgressBar(this)),
      count_(new QLabel(this)), cancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName("progress");
    setWindowTitle("Tabulon");
    caption_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_);
    layout->addWidget(bar_);
    auto* row = new QHBoxLayout;
    row->addWidget(count_, 1);
    row->addWidget(cancel_);
    layout->addLayout(row);
    // Modal itself, so that it takes input while the dialog that runs the work waits for it.
    setWindowModality(Qt::ApplicationModal);
    connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
}

void QtProgressWindow::opened(const std::string& caption, std::int64_t total) {
    caption_->setText(QString::fromStdString(caption));
    bar_->setRange(0, 1000);
    bar_->setValue(0);
    count_->setText(tr("0 of %1").arg(total));
    if (QWidget* owner = ownerOfWork ? ownerOfWork() : nullptr)
        placeOn(*owner);
    show();
    raise();
}

void QtProgressWindow::placeOn(QWidget& owner) {
    // A window of the owner's: it moves and stacks with it and blocks only it, and it keeps
    // inside the owner's edges so that it hides as little of it as it can.
    setParent(&owner, Qt::Dialog);
    setWindowModality(Qt::WindowModal);
    const QSize hint = sizeHint();
    const int width = std::max(minimumSizeHint().width(), owner.width() - 2 * kInset);
    resize(width, hint.height());
    move(owner.geometry().center() - QPoint(width / 2, hint.height() / 2));
}

void QtProgressWindow::advanced(std::int64_t done, std::int64_t total, double seconds) {
    bar_->setValue(total > 0 ? static_cast<int>(1000 * std::min(done, total) / total) : 1000);
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
    QString text = tr("%1 of %2").arg(done).arg(total);
    if (rate > 0)
        text += tr(", %1 a second").arg(std::lround(rate));
    if (rate > 0 && total > done)
        text += tr(", %1 s left").arg(std::lround(static_cast<double>(total - done) / rate));
    count_->setText(text);
}

void QtProgressWindow::closed() {
    hide();
    // The owner may be destroyed before this window, which its session owns.
    if (parentWidget())
        setParent(nullptr, Qt::Dialog);
}

QString QtProgressWindow::countText() const {
    return count_->text();
}

void QtProgressWindow::reject() {
    // Esc, the close box and Cancel all ask; the work decides whether to stop.
    if (onCancel)
        onCancel();
}

} // namespace vorq::schematool
