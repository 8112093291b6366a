#pragma once

#include "projectdb/ProjectCatalog.h"

#include <QCoreApplication>
#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QTableView;

namespace vorq::sqlite {
class Connection;
}

namespace vorq::app {

struct AppContext;
class RowsModel;

// The loaded rows of a table, and below them the rows of a child table that belong to the
// row selected above: the data that the load window put into the workspace's target.
class BrowseDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(BrowseDialog)

public:
    // table: the table shown first (one of the project's tables that are no child table).
    BrowseDialog(const AppContext& context, projectdb::ProjectCatalog catalog, const QString& table,
                 QWidget* parent);
    ~BrowseDialog() override;

    QComboBox* table() const { return table_; }
    QTableView* rows() const { return rows_; }
    QComboBox* childTable() const { return childTable_; }
    QTableView* childRows() const { return childRows_; }
    QLabel* counts() const { return counts_; }

private:
    void showTable();
    void showChildRows();

    projectdb::ProjectCatalog catalog_;
    std::unique_ptr<sqlite::Connection> data_;
    QComboBox* table_;
    QTableView* rows_;
    QComboBox* childTable_;
    QTableView* childRows_;
    QLabel* counts_;
    RowsModel* parentModel_;
    RowsModel* childModel_;
};

} // namespace vorq::app
