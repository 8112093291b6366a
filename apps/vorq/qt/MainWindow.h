#pragma once

#include "cobol/Diagnostics.h"
#include "schematool/DdlWriter.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <memory>
#include <vector>

class QComboBox;
class QDockWidget;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QTreeWidget;

namespace vorq::workbench {
class Workbench;
}

namespace vorq::app {

struct AppContext;
struct HostSession;
class QtSession;

// The schema tool's main window: the project's tables as a tree (child tables under their
// parents), the DDL of the chosen table, the problems of the last verify, and the actions that
// verify COBOL sources and run the import component.
class MainWindow : public QMainWindow {
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    MainWindow(const AppContext& context, QtSession& qt, HostSession& host);
    ~MainWindow() override;

    // Re-reads the project: the tree, and the DDL of the table chosen.
    void refresh();
    // Verifies the files into the workbench with progress; their problems are listed.
    void verifySources(const QStringList& files);
    // Runs the import component through the component registry; the window says what it made.
    void importStructures();
    // The load window for the chosen table; the tree shows what the load made.
    void loadData();
    // The loaded rows of the chosen table, with its child tables' rows.
    void browseData();
    // The source line of a listed problem, in a window of its own.
    void showProblem(int row);
    // Writes every table's DDL in the chosen dialect; a failure is shown and answered false.
    bool saveDdl(const QString& path);
    // A source reference as the user knows it: the source's name and the item's.
    QString describe(const std::string& reference) const;

    QTreeWidget* tables() const { return tables_; }
    QPlainTextEdit* ddl() const { return ddl_; }
    QComboBox* dialect() const { return dialect_; }
    QListWidget* problems() const { return problems_; }
    QDockWidget* problemsDock() const { return problemsDock_; }
    QString statusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showDdl();
    void chooseAndVerify();
    void chooseAndSaveDdl();
    schematool::Dialect chosenDialect() const;
    // The table chosen in the tree, or the one its chosen child table hangs below.
    QString chosenRootTable() const;

    const AppContext& context_;
    QtSession& qt_;
    HostSession& host_;
    std::shared_ptr<workbench::Workbench> wb_;
    QTreeWidget* tables_;
    QPlainTextEdit* ddl_;
    QComboBox* dialect_;
    QListWidget* problems_;
    QDockWidget* problemsDock_;
    QLabel* shown_;
    std::string shownFor_; // the reference that shown_ names
    QLabel* lastImport_;
    std::vector<cobol::Diagnostic> listed_;
};

} // namespace vorq::app
