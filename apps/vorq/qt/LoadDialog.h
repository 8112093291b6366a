#pragma once

#include "LoadRun.h"

#include <QCoreApplication>
#include <QDialog>
#include <atomic>
#include <memory>
#include <thread>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace vorq::projectdb {
struct ProjectCatalog;
}

namespace vorq::app {

// The load window: the table, the data file and the options of vorq load. The load runs on a
// thread of its own while the window shows its rate and the time left; Cancel rolls it back.
// It ends with the summary and the records that had errors, listed from the reject file.
class LoadDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(LoadDialog)

public:
    // table: the table chosen first (one of the project's tables that are no child table).
    LoadDialog(const AppContext& context, const projectdb::ProjectCatalog& catalog,
               const QString& table, QWidget* parent);
    ~LoadDialog() override;

    // Starts the load with the options shown; false, with the reason in the summary, when it
    // cannot start.
    bool startLoad();
    bool running() const { return worker_.joinable(); }
    // The window's reject file: in the workspace, named after the table.
    QString rejectFile() const;

    QComboBox* table() const { return table_; }
    QLineEdit* dataFile() const { return data_; }
    QComboBox* encoding() const { return encoding_; }
    QComboBox* format() const { return format_; }
    QComboBox* existingRows() const { return existing_; }
    QComboBox* badFields() const { return badFields_; }
    QSpinBox* maxErrors() const { return maxErrors_; }
    QProgressBar* progress() const { return progress_; }
    QPlainTextEdit* summary() const { return summary_; }
    QTableWidget* rejects() const { return rejects_; }
    QPushButton* loadButton() const { return load_; }

    void reject() override;

private:
    LoadOptions chosenOptions() const;
    void showProgress(const load::LoadProgress& p);
    void finished();
    void showSummary(const load::LoadSummary& summary);
    void listRejects();
    void setEditable(bool editable);

    const AppContext& context_;
    QComboBox* table_;
    QLineEdit* data_;
    QComboBox* encoding_;
    QComboBox* format_;
    QComboBox* existing_;
    QComboBox* badFields_;
    QSpinBox* maxErrors_;
    QProgressBar* progress_;
    QLabel* rate_;
    QPlainTextEdit* summary_;
    QTableWidget* rejects_;
    QPushButton* load_;
    QDialogButtonBox* buttons_;

    std::unique_ptr<LoadRun> run_;
    std::atomic<bool> cancel_{false};
    std::thread worker_;
    // What the worker leaves for the window's thread: the summary or the failure.
    load::LoadSummary result_;
    std::exception_ptr failure_;
};

} // namespace vorq::app
