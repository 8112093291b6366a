#pragma once

#include "schematool/ProgressDisplay.h"

#include <QCoreApplication>
#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vorq::schematool {

// The schema tool's progress window: the caption, a bar, steps done of total, rate and time
// left. Its Cancel button asks whoever runs the work (the import dialog, which asks the user).
class QtProgressWindow : public QDialog, public ProgressView {
    Q_DECLARE_TR_FUNCTIONS(QtProgressWindow)

public:
    explicit QtProgressWindow(QWidget* parent = nullptr);

    void opened(const std::string& caption, std::int64_t total) override;
    void advanced(std::int64_t done, std::int64_t total, double seconds) override;
    void closed() override;

    // What Cancel does; the window itself stays until the work closes it.
    std::function<void()> onCancel;
    // The window doing the work, which the progress window belongs to while it shows (null:
    // a window of its own, centred on the screen).
    std::function<QWidget*()> ownerOfWork;
    QPushButton* cancelButton() const { return cancel_; }
    QString countText() const;

protected:
    void reject() override;

private:
    void placeOn(QWidget& owner);

    QLabel* caption_;
    QProgressBar* bar_;
    QLabel* count_;
    QPushButton* cancel_;
};

} // namespace vorq::schematool
